// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/controlsbelowgrid.h"

#include <algorithm>

namespace kelmot {

BelowGridLayout placeBelowGrid(int gridTop, int gridHeight, int usualTop, int blockHeight,
                               int windowHeight) {
    BelowGridLayout l{usualTop, gridHeight};
    const int lowestTop = windowHeight - GapBelowGrid - blockHeight;
    l.controlsTop = std::max(l.controlsTop, gridTop + gridHeight + GapBelowGrid);
    l.controlsTop = std::min(l.controlsTop, lowestTop);
    if (l.controlsTop < gridTop + gridHeight + GapBelowGrid) {
        // Neither fits: the block goes as low as it can, the grid ends above it.
        l.controlsTop = lowestTop;
        l.gridHeight = std::max(0, lowestTop - GapBelowGrid - gridTop);
    }
    return l;
}

} // namespace kelmot
