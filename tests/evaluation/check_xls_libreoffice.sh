#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# LibreOffice Calc, headless, on a German desktop opens the exported sample
# table and writes what its cells show as CSV: the same texts as the table
# (numbers through their number formats, with the desktop's comma).
#   check_xls_libreoffice.sh <kelmot_xls_sample> <work folder>
set -euo pipefail
sample=$1
work=$2
rm -rf "$work"
mkdir -p "$work/out"
"$sample" "$work/sample.xls" "$work/shown.csv"
# Field separator ";", quotes ", UTF-8 (76), from line 1, cells as shown.
LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 timeout 180 soffice --headless --norestore \
  "-env:UserInstallation=file://$work/profile" \
  --convert-to 'csv:Text - txt - csv (StarCalc):59,34,76,1,,0,false,true,true' \
  "$work/sample.xls" --outdir "$work/out" >"$work/soffice.log" 2>&1 || { cat "$work/soffice.log"; exit 1; }
if diff <(tr -d '\r' <"$work/out/sample.csv") "$work/shown.csv"; then
  echo "1 passed, 0 failed"
else
  echo "LibreOffice shows other texts than the table (above: < LibreOffice, > table)" >&2
  exit 1
fi
