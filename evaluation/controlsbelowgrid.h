// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelmot {

// Where the controls below the evaluation table go: a block of controls
// usually at `usualTop` (the check boxes, the flag width and the
// relationship groups keep their places within it) and `blockHeight` tall.
struct BelowGridLayout {
    int controlsTop = 0; // where the block's usual top goes
    int gridHeight = 0;  // the table's height, shortened when nothing else fits
};

// No control ever covers a cell and none is cut off by the window: the
// block stays at its usual top where it fits between the grid and the
// window's bottom; below the grid when the grid reaches further; moved up
// when the window's bottom cuts it (never onto the grid); and when neither
// fits, the grid's rows are shortened so that everything fits.
BelowGridLayout placeBelowGrid(int gridTop, int gridHeight, int usualTop, int blockHeight,
                               int windowHeight);

inline constexpr int GapBelowGrid = 8; // between the table, the block and the window's edge

} // namespace kelmot
