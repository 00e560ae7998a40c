#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the ctest suites of presets that are already built N times in a row
# with two busy loops beside them (a busy CI machine), and prints for every
# test that failed how often it failed. Builds nothing.
#   scripts/stress-tests.sh N [preset ...] [-- ctest arguments]
# Presets default to those of default, asan and tsan that are built. Example:
#   scripts/stress-tests.sh 20 tsan
#   scripts/stress-tests.sh 5 default asan -- -R 'MeasurementWindow'
# Exit status 1 when any test failed at least once.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:?usage: scripts/stress-tests.sh N [preset ...] [-- ctest arguments]}
shift
presets=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do presets+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
extra=("$@")
if [ ${#presets[@]} -eq 0 ]; then
  for p in default asan tsan; do [ -f "build/$p/CTestTestfile.cmake" ] && presets+=("$p"); done
fi
[ ${#presets[@]} -gt 0 ] || { echo "no built preset (build one with cmake --build --preset NAME)" >&2; exit 2; }
for p in "${presets[@]}"; do
  [ -f "build/$p/CTestTestfile.cmake" ] || { echo "preset $p is not built" >&2; exit 2; }
done

source scripts/test-environment.sh
bash scripts/pulse-session.sh start >/dev/null

busy=()
for _ in 1 2; do
  ( while :; do :; done ) &
  busy+=($!)
done
cleanup() {
  kill "${busy[@]}" 2>/dev/null || true
  bash scripts/pulse-session.sh stop
}
trap cleanup EXIT

results=$(mktemp)
for p in "${presets[@]}"; do
  total=$(ctest --preset "$p" -N "${extra[@]}" | sed -n 's/^Total Tests: //p')
  for ((i = 1; i <= runs; i++)); do
    start=$(date +%s)
    ctest --preset "$p" -j "$(nproc)" --timeout 600 "${extra[@]}" >"build/$p/stress-$i.log" 2>&1 || true
    failed=0
    log="build/$p/Testing/Temporary/LastTestsFailed.log"
    if [ -s "$log" ]; then
      # Lines "17:Suite.Name": one per failed test of this run.
      failed=$(wc -l <"$log")
      sed "s/^[0-9]*:/$p /" "$log" >>"$results"
      rm -f "$log"
    fi
    echo "$p run $i/$runs: $failed of $total failed ($(( $(date +%s) - start )) s)"
  done
done

echo
echo "== failures per test (preset, test, failed runs of $runs)"
if [ -s "$results" ]; then
  sort "$results" | uniq -c | sort -rn | awk '{ printf "%-8s %-90s %d\n", $2, $3, $1 }'
  rm -f "$results"
  exit 1
fi
echo "none"
rm -f "$results"
