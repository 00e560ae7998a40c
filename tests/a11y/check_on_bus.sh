#!/usr/bin/env bash
# A screen reader's view: Kelmot under Xvfb with the accessibility bus on,
# a data file shown as an s-t table, a right click on the table, and then
# the bus read with pyatspi: the open popup and its items must be there.
#   check_popup_on_bus.sh <kelmot> <work folder>
set -u
kelmot=$1
work=$2
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
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$kelmot" --simulate --mixer=simulated lauf.kmd >kelmot.log 2>&1 &
app=\$!
# The table is shown once the window is mapped; then the right click.
for _ in \$(seq 100); do xdotool search --name "Weg-Zeit" >/dev/null 2>&1 && break; sleep 0.1; done
# A right click on the table opens its popup; once the window has settled
# (a click that closes an open popup is followed by one that opens it).
rc=1
for _ in \$(seq 10); do
  xdotool mousemove 300 250 click 3
  sleep 1
  if /usr/bin/python3 "$(cd "$(dirname "$0")" && pwd)/popup_on_bus.py" >bus.txt 2>&1; then
    rc=0
    break
  fi
done
cat bus.txt
kill \$app 2>/dev/null
exit \$rc
INNER
# Xvfb picks a free display itself and names it once it is ready.
Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >display.txt 2>xvfb.log &
xvfb=$!
for _ in $(seq 100); do [ -s display.txt ] && break; sleep 0.1; done
if ! [ -s display.txt ]; then
  cat xvfb.log
  kill $xvfb 2>/dev/null
  exit 1
fi
DISPLAY=:$(head -1 display.txt) dbus-run-session -- bash session.sh
rc=$?
kill $xvfb 2>/dev/null
exit $rc
