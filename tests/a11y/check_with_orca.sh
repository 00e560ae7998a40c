#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A screen reader's ears: Kelmot with a simulated light barrier, openbox (so
# the program's windows take the focus), Orca and speech-dispatcher under
# Xvfb on an accessibility bus of their own; orca_listens.py presses the keys
# and reads what Orca says. speech-dispatcher speaks into the test's
# PulseAudio server (PULSE_RUNTIME_PATH): without a sound server to speak
# into, Orca waits on its first word.
#   check_with_orca.sh <kelmot> <work folder>
set -u
kelmot=$(readlink -f "$1")
work=$2
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
cd "$work"
if ! PULSE_RUNTIME_PATH=${PULSE_RUNTIME_PATH:-} pactl info >/dev/null 2>&1; then
  echo "No PulseAudio server at PULSE_RUNTIME_PATH=${PULSE_RUNTIME_PATH:-}: scripts/pulse-session.sh start"
  exit 1
fi
for tool in orca speech-dispatcher openbox xdotool; do
  command -v $tool >/dev/null || { echo "$tool is missing: scripts/install-deps.sh installs it"; exit 1; }
done
mkdir -p run && chmod 700 run
cat > session.sh <<INNER
set -u
export XDG_DATA_HOME="$PWD/data" XDG_CONFIG_HOME="$PWD/config" XDG_RUNTIME_DIR="$PWD/run"
export XDG_CACHE_HOME="$PWD/cache" HOME="$PWD"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
openbox >openbox.log 2>&1 &
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$kelmot" --simulate --mixer=simulated >kelmot.log 2>&1 &
app=\$!
# The window is there, and has the focus, before Orca starts.
xdotool search --sync --name '^Kelmot' >/dev/null
/usr/bin/python3 "$here/orca_listens.py" "$PWD"
rc=\$?
kill \$app 2>/dev/null
wait \$app 2>/dev/null
# Orca started speech-dispatcher with its socket here; it would outlive the test.
pkill -f -- "--socket-path $PWD/run" 2>/dev/null
[ \$rc -ne 0 ] && { echo "== kelmot.log"; cat kelmot.log; }
exit \$rc
INNER
Xvfb -displayfd 1 -noreset -screen 0 1280x1024x24 -nolisten tcp >display.txt 2>xvfb.log &
xvfb=$!
for _ in $(seq 600); do [ -s display.txt ] && break; sleep 0.1; done
if ! [ -s display.txt ]; then
  echo "Xvfb did not start:"
  cat xvfb.log
  kill $xvfb 2>/dev/null
  exit 1
fi
DISPLAY=:$(head -1 display.txt) dbus-run-session -- bash session.sh
rc=$?
kill $xvfb 2>/dev/null
wait $xvfb 2>/dev/null
exit $rc
