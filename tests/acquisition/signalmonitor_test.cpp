#include "acquisition/signalmonitor.h"

#include <gtest/gtest.h>
#include <vector>

using namespace kelmot;

namespace {

void feed(SignalMonitor& m, std::size_t count, std::int16_t level) {
    const std::vector<std::int16_t> s(count, level);
    m.add(s.data(), s.size());
}

} // namespace

TEST(SignalMonitor, KeepsTwoSecondsInFiveMillisecondSlices) {
    SignalMonitor m;
    feed(m, 109, 100);
    EXPECT_TRUE(m.empty()); // the first slice is not complete yet
    feed(m, 1, -100);
    ASSERT_EQ(m.slices().size(), 1u);
    EXPECT_EQ(m.slices()[0].low, -100);
    EXPECT_EQ(m.slices()[0].high, 100);
    feed(m, 22050 * 3, 0);
    EXPECT_EQ(int(m.slices().size()), SignalMonitor::Slices);
    EXPECT_EQ(m.peak(), 0); // the first slice has left the window
}

TEST(SignalMonitor, NoisePeakSuggestionAndLamp) {
    SignalMonitor m;
    feed(m, 22050, 400);
    EXPECT_EQ(m.noise(), 400);
    EXPECT_FALSE(m.suggestedThreshold()); // no beam blocked yet
    feed(m, 441, 12000);
    EXPECT_EQ(m.peak(), 12000);
    EXPECT_EQ(m.noise(), 400); // 20 ms of two seconds do not move the median
    EXPECT_EQ(m.suggestedThreshold(), 6200);
    EXPECT_TRUE(m.above(6200));
    feed(m, 50, 400); // the latest sample decides, not the slice it lies in
    EXPECT_FALSE(m.above(6200));
    feed(m, 500, 1300);
    EXPECT_FALSE(m.above(1300)); // at the threshold is not above it
    m.clear();
    EXPECT_TRUE(m.empty());
    EXPECT_FALSE(m.above(0));
}

TEST(SignalMonitor, ViewDrawsSignalAndThresholdLine) {
    SignalMonitor m;
    feed(m, 1100, 0);
    feed(m, 110, 32767);
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
