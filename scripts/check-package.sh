#!/usr/bin/env bash
# Checks the package as a school's technician would use it: the installed
# desktop entry and AppStream data validate, apt installs the package with
# its dependencies, `kelmot --version` runs from the installed path without a
# display, the .kmd type is known, and the package removes cleanly.
#   scripts/check-package.sh kelmot_3.0_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(readlink -f "$1")
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
dpkg-deb -x "$deb" "$stage"
desktop-file-validate "$stage/usr/share/applications/de.kelmot.Kelmot.desktop"
appstreamcli validate --no-net "$stage/usr/share/metainfo/de.kelmot.Kelmot.metainfo.xml"
for size in 48 128 256; do
  test -s "$stage/usr/share/icons/hicolor/${size}x${size}/apps/de.kelmot.Kelmot.png"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' # found by shlibdeps
# English and German: the desktop entry, the AppStream data, the man pages
# (which groff renders without a warning).
grep -q '^Name\[de\]=' "$stage/usr/share/applications/de.kelmot.Kelmot.desktop"
grep -q '^Comment\[de\]=' "$stage/usr/share/applications/de.kelmot.Kelmot.desktop"
grep -q '<name xml:lang="de">' "$stage/usr/share/metainfo/de.kelmot.Kelmot.metainfo.xml"
grep -q '<summary xml:lang="de">' "$stage/usr/share/metainfo/de.kelmot.Kelmot.metainfo.xml"
for page in man1/kelmot.1 de/man1/kelmot.1; do
  if [ -n "$(groff -man -Tutf8 -ww "$stage/usr/share/man/$page" 2>&1 >/dev/null)" ]; then
    echo "groff warns about $page" >&2
    exit 1
  fi
done
groff -man -Tutf8 -P-cbou "$stage/usr/share/man/man1/kelmot.1" 2>/dev/null | grep 'OPTIONS' >/dev/null
groff -man -Tutf8 -P-cbou "$stage/usr/share/man/de/man1/kelmot.1" 2>/dev/null | grep 'OPTIONEN' >/dev/null

export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get install -y -qq "$deb" >/dev/null
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/kelmot --version | grep -q 'Kelmot'
# The installed program carries its English texts.
env -u LANGUAGE LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 /usr/bin/kelmot --help | grep 'Show this help.' >/dev/null
env -u LANGUAGE LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 /usr/bin/kelmot --help | grep 'Diese Hilfe anzeigen.' >/dev/null
grep -q 'x-kelmot-data' /usr/share/mime/packages/de.kelmot.Kelmot.xml
test -f /usr/share/mime/application/x-kelmot-data.xml # the MIME database took it in
"${sudo[@]}" apt-get remove -y -qq kelmot >/dev/null
test ! -e /usr/bin/kelmot
test ! -e /usr/share/applications/de.kelmot.Kelmot.desktop
echo "package check passed: $(basename "$deb")"
