// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/lightbarrierdetector.h"
#include "platform/flagwidth.h"
#include "platform/simulatedtrack.h"
#include "tests/acquisition/detection_fixture.h"

#include <gtest/gtest.h>
#include <vector>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

std::vector<std::int16_t> trackSamples(const TrackParameters& p, std::size_t n) {
    SimulatedTrack t(p, 22050);
    std::vector<std::int16_t> s(n);
    t.read(s.data(), n);
    return s;
}

} // namespace

TEST(SimulatedTrack, DefaultsGiveTenBarriersInOrder) {
    SimulatedTrack t(TrackParameters{}, 22050);
    ASSERT_EQ(t.edges().size(), 10u);
    for (std::size_t k = 1; k < 10; ++k) {
        EXPECT_GT(t.edges()[k].first, t.edges()[k - 1].second + 8);
        // Accelerating: each flag passes faster than the one before.
        EXPECT_LE(t.edges()[k].second - t.edges()[k].first,
                  t.edges()[k - 1].second - t.edges()[k - 1].first);
    }
    // 10 mm at 0.35 m/s: about 29 ms dark at barrier 0.
    EXPECT_NEAR((t.edges()[0].second - t.edges()[0].first) / 22050.0, 0.0286, 0.002);
}

// The demonstration's flag is the one the table's flag-width field starts
// with: its speeds are the cart's.
TEST(SimulatedTrack, ItsFlagIsAsWideAsTheTableFieldsStart) {
    EXPECT_EQ(TrackParameters{}.flagWidthMm, UsualFlagWidthMm);
    EXPECT_EQ(UsualFlagWidthMm, 10);
}

// A real track's imperfections, small and repeatable: where each beam is cut
// lies within ±0.5 mm of its barrier (and a sample's travel), the start speed
// varies a little; the same seed gives the same run, another seed another.
TEST(SimulatedTrack, EachRunHasItsOwnSmallImperfections) {
    std::vector<std::vector<EdgeSamples>> runs;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        TrackParameters p;
        p.seed = seed;
        const SimulatedTrack t(p, 22050);
        ASSERT_EQ(t.edges().size(), 10u);
        EXPECT_NEAR(t.runStartSpeed(), p.startSpeed, p.startSpeedSpread + 1e-12);
        const double a = t.modelAcceleration();
        const double v0 = t.runStartSpeed();
        for (int k = 0; k < 10; ++k) {
            // Where the cart's front was at the dark edge.
            const double time = t.edges()[std::size_t(k)].first / 22050.0 - p.startDelay;
            const double x = time >= 0 ? v0 * time + a * time * time / 2 : v0 * time;
            EXPECT_NEAR(x, k * 0.1, 0.0005 + (v0 + a * time) / 22050 + 1e-9) << seed << " " << k;
        }
        EXPECT_EQ(SimulatedTrack(p, 22050).edges(), t.edges()) << "repeatable";
        runs.push_back(t.edges());
    }
    for (std::size_t i = 1; i < runs.size(); ++i)
        EXPECT_NE(runs[i], runs[i - 1]) << "run " << i + 1 << " is run " << i << " again";
    // Without imperfections the barriers stand exactly where they belong.
    TrackParameters exact;
    exact.barrierScatterMm = exact.edgeScatterMm = exact.startSpeedSpread = 0;
    EXPECT_EQ(SimulatedTrack(exact, 22050).runStartSpeed(), exact.startSpeed);
}

TEST(SimulatedTrack, FrictionCanStopTheCartBeforeTheEnd) {
    TrackParameters p;
    p.acceleration = 0;
    p.friction = 0.2;
    p.startSpeed = 0.3; // stops after 0.225 m
    SimulatedTrack t(p, 22050);
    EXPECT_EQ(t.edges().size(), 3u);
}

TEST(SimulatedTrack, DcSignalIsExactlyTheEdgesWithoutNoise) {
    TrackParameters p;
    p.noise = 0;
    SimulatedTrack reference(p, 22050);
    const auto& e = reference.edges();
    const auto s = trackSamples(p, static_cast<std::size_t>(e.back().second + 100));
    EXPECT_EQ(s[e[3].first - 1], 0);
    EXPECT_EQ(s[e[3].first], 12000);
    EXPECT_EQ(s[e[3].second], 12000);
    EXPECT_EQ(s[e[3].second + 1], 0);
}

TEST(SimulatedTrack, ToneBurstAndAcCouplingStillResolveIntoTenEvents) {
    for (const bool tone : {false, true}) {
        TrackParameters p;
        p.toneBurst = tone;
        p.acCoupling = tone;
        p.noise = 500;
        SimulatedTrack t(p, 22050);
        const auto s = trackSamples(p, static_cast<std::size_t>(t.edges().back().second + 4410));
        MeasurementStore store;
        store.initialise();
        RecordingOutput out;
        LightBarrierDetector d(store, out);
        d.reset();
        std::vector<std::int16_t> settle(4410, 0);
        d.analyse(reinterpret_cast<const char*>(settle.data()), 8820);
        for (std::size_t at = 0; at + 4410 <= s.size(); at += 4410)
            d.analyse(reinterpret_cast<const char*>(s.data() + at), 8820);
        EXPECT_EQ(d.EventCount, 10) << "tone " << tone;
        const double t0 = t.edges()[0].first;
        // Within a half-wave of the tone of the true edges.
        for (int k = 0; k < 10; ++k)
            EXPECT_NEAR(store.RunTimes[0][k], (t.edges()[k].first - t0) / 22050 - 0.0003, 0.0002);
    }
}

// The demonstration of a barrier with a steady output: through a 20 Hz
// input, high while dark for odd seeds and while bright for even ones; its
// edges measure the track's own times, and read as a tone it warns.
TEST(SimulatedTrack, ASteadyVoltageBarrierMeasuresByItsEdgesInEitherPolarity) {
    for (const std::uint32_t seed : {1u, 2u}) {
        TrackParameters p = steadyVoltageBarrier();
        p.seed = seed;
        SimulatedTrack t(p, 22050);
        const auto s = trackSamples(p, static_cast<std::size_t>(t.edges().back().second + 8820));
        const auto& e = t.edges();
        // The jump's direction where the first beam goes dark.
        EXPECT_EQ(s[std::size_t(e[0].first)] - s[std::size_t(e[0].first) - 1] > 0, seed == 1u);
        for (const SignalKind kind : {SignalKind::Edges, SignalKind::Tone}) {
            MeasurementStore store;
            store.initialise();
            store.Signal = kind;
            RecordingOutput out;
            LightBarrierDetector d(store, out);
            d.reset();
            std::vector<std::int16_t> settle(4410, 0);
            d.analyse(reinterpret_cast<const char*>(settle.data()), 8820);
            for (std::size_t at = 0; at + 4410 <= s.size(); at += 4410)
                d.analyse(reinterpret_cast<const char*>(s.data() + at), 8820);
            ASSERT_EQ(d.EventCount, 10) << "seed " << seed;
            if (kind == SignalKind::Tone) {
                EXPECT_EQ(out.hints, QStringList{steadyVoltageHint()}) << "seed " << seed;
                continue;
            }
            EXPECT_EQ(out.status, statusEnded());
            const double t0 = double(e[0].first);
            for (int k = 0; k < 10; ++k) {
                EXPECT_NEAR(store.RunTimes[0][k], (e[k].first - t0) / 22050 - 0.0003,
                            1.0 / 22050 + 1e-9);
                EXPECT_NEAR(store.RunTimes[1][k], (e[k].second - t0) / 22050 - 0.0003,
                            1.0 / 22050 + 1e-9);
            }
        }
    }
}
