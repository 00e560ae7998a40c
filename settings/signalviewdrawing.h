// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/signalmonitor.h"
#include "drawing/canvas.h"

namespace kelmot {

// The settings dialog's signal view: the slices as vertical strokes from low
// to high, the zero line in silver and the threshold as a red line across.
void drawSignalView(Canvas& canvas, int width, int height, const SignalMonitor& monitor,
                    int threshold);

} // namespace kelmot
