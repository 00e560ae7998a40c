// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/controlsbelowgrid.h"

#include <gtest/gtest.h>

using namespace kelmot;

// The block of controls usually at 460, 100 tall, below a grid from 60.
TEST(ControlsBelowGrid, UsualPlaceBelowTheGridMovedUpOrTheGridShortened) {
    // Fits: grid to 429, block 460..560 in a 615-tall window.
    BelowGridLayout l = placeBelowGrid(60, 369, 460, 100, 615);
    EXPECT_EQ(l.controlsTop, 460);
    EXPECT_EQ(l.gridHeight, 369);
    // A tall window: the grid reaches to 657, the block goes below it.
    l = placeBelowGrid(60, 597, 460, 100, 995);
    EXPECT_EQ(l.controlsTop, 657 + GapBelowGrid);
    EXPECT_EQ(l.gridHeight, 597);
    // The window's bottom cuts the block: it moves up, not onto the grid.
    l = placeBelowGrid(60, 300, 460, 100, 540);
    EXPECT_EQ(l.controlsTop, 540 - GapBelowGrid - 100);
    EXPECT_EQ(l.gridHeight, 300);
    // Neither fits: the block at the bottom, the grid ends above it.
    l = placeBelowGrid(60, 309, 460, 172, 515);
    EXPECT_EQ(l.controlsTop, 515 - GapBelowGrid - 172);
    EXPECT_EQ(l.gridHeight, l.controlsTop - GapBelowGrid - 60);
    EXPECT_GT(l.gridHeight, 0);
    // A window too small for the block alone gives no negative grid.
    EXPECT_EQ(placeBelowGrid(60, 100, 460, 400, 300).gridHeight, 0);
}
