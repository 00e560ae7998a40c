#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Kelmot and starts it. Arguments go to the
# program, e.g. "--simulate" for the virtual track without hardware.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target kelmot
exec build/default/app/kelmot "$@"
