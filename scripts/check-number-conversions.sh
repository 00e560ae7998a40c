#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source file outside tests/ converts numbers through the C
# library's locale again. Qt's application object calls setlocale(LC_ALL, ""),
# so on a German desktop printf("%g") writes "0,8" and strtod("2.5") reads 2:
# data files came out corrupt that way once. Numbers go through
# std::to_chars/std::from_chars (store/numberformat, store/numberconversion)
# or QLocale, and our own code places the user's decimal separator.
set -euo pipefail
cd "$(dirname "$0")/.."

patterns=(
  # text to number: all follow LC_NUMERIC
  '\b(std::)?(strto(d|f|ld)|atof|sto(d|f|ld))[[:space:]]*\('
  '\b(std::)?v?(s|f|)scanf[[:space:]]*\('
  # number to text: a floating conversion in a printf format
  'printf[[:space:]]*\(.*%[-+ #0-9.*]*[eEfFgGaA]'
  # streams of doubles follow the global C++ locale
  'std::(o|i|)stringstream|std::setprecision|std::locale::global'
)

mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null | grep -v '^tests/' ||
  find app store settings acquisition evaluation diagrams platform bench scripts -name '*.cpp' -o -name '*.h')

found=0
for p in "${patterns[@]}"; do
  if grep -nHE "$p" "${files[@]}"; then
    found=1
  fi
done
if [ "$found" -ne 0 ]; then
  echo "Locale-dependent number conversions (above): use std::to_chars/std::from_chars or QLocale." >&2
  exit 1
fi
echo "number conversions: none through the C locale in ${#files[@]} files"
