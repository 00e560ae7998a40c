#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every libFuzzer target for SECONDS each (default 60) from its seed
# corpus and prints executions and crashes per target. Exit status 1 when
# any target found a crash; the crashing inputs stay in build/fuzz/findings.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bash scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" >/dev/null
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
findings=build/fuzz/findings
mkdir -p "$findings"
failed=0
for target in config datafile recording classroom; do
  corpus=$(mktemp -d)
  cp tests/fuzz/corpus/$target/* "$corpus"/
  log=build/fuzz/fuzz_$target.log
  status=0
  build/fuzz/tests/fuzz/fuzz_$target -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=1024 \
    -artifact_prefix="$findings/$target-" "$corpus" >"$log" 2>&1 || status=$?
  runs=$(grep -Eo 'Done [0-9]+ runs' "$log" | grep -Eo '[0-9]+' | tail -1)
  crashes=$(ls "$findings" | grep -c "^$target-" || true)
  printf '%-10s %10s executions  %s crashes\n' "$target" "${runs:-?}" "$crashes"
  if [ "$status" -ne 0 ] || [ "$crashes" -ne 0 ]; then
    failed=1
    tail -30 "$log"
  fi
  rm -rf "$corpus"
done
exit $failed
