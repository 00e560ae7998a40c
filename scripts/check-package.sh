#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the packages as a school's administrator and a distribution would:
# lintian (Debian 12's) on the .deb, the .dsc and the .changes reports no
# error and no warning; the installed desktop entry and AppStream data
# validate; apt installs the package with its dependencies; autopkgtest with
# its null runner runs debian/tests on the installed program; the .kmd type
# is known; and the package removes cleanly.
#   scripts/check-package.sh build/package/kelmot_3.0_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(readlink -f "$1")
dir=$(dirname "$deb")
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi

# lintian: errors and warnings fail; informational tags are listed.
report=$(mktemp)
lintian --info --display-info --no-tag-display-limit "$deb" "$dir"/kelmot_*.dsc "$dir"/kelmot_*_*.changes \
  >"$report" 2>&1 || true
cat "$report"
if grep -E '^[EW]: ' "$report"; then
  echo "lintian reports errors or warnings (above)" >&2
  exit 1
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage" "$report"' EXIT
dpkg-deb -x "$deb" "$stage"
desktop-file-validate "$stage/usr/share/applications/de.kelmot.Kelmot.desktop"
appstreamcli validate --no-net "$stage/usr/share/metainfo/de.kelmot.Kelmot.metainfo.xml"
for size in 48 128 256; do
  test -s "$stage/usr/share/icons/hicolor/${size}x${size}/apps/de.kelmot.Kelmot.png"
done
test -s "$stage/usr/share/doc/kelmot/copyright"
test -s "$stage/usr/share/doc/kelmot/changelog.gz"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' # found by shlibdeps
# English and German: the desktop entry, the AppStream data, the manual
# pages, compressed (which groff renders without a warning).
grep -q '^Name\[de\]=' "$stage/usr/share/applications/de.kelmot.Kelmot.desktop"
grep -q '^Comment\[de\]=' "$stage/usr/share/applications/de.kelmot.Kelmot.desktop"
grep -q '<name xml:lang="de">' "$stage/usr/share/metainfo/de.kelmot.Kelmot.metainfo.xml"
grep -q '<project_license>GPL-3.0-or-later</project_license>' \
  "$stage/usr/share/metainfo/de.kelmot.Kelmot.metainfo.xml"
for page in man1/kelmot.1.gz de/man1/kelmot.1.gz; do
  if [ -n "$(zcat "$stage/usr/share/man/$page" | groff -man -Tutf8 -ww 2>&1 >/dev/null)" ]; then
    echo "groff warns about $page" >&2
    exit 1
  fi
done
zcat "$stage/usr/share/man/man1/kelmot.1.gz" | groff -man -Tutf8 -P-cbou 2>/dev/null | grep 'OPTIONS' >/dev/null
zcat "$stage/usr/share/man/de/man1/kelmot.1.gz" | groff -man -Tutf8 -P-cbou 2>/dev/null | grep 'OPTIONEN' >/dev/null

export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get install -y -qq "$deb" >/dev/null
# The installed program, as debian/tests/ checks it (autopkgtest, null runner).
"${sudo[@]}" autopkgtest --no-built-binaries --output-dir "$stage/autopkgtest" . -- null
grep -q 'x-kelmot-data' /usr/share/mime/packages/de.kelmot.Kelmot.xml
test -f /usr/share/mime/application/x-kelmot-data.xml # the MIME database took it in
"${sudo[@]}" apt-get remove -y -qq kelmot >/dev/null
test ! -e /usr/bin/kelmot
test ! -e /usr/share/applications/de.kelmot.Kelmot.desktop
echo "package check passed: $(basename "$deb")"
