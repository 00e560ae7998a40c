// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/signalviewdrawing.h"

#include <gtest/gtest.h>
#include <vector>

using namespace kelmot;

TEST(SignalMonitor, ViewDrawsSignalAndThresholdLine) {
    SignalMonitor m;
    // Quiet for 50 ms, then 5 ms at the top.
    const std::vector<std::int16_t> quiet(1100, 0), loud(110, 32767);
    m.add(quiet.data(), quiet.size());
    m.add(loud.data(), loud.size());
    RecordingCanvas c;
    drawSignalView(c, 300, 101, m, 0);
    const auto segments = c.segments();
    // The threshold 0 halfway down, across the view, in red.
    EXPECT_EQ(segments.back().colour, Red);
    EXPECT_EQ(segments.back().y1, 49);
    EXPECT_EQ(segments.back().x2, 299);
    // The newest slice at the right edge, from the top.
    const auto newest = segments[segments.size() - 2];
    EXPECT_EQ(newest.colour, Navy);
    EXPECT_EQ(newest.x1, 298);
    EXPECT_EQ(newest.y1, 0);
    EXPECT_EQ(c.boxes().front().brush, Cream);
}
