#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the presets (RelWithDebInfo, ASan+UBSan,
# and ThreadSanitizer for the concurrency tests) with warnings as errors, and
# runs every test with ctest.
# The real sound path is a PulseAudio server started here and stopped at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

source scripts/test-environment.sh

# Formatting drift fails the run, like a warning does.
mapfile -t sources < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find app store settings acquisition evaluation diagrams platform tests bench scripts -name '*.cpp' -o -name '*.h')
if ! clang-format --dry-run -Werror "${sources[@]}"; then
  echo "Some files are not clang-formatted: run clang-format -i on them." >&2
  exit 1
fi

# Numbers never go through the C library's locale (see the script).
bash scripts/check-number-conversions.sh
# Includes run from the windows down to the core (see the script's table).
bash scripts/check-layers.sh
# Every translated text has its English (see the script).
bash scripts/check-translations.sh

bash scripts/pulse-session.sh start
trap 'bash scripts/pulse-session.sh stop' EXIT

jobs=$(nproc)
for preset in ${KELMOT_PRESETS:-default asan tsan}; do
  echo "== preset $preset"
  start=$(date +%s)
  cmake --preset "$preset" -DKELMOT_WERROR=ON >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  built=$(date +%s)
  ctest --preset "$preset" -j "$jobs" --timeout 300
  echo "== preset $preset: build $((built - start)) s, tests $(( $(date +%s) - built )) s"
done

# The readers of outside input under libFuzzer, for a bounded time.
if [[ " ${KELMOT_PRESETS:-default asan tsan} " == *" asan "* ]]; then
  echo "== fuzz"
  bash scripts/fuzz.sh "${KELMOT_FUZZ_SECONDS:-20}"
fi

# The Debian package, installed and removed as a technician would.
if [[ " ${KELMOT_PRESETS:-default asan tsan} " == *" default "* ]]; then
  echo "== package"
  # What the package's own build needs room for, told in case it runs out.
  df -h --output=avail,target . | tail -1
  deb=$(bash scripts/package.sh | tail -1)
  bash scripts/check-package.sh "$deb"
fi
