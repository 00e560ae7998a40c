#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A screen reader's view: Kelmot under Xvfb with the accessibility bus on and
# a data file shown as an s-t table; screen_reader_view.py then reads the bus
# with pyatspi as a screen reader would (the table's popup, the diagrams).
#   check_on_bus.sh <kelmot> <work folder>
# Xvfb runs with -noreset: without it the server resets when its last client
# leaves (dbus-launch and the bus launcher connect and go), and a program
# connecting during the reset fails.
set -u
kelmot=$(readlink -f "$1")
work=$2
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"
cd "$work"
printf 'Ort ; Zeit dunkel; Zeit hell;1\r\n' > lauf.kmd
for k in 0 1 2 3 4 5 6 7 8 9; do
  printf '0,%d;%d,5;%d,52\r\n' "$k" "$k" "$k" >> lauf.kmd
done
cat > session.sh <<INNER
set -u
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
XDG_DATA_HOME="$PWD/data" XDG_CONFIG_HOME="$PWD/config" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$kelmot" --simulate --mixer=simulated lauf.kmd >kelmot.log 2>&1 &
app=\$!
/usr/bin/python3 "$here/screen_reader_view.py" \$app
rc=\$?
kill \$app 2>/dev/null
wait \$app 2>/dev/null
[ \$rc -ne 0 ] && { echo "== kelmot.log"; cat kelmot.log; }
exit \$rc
INNER
# Xvfb picks a free display itself and names it once it is ready.
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
