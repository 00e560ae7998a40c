// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/lightbarrierdetector.h"
#include "store/numberformat.h"
#include "tests/acquisition/detection_fixture.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace kelmot;
using namespace kelmot::test;

namespace {

class Detection : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale::c());
        store.initialise();
        detector.reset();
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // Delivers `samples` in buffers of `perBuffer`, after the ignored first one.
    void feed(const std::vector<std::int16_t>& samples, std::size_t perBuffer = SamplesPerBuffer,
              bool withSettlingBuffer = true) {
        if (withSettlingBuffer) {
            std::vector<std::int16_t> settle(perBuffer, 0);
            deliver(settle);
        }
        for (std::size_t at = 0; at < samples.size(); at += perBuffer) {
            std::vector<std::int16_t> chunk(perBuffer, 0);
            std::copy_n(samples.begin() + at, std::min(perBuffer, samples.size() - at),
                        chunk.begin());
            deliver(chunk);
        }
    }
    void deliver(const std::vector<std::int16_t>& chunk) {
        detector.analyse(reinterpret_cast<const char*>(chunk.data()),
                         static_cast<int>(chunk.size() * 2));
    }

    MeasurementStore store;
    RecordingOutput out;
    LightBarrierDetector detector{store, out};
};

} // namespace

TEST_F(Detection, SilenceWaitsForStartInRed) {
    feed(std::vector<std::int16_t>(SamplesPerBuffer, 0));
    EXPECT_EQ(detector.EventCount, 0);
    EXPECT_EQ(out.status, "  Warte auf Start  ");
    EXPECT_EQ(out.statusColour, Red);
    EXPECT_TRUE(out.times.empty());
    EXPECT_EQ(detector.BufferCount, 2);
}

TEST_F(Detection, TheFirstBufferAfterStartIsIgnoredEvenAboveThreshold) {
    std::vector<std::int16_t> loud(SamplesPerBuffer, 20000);
    deliver(loud);
    EXPECT_EQ(detector.Dark, 0);
    EXPECT_EQ(detector.EventCount, 0);
    EXPECT_EQ(out.status, "  Warte auf Start  "); // the status updates also on it
}

TEST_F(Detection, ThresholdEqualityCountsAsBright) {
    std::vector<std::int16_t> s(SamplesPerBuffer, 0);
    s[100] = 5000;
    s[200] = 5001;
    feed(s);
    EXPECT_EQ(detector.EventCount, 1);
    EXPECT_EQ(detector.StartIndex, SamplesPerBuffer + 200);
    // One sample above followed by eight at or below: a complete event.
    EXPECT_DOUBLE_EQ(store.RunTimes[0][0], -0.0003);
    EXPECT_DOUBLE_EQ(store.RunTimes[1][0], -0.0003);
    EXPECT_EQ(out.status, "  Messung gestartet  ");
    EXPECT_EQ(out.statusColour, Green);
}

TEST_F(Detection, SevenLowSamplesContinueADarkPhaseEightEndIt) {
    std::vector<std::int16_t> s(SamplesPerBuffer, 0);
    for (int i = 1000; i < 1010; ++i)
        s[i] = 9000;
    for (int i = 1017; i < 1020; ++i) // 7 low samples (1010..1016), then dark again
        s[i] = 9000;
    for (int i = 1028; i < 1030; ++i) // 8 low samples (1020..1027): ended before this
        s[i] = 9000;
    feed(s);
    EXPECT_EQ(detector.EventCount, 2);
    EXPECT_DOUBLE_EQ(store.RunTimes[1][0], static_cast<double>(19.0L / 22050 - 0.0003L));
    EXPECT_DOUBLE_EQ(store.RunTimes[0][1], static_cast<double>(28.0L / 22050 - 0.0003L));
}

TEST_F(Detection, AnEventAcrossTwoBuffersEqualsTheSameSamplesInOne) {
    std::vector<std::int16_t> s(2 * SamplesPerBuffer, 0);
    for (int i = SamplesPerBuffer - 50; i < SamplesPerBuffer + 30; ++i)
        s[i] = 7000;
    for (int i = SamplesPerBuffer + 300; i < SamplesPerBuffer + 420; ++i)
        s[i] = 7000;
    feed(s, SamplesPerBuffer);
    const double split[2][2] = {{store.RunTimes[0][0], store.RunTimes[1][0]},
                                {store.RunTimes[0][1], store.RunTimes[1][1]}};
    MeasurementStore other;
    other.initialise();
    RecordingOutput out2;
    LightBarrierDetector one(other, out2);
    one.reset();
    std::vector<std::int16_t> settle(2 * SamplesPerBuffer, 0);
    one.analyse(reinterpret_cast<const char*>(settle.data()), 4 * SamplesPerBuffer);
    one.analyse(reinterpret_cast<const char*>(s.data()), 4 * SamplesPerBuffer);
    EXPECT_EQ(one.EventCount, 2);
    EXPECT_DOUBLE_EQ(other.RunTimes[0][0], split[0][0]);
    EXPECT_DOUBLE_EQ(other.RunTimes[1][0], split[0][1]);
    EXPECT_DOUBLE_EQ(other.RunTimes[0][1], split[1][0]);
    EXPECT_DOUBLE_EQ(other.RunTimes[1][1], split[1][1]);
    EXPECT_DOUBLE_EQ(split[1][1], static_cast<double>(469.0L / 22050 - 0.0003L));
}

TEST_F(Detection, StartInTheSecondBufferAndALaterEdgeOneSecondOn) {
    std::vector<std::int16_t> s(6 * SamplesPerBuffer, 0);
    s[1000] = 6000;
    s[1000 + 22050] = 6000;
    feed(s);
    EXPECT_EQ(detector.StartIndex, 5410);
    EXPECT_DOUBLE_EQ(store.RunTimes[0][1], 0.9997);
}

TEST_F(Detection, FullRunGivesTheExactTimesAndCommitsTheSeries) {
    const std::int64_t S = 2000;
    feed(fullRunSignal(S, 441));
    ASSERT_EQ(detector.EventCount, 10);
    for (int k = 0; k < 10; ++k) {
        EXPECT_DOUBLE_EQ(store.RunTimes[0][k], static_cast<double>(k * 4410.0L / 22050 - 0.0003L));
        EXPECT_DOUBLE_EQ(store.RunTimes[1][k],
                         static_cast<double>((k * 4410.0L + 440) / 22050 - 0.0003L));
        EXPECT_DOUBLE_EQ(store.SeriesDarkTimes[0][k], store.RunTimes[0][k]);
        EXPECT_DOUBLE_EQ(store.SeriesBrightTimes[0][k], store.RunTimes[1][k]);
    }
    EXPECT_NEAR(store.RunTimes[0][9], 1.7997, 1e-12);
    EXPECT_NEAR(store.RunTimes[1][0], 0.019655, 1e-6);
    // The run ends 8 samples after the last dark sample of beam 9.
    EXPECT_EQ(detector.SampleIndex, SamplesPerBuffer + S + 4410 * 9 + 440 + 8);
    EXPECT_EQ(out.status, "  Messung beendet  ");
    EXPECT_EQ(out.statusColour, Red);
    EXPECT_EQ(out.stops, 1);
    EXPECT_TRUE(store.DataPresent);
    EXPECT_EQ(store.SeriesName[0], "Messung 1");
    EXPECT_EQ(out.selector.items, QStringList{"Messung 1"});
    EXPECT_EQ(formatFixed(out.times.at({1, 1}), 2), "0.00");
    EXPECT_EQ(formatFixed(out.times.at({2, 1}), 2), "0.02");
    EXPECT_EQ(formatFixed(out.times.at({1, 10}), 2), "1.80");
}

TEST_F(Detection, TheTenthBrightEdgeInMidBufferEndsTheRunThere) {
    store.SeriesResolution[0] = 1;
    auto s = fullRunSignal(100, 50);
    // A further beam in the same buffer after the end must not count.
    s[100 + 4410 * 9 + 1000] = 30000;
    feed(s);
    EXPECT_EQ(detector.EventCount, 10);
    EXPECT_EQ(detector.SampleIndex, SamplesPerBuffer + 100 + 4410 * 9 + 49 + 8);
    EXPECT_EQ(out.stops, 1);
    EXPECT_EQ(formatFixed(out.times.at({2, 10}), 3), "1.802");
    // Later buffers (a handler still called while draining) change nothing.
    const int updates = out.statusUpdates;
    feed(std::vector<std::int16_t>(SamplesPerBuffer, 30000), SamplesPerBuffer, false);
    EXPECT_EQ(out.stops, 1);
    EXPECT_EQ(store.MeasurementNumber, 1);
    EXPECT_EQ(out.statusUpdates, updates + 1);
}

TEST_F(Detection, AbortedRunIsNeverCommitted) {
    auto s = fullRunSignal(100, 50);
    s.resize(3 * SamplesPerBuffer);
    feed(s);
    EXPECT_EQ(detector.EventCount, 3);
    detector.abort();
    feed(std::vector<std::int16_t>(SamplesPerBuffer, 0), SamplesPerBuffer, false);
    EXPECT_EQ(out.stops, 0);
    EXPECT_FALSE(store.DataPresent);
    EXPECT_TRUE(store.SeriesName[0].isEmpty());
    EXPECT_DOUBLE_EQ(store.RunTimes[0][2], static_cast<double>(0.4L - 0.0003L));
}

TEST_F(Detection, ThresholdIsReadForEverySample) {
    std::vector<std::int16_t> s(SamplesPerBuffer, 3000);
    feed(s);
    EXPECT_EQ(detector.Dark, 0);
    store.Threshold = 2000; // the settings scroll bar, mid-run
    deliver(s);
    EXPECT_EQ(detector.Dark, 1);
    store.Threshold = -40000; // any integer is taken as it is
    std::vector<std::int16_t> low(SamplesPerBuffer, -32768);
    deliver(low);
    EXPECT_EQ(detector.Dark, 1);
}

TEST_F(Detection, OddByteCountsAndTinyBuffersAreSafe) {
    std::vector<std::int16_t> s(3, 9000);
    detector.analyse(reinterpret_cast<const char*>(s.data()), 5);
    detector.analyse(reinterpret_cast<const char*>(s.data()), 5);
    EXPECT_EQ(detector.SamplesPerBuffer, 2);
    EXPECT_EQ(detector.Dark, 1);
    detector.analyse(nullptr, 0);
    EXPECT_EQ(detector.BufferCount, 3);
}
