#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Kelmot under Xvfb on a 1920 x 1080 screen and saves PNG screenshots of
# what a teacher sees (the README shows them from docs/screenshots):
#   hauptfenster.png   the main window with menu, tool bar and photograph
#   messung.png        the measurement window at the end of a simulated run
#   diagramme.png      then "Diagramm v-t" with "v ~ t": table, s-t and v-t diagram
#   einstellungen.png  the settings dialog listening to the virtual track
#   auswerten-st.png, auswerten-vt.png, diagramm-st.png, diagramm-vt.png
#                      the four evaluation views, the whole screen each
#   ausgleichskurve.png "Diagramm v-t" with "Ausgleichskurve" in both diagrams
#   klassenansicht.png the classroom view's window (address, QR code, code)
#   klassenseite.png, klassenseite-telefon.png
#                      the classroom page after the run, in headless Chromium
#                      as wide as a projector and as a phone
#   messreihe.png      "Messreihe auswerten" after three runs in "three lists" mode
#   freier-fall.png    "Messen freier Fall" after three drops of the virtual fence
#   pendel.png         "Messen Pendel" after ten periods of the virtual pendulum
#   rad.png            "Messen Rad" after two turns of the virtual spoked pulley
# Usage: scripts/screenshot.sh [output folder]   (default docs/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
root=$PWD
# A machine without a desktop language (C, POSIX) is shown as a German desktop,
# as the README's pictures are; LANG=en_US.UTF-8 gives the English ones.
case "${LANG:-C}" in C|C.*|POSIX) export LANG=de_DE.UTF-8 ;; esac
export KELMOT_PHOTOGRAPH=$root/resources/aufbau.jpg
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target kelmot kelmot_screens >/dev/null

display=:$((90 + RANDOM % 9))
Xvfb "$display" -noreset -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

workdir=$(mktemp -d)
(cd "$workdir" && XDG_DATA_HOME="$workdir/data" XDG_CONFIG_HOME="$workdir/config" DISPLAY=$display QT_QPA_PLATFORM=xcb "$root/build/default/app/kelmot" --simulate --mixer=simulated) &
app=$!
sleep 3
import -display "$display" -window root "$out/hauptfenster.png"
kill $app 2>/dev/null || true
wait $app 2>/dev/null || true

# The run is driven through the program's own windows by a small helper.
(cd "$workdir" && DISPLAY=$display QT_QPA_PLATFORM=xcb "$root/build/default/scripts/screens/kelmot_screens" "$out/messung.png" "$out/diagramme.png" "$out/einstellungen.png" "$out")
rm -rf "$workdir"
echo "saved hauptfenster.png, messung.png, diagramme.png, einstellungen.png, the four evaluation views and the classroom view in $out"
