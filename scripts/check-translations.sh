#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The English translation covers every text the program translates, and
# nothing else: Qt's lupdate scans the sources into a copy of
# translations/kelmot_en.ts; a text it adds (new, without English), drops
# (gone from the program) or changes fails the check, as does a message the
# file itself leaves unfinished.
set -euo pipefail
cd "$(dirname "$0")/.."

lupdate=/usr/lib/qt6/bin/lupdate
ts=translations/kelmot_en.ts
copy=$(mktemp --suffix=.ts)
trap 'rm -f "$copy"' EXIT
cp "$ts" "$copy"
"$lupdate" -silent -I . app acquisition diagrams evaluation settings store widgets drawing platform classroom journal experiments \
  -ts "$copy" -locations none -no-obsolete
if ! diff -u "$ts" "$copy"; then
  echo "$ts does not match the program's texts (above: what lupdate changed)." >&2
  echo "Run: $lupdate -I . app acquisition diagrams evaluation settings store widgets drawing platform classroom journal experiments -ts $ts -locations none -no-obsolete, then translate." >&2
  exit 1
fi
if grep -n 'type="unfinished"\|type="vanished"\|type="obsolete"' "$ts"; then
  echo "$ts has texts without an English translation (above)." >&2
  exit 1
fi
echo "translations: $(grep -c '<source>' "$ts") texts, every one in English"
