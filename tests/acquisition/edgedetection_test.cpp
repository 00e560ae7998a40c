// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/edgerule.h"
#include "acquisition/lightbarrierdetector.h"
#include "tests/acquisition/detection_fixture.h"
#include "tests/acquisition/steadyvoltage.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace kelmot;
using namespace kelmot::test;

namespace {

constexpr double OneSample = 1.0 / 22050 + 1e-9;

// A run as "Messen" starts it: a settling buffer, then the recording in the
// capture's buffers.
struct DetectedRun {
    MeasurementStore store;
    RecordingOutput out;
    LightBarrierDetector detector{store, out};

    DetectedRun(const std::vector<std::int16_t>& samples, SignalKind kind, int threshold) {
        store.initialise();
        store.Signal = kind;
        store.Threshold = threshold;
        detector.reset();
        deliver(std::vector<std::int16_t>(SamplesPerBuffer, 0));
        for (std::size_t at = 0; at < samples.size(); at += SamplesPerBuffer) {
            std::vector<std::int16_t> chunk(SamplesPerBuffer, 0);
            std::copy_n(samples.begin() + std::ptrdiff_t(at),
                        std::min<std::size_t>(SamplesPerBuffer, samples.size() - at),
                        chunk.begin());
            deliver(chunk);
        }
    }
    void deliver(const std::vector<std::int16_t>& chunk) {
        detector.analyse(reinterpret_cast<const char*>(chunk.data()), int(chunk.size() * 2));
    }
    bool ended() const { return store.MeasurementNumber == 1; }
};

// Times as the unfiltered signal has them: from the first dark edge, less 0.3 ms.
double timeOf(std::int64_t index, std::int64_t first) {
    return double((index - first) / 22050.0L - 0.0003L);
}

// Every committed time within one sample of the unfiltered signal's edges.
void expectTimesOf(const DetectedRun& run, const SteadyVoltageRecording& r) {
    ASSERT_TRUE(run.ended());
    const auto edges = r.edges();
    for (int k = 0; k < 10; ++k) {
        EXPECT_NEAR(run.store.SeriesDarkTimes[0][k], timeOf(edges[k].first, edges[0].first),
                    OneSample)
            << "beam " << k;
        EXPECT_NEAR(run.store.SeriesBrightTimes[0][k], timeOf(edges[k].second, edges[0].first),
                    OneSample)
            << "beam " << k;
    }
}

} // namespace

TEST(EdgeDetection, TimesWithinOneSampleThroughHighPassesOfBothOrdersAndPolarities) {
    // A slow flag lets the input's decay run out before the beam is free
    // again; behind a fast one (3 ms, a picket fence's band in free fall)
    // the signal still stands high when it jumps back.
    for (const double cutoff : {10.0, 20.0, 40.0})
        for (const int order : {1, 2})
            for (const bool highWhileBright : {false, true})
                for (const double darkMs : {3.0, 60.0}) {
                    SCOPED_TRACE(testing::Message()
                                 << cutoff << " Hz, order " << order << ", high while "
                                 << (highWhileBright ? "bright" : "dark") << ", " << darkMs
                                 << " ms");
                    const auto r = cartRun(darkMs, cutoff, order, highWhileBright);
                    const DetectedRun run(r.samples(), SignalKind::Edges, 6000);
                    expectTimesOf(run, r);
                    EXPECT_EQ(run.detector.looksLikeSteadyVoltage(), false);
                    EXPECT_EQ(run.out.status, statusEnded());
                    EXPECT_TRUE(run.out.hints.isEmpty());
                }
}

TEST(EdgeDetection, HumNoiseAndADriftingOffsetChangeNoTime) {
    for (const bool highWhileBright : {false, true}) {
        auto r = cartRun(25, 20, 2, highWhileBright);
        r.humAmplitude = 1500;
        r.noiseAmplitude = 800;
        r.offsetFrom = -2500;
        r.offsetTo = 3000;
        const DetectedRun run(r.samples(), SignalKind::Edges, 6000);
        expectTimesOf(run, r);
    }
}

TEST(EdgeDetection, AnInputWithoutHighPassMeasuresTheSame) {
    // A DC-coupled input (or a card with a very low corner) passes the
    // steady level itself: the jumps are the same.
    const auto r = cartRun(40, 0, 1, true);
    const DetectedRun run(r.samples(), SignalKind::Edges, 6000);
    expectTimesOf(run, r);
}

TEST(EdgeDetection, TheFirstChangeFixesWhichWayIsDarkAndRingingIsNoChange) {
    EdgeRule rule;
    std::int64_t n = 0;
    auto feedAll = [&](std::initializer_list<int> values) {
        std::vector<EdgeRule::Change> changes;
        for (const int v : values) {
            const auto c = rule.feed(n++, v, 5000);
            if (c != EdgeRule::Change::None) changes.push_back(c);
        }
        return changes;
    };
    EXPECT_TRUE(feedAll({0, 0, 0, 0, 0, 0, 0, 0}).empty());
    // A jump down first: this barrier goes low where its beam goes dark.
    EXPECT_EQ(feedAll({-9000}), std::vector{EdgeRule::Change::Dark});
    EXPECT_EQ(rule.polarity(), -1);
    EXPECT_TRUE(rule.dark());
    // The input rings after the jump, either way, well beyond the
    // threshold: within the hold-off that is no change.
    EXPECT_TRUE(
        feedAll({-9000, +1000, -9000, +1000, -9000, +1000, -8000, -7000, -6000, -6000, -6000,
                 -6000, -6000, -6000, -6000, -6000, -6000, -6000, -6000, -6000, -6000})
            .empty());
    EXPECT_TRUE(rule.dark());
    // Past the hold-off, a further jump down is not a change: the beam is dark already.
    EXPECT_TRUE(feedAll({-6000, -6000, -6000, -6000, -6000, -6000, -15000}).empty());
    // A jump up frees the beam, from wherever the decay had got to.
    EXPECT_TRUE(feedAll({-15000, -15000, -15000, -15000, -15000, -15000}).empty());
    EXPECT_EQ(feedAll({-4000}), std::vector{EdgeRule::Change::Bright});
    EXPECT_FALSE(rule.dark());
    // A slow drift, however far, is never a change.
    rule.reset();
    n = 0;
    for (int i = 0; i < 4000; ++i) {
        EXPECT_EQ(rule.feed(n++, i * 10, 5000), EdgeRule::Change::None) << i;
        if (HasFailure()) break;
    }
    EXPECT_EQ(rule.polarity(), 0);
}

TEST(EdgeDetection, TheToneRuleWarnsOnASteadyVoltageAndShowsTheRunAsFound) {
    // The cart's flag darkens the beams for 47 ms down to 30 ms: read by the
    // tone's rule through a 20 Hz input every dark phase ends after about
    // 10 ms, or (high while bright) the dark and bright times swap.
    for (const bool highWhileBright : {false, true})
        for (const double cutoff : {20.0, 40.0}) {
            SCOPED_TRACE(testing::Message()
                         << cutoff << " Hz, high while " << (highWhileBright ? "bright" : "dark"));
            const auto r = cartRun(47, cutoff, 1, highWhileBright);
            const DetectedRun run(r.samples(), SignalKind::Tone, 6000);
            ASSERT_TRUE(run.ended());
            EXPECT_TRUE(run.detector.looksLikeSteadyVoltage());
            EXPECT_EQ(run.out.status, statusEnded());
            EXPECT_EQ(run.out.hints, QStringList{steadyVoltageHint()});
            EXPECT_EQ(run.out.statusColour, Red);
            const double shown =
                run.store.SeriesBrightTimes[0][0] - run.store.SeriesDarkTimes[0][0];
            EXPECT_LT(shown, 0.02); // the run stands as found
        }
}

TEST(EdgeDetection, NoWarningForAToneOrADarkLevel) {
    // A tone while dark, as the track's interface box sends it, directly and
    // through a 20 Hz input: its swings below zero all lie inside the dark
    // phases. The same for a level that stays high while dark.
    for (const double cutoff : {0.0, 20.0}) {
        auto r = cartRun(30, 0, 1, false);
        std::vector<std::int16_t> s = r.samples();
        const auto edges = r.edges();
        for (const auto& [first, last] : edges)
            for (std::int64_t i = first; i <= last; ++i)
                s[std::size_t(i)] = std::int16_t(
                    12000 * std::sin(2 * std::numbers::pi * 2000 * double(i - first) / 22050));
        if (cutoff > 0) {
            const double tau = 1 / (2 * std::numbers::pi * cutoff);
            const double alpha = tau / (tau + 1.0 / 22050);
            double previousIn = 0, previousOut = 0;
            for (std::int16_t& v : s) {
                const double y = alpha * (previousOut + v - previousIn);
                previousIn = v;
                previousOut = y;
                v = std::int16_t(std::lround(y));
            }
        }
        const DetectedRun tone(s, SignalKind::Tone, 6000);
        ASSERT_TRUE(tone.ended()) << cutoff;
        EXPECT_FALSE(tone.detector.looksLikeSteadyVoltage()) << cutoff;
        EXPECT_EQ(tone.out.status, statusEnded()) << cutoff;
        EXPECT_TRUE(tone.out.hints.isEmpty()) << cutoff;
    }
    // A steady voltage through an input that passes it almost whole (1 Hz)
    // holds above the threshold until the beam is free: the tone's rule
    // measures it right, and the swing behind each beam is no reason to warn.
    const auto slow = cartRun(60, 1, 1, false);
    const DetectedRun whole(slow.samples(), SignalKind::Tone, 3000);
    expectTimesOf(whole, slow);
    EXPECT_FALSE(whole.detector.looksLikeSteadyVoltage());
    const DetectedRun level(fullRunSignal(100, 300), SignalKind::Tone, 5000);
    ASSERT_TRUE(level.ended());
    EXPECT_FALSE(level.detector.looksLikeSteadyVoltage());
}

TEST(EdgeDetection, TheKindChosenAtMessenHoldsForTheWholeRun) {
    const auto r = cartRun(40, 20, 1, false);
    const auto samples = r.samples();
    MeasurementStore store;
    store.initialise();
    store.Threshold = 6000;
    store.Signal = SignalKind::Edges;
    RecordingOutput out;
    LightBarrierDetector detector(store, out);
    detector.reset();
    std::vector<std::int16_t> chunk(SamplesPerBuffer, 0);
    detector.analyse(reinterpret_cast<const char*>(chunk.data()), int(chunk.size() * 2));
    for (std::size_t at = 0; at < samples.size(); at += SamplesPerBuffer) {
        // Chosen in the settings while the run measures: from the next run on.
        if (at == 4 * SamplesPerBuffer) store.Signal = SignalKind::Tone;
        std::fill(chunk.begin(), chunk.end(), std::int16_t{0});
        std::copy_n(samples.begin() + std::ptrdiff_t(at),
                    std::min<std::size_t>(SamplesPerBuffer, samples.size() - at), chunk.begin());
        detector.analyse(reinterpret_cast<const char*>(chunk.data()), int(chunk.size() * 2));
    }
    ASSERT_EQ(store.MeasurementNumber, 1);
    const auto edges = r.edges();
    EXPECT_NEAR(store.SeriesBrightTimes[0][9], timeOf(edges[9].second, edges[0].first), OneSample);
}
