// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/clippedcanvas.h"

#include <gtest/gtest.h>

using namespace kelmot;
using Segment = RecordingCanvas::Segment;

TEST(ClippedCanvas, LinesAreCutToTheRectangle) {
    RecordingCanvas target;
    ClippedCanvas clip(target, 30, 20, 383, 236);
    clip.line(30, 236, 200, 100);  // inside: unchanged
    clip.line(30, 236, 383, -117); // 45 degrees up, out at the top
    clip.line(400, 10, 500, 0);    // wholly outside: nothing
    clip.line(300, 100, 500, 100); // out at the right
    clip.moveTo(0, 50);            // the current position may lie outside
    clip.lineTo(100, 50);
    const std::vector<Segment> expected = {{30, 236, 200, 100, Black, 1},
                                           {30, 236, 246, 20, Black, 1},
                                           {300, 100, 383, 100, Black, 1},
                                           {30, 50, 100, 50, Black, 1}};
    EXPECT_EQ(target.segments(), expected);
}
