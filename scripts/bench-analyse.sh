#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the offline analysis of a one-hour recording against two floors:
# `sox FILE -n stat` (one pass of a well-known tool) and `cat FILE` (reading
# alone), and prints the peak memory of the analysis, for the tone of the
# usual barriers and for the edges of a barrier with a steady output
# (--signal edges); then the same for an hour of picket fence drops
# (--experiment fall), against the track's.
#   scripts/bench-analyse.sh [minutes]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-60}
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target kelmot kelmot_make_recording >/dev/null

work=$(mktemp -d)
# The analysed runs go into a journal of the benchmark's own, not the real home's.
export XDG_DATA_HOME="$work/data"
export XDG_CONFIG_HOME="$work/config"
trap 'rm -rf "$work"' EXIT
wav=$work/stunde.wav
build/default/tests/kelmot_make_recording "$wav" "$minutes"
edgewav=$work/flanken.wav
build/default/tests/kelmot_make_recording "$edgewav" "$minutes" edges
fallwav=$work/fall.wav
build/default/tests/kelmot_make_recording "$fallwav" "$minutes" fall

seconds() { # runs a command, prints its wall time in seconds
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || true
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
cat "$wav" >/dev/null # the file in the page cache for all of them
t_cat=$(seconds cat "$wav")
t_pipe=$(seconds sh -c "cat '$wav' | wc -c")
t_sox=$(seconds sox "$wav" -n stat)
t_kelmot=$(seconds build/default/app/kelmot --analyse "$wav" --threshold 5000)
t_files=$(seconds build/default/app/kelmot --analyse "$wav" --threshold 5000 --output "$work/tabellen")
runs=$(ls "$work/tabellen" | wc -l)
cat "$edgewav" >/dev/null
t_sox_edges=$(seconds sox "$edgewav" -n stat)
t_edges=$(seconds build/default/app/kelmot --analyse "$edgewav" --threshold 5000 --signal edges)
edge_runs=$(build/default/app/kelmot --analyse "$edgewav" --threshold 5000 --signal edges 2>/dev/null | grep -c '^Ort' || true)
cat "$fallwav" >/dev/null
t_fall=$(seconds build/default/app/kelmot --analyse "$fallwav" --threshold 5000 --experiment fall)
drops=$(build/default/app/kelmot --analyse "$fallwav" --threshold 5000 --experiment fall 2>/dev/null | grep -c '^g = ' || true)
rss_fall=$( { /usr/bin/time -f '%M' build/default/app/kelmot --analyse "$fallwav" --threshold 5000 --experiment fall >/dev/null; } 2>&1 | tail -1)
rss=$( { /usr/bin/time -f '%M' build/default/app/kelmot --analyse "$wav" --threshold 5000 >/dev/null; } 2>&1 | tail -1)

printf 'recording: %s minutes, %s bytes, %s runs found\n' "$minutes" "$(stat -c %s "$wav")" "$runs"
printf 'cat >/dev/null        %8.3f s (coreutils may copy inside the kernel)\n' "$t_cat"
printf 'cat | wc -c           %8.3f s (every byte through user space)\n' "$t_pipe"
printf 'sox stat              %8.3f s\n' "$t_sox"
printf 'kelmot --analyse      %8.3f s   peak memory %s kB\n' "$t_kelmot" "$rss"
printf 'kelmot ... --output   %8.3f s   (one .kmd file a run, each synced to disk)\n' "$t_files"
printf 'kelmot / sox = %.2f (goal <= 0.5), kelmot / cat = %.2f, kelmot / cat|wc = %.2f (goal <= 3)\n' \
  "$(echo "$t_kelmot / $t_sox" | bc -l)" "$(echo "$t_kelmot / $t_cat" | bc -l)" \
  "$(echo "$t_kelmot / $t_pipe" | bc -l)"
printf 'edges: %s runs found; sox stat %.3f s, kelmot --analyse --signal edges %.3f s\n' \
  "$edge_runs" "$t_sox_edges" "$t_edges"
printf 'kelmot / sox (edges) = %.2f (goal <= 0.5)\n' "$(echo "$t_edges / $t_sox_edges" | bc -l)"
printf 'picket fence: %s minutes, %s drops with g found\n' "$minutes" "$drops"
printf 'kelmot --analyse --experiment fall %8.3f s   peak memory %s kB\n' "$t_fall" "$rss_fall"
printf 'fall / track = %.2f (goal <= 1)\n' "$(echo "$t_fall / $t_kelmot" | bc -l)"
