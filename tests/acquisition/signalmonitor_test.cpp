// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/signalmonitor.h"
#include "tests/acquisition/steadyvoltage.h"

#include <cmath>
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
    EXPECT_TRUE(m.dark(6200));
    m.clear();
    EXPECT_TRUE(m.empty());
    EXPECT_FALSE(m.dark(0));
}

// The lamp says what a run would see: the detection's own rule over every
// sample, for a steady (DC) beam signal and for one modulated with a tone.
TEST(SignalMonitor, LampFollowsTheDetectionRule) {
    SignalMonitor dc;
    feed(dc, 2205, 400);
    EXPECT_FALSE(dc.dark(6200));
    feed(dc, 441, 12000);
    EXPECT_TRUE(dc.dark(6200));
    feed(dc, 7, 400); // seven quiet samples do not end a dark phase
    EXPECT_TRUE(dc.dark(6200));
    feed(dc, 1, 6200); // the eighth at the threshold does
    EXPECT_FALSE(dc.dark(6200));
    feed(dc, 1, 6201);
    EXPECT_TRUE(dc.dark(6200));

    // A 4 kHz tone while the beam is blocked: every 5.5 samples a peak above
    // the threshold, the samples between below it and even negative. Asked
    // after every sample, the lamp must read dark every time, as the
    // detection keeps the beam dark.
    SignalMonitor tone;
    feed(tone, 2205, 0);
    int brightReadings = 0;
    for (int i = 0; i < 22050; ++i) {
        const double phase = 2 * 3.14159265358979 * 4000.0 * i / 22050;
        const std::int16_t v = std::int16_t(12000 * std::sin(phase));
        tone.add(&v, 1);
        if (i >= 8 && !tone.dark(6000)) ++brightReadings;
    }
    EXPECT_EQ(brightReadings, 0);
    feed(tone, 8, 0); // the tone stops: the beam is free again
    EXPECT_FALSE(tone.dark(6000));
}

TEST(SignalMonitor, ASteadyVoltagesLampShowsTheBeamNotTheSwing) {
    // Two seconds of a barrier that is high while dark, through a 20 Hz
    // input, with a little noise: dark from 0.5 s to 0.9 s and from 1.3 s
    // to 1.32 s (a fast flag), looked at every 5 ms.
    auto r = test::cartRun(400, 20, 1, false);
    r.darkSamples = {8820, 441};
    r.gapSamples = {17640, 4410};
    r.noiseAmplitude = 300;
    r.total = 22050 * 2;
    const auto s = r.samples();
    SignalMonitor m;
    m.setRule(SignalKind::Edges, 6000);
    const auto edges = r.edges();
    auto darkAt = [&](std::int64_t n) {
        for (const auto& [first, last] : edges)
            if (n >= first && n <= last) return true;
        return false;
    };
    for (std::size_t at = 0; at < s.size(); at += 110) {
        m.add(s.data() + at, std::min<std::size_t>(110, s.size() - at));
        const std::int64_t last = std::int64_t(std::min(at + 110, s.size())) - 1;
        // The lamp follows the beam, long after the swing has decayed.
        EXPECT_EQ(m.dark(6000), darkAt(last)) << "at sample " << last;
        if (HasFailure()) break;
    }
    // Read as a tone, the same signal is dark only while the swing lasts.
    SignalMonitor tone;
    tone.add(s.data(), std::size_t(edges[0].first + 4410));
    EXPECT_FALSE(tone.dark(6000));
    // The swing either way is the signal's reach; half the typical one is
    // the suggestion.
    EXPECT_NEAR(m.peak(), 12000, 400);
    EXPECT_LT(m.noise(), 1000);
    ASSERT_TRUE(m.suggestedThreshold());
    EXPECT_NEAR(*m.suggestedThreshold(), 6000, 300);
    // A new kind starts with a free beam.
    m.setRule(SignalKind::Tone, 6000);
    m.setRule(SignalKind::Edges, 6000);
    EXPECT_FALSE(m.dark(6000));
}
