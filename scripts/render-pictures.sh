#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the program's pictures anew into resources/ (tool-button images,
# icon, warning triangle, question bubble, photograph of the set-up).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target render_pictures
QT_QPA_PLATFORM=offscreen build/default/scripts/render_pictures/render_pictures resources
