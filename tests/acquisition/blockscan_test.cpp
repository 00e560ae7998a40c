// SPDX-License-Identifier: GPL-3.0-or-later
// The detection passes over quiet stretches a block of samples at a time.
// Buffers shorter than a block are read sample by sample, so the same
// samples in buffers of 63 must give the same run as in buffers of 4410:
// every time to the sample, the end and the steady-voltage warning.
#include "acquisition/lightbarrierdetector.h"
#include "tests/acquisition/detection_fixture.h"
#include "tests/acquisition/steadyvoltage.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

using namespace kelmot;
using namespace kelmot::test;

namespace {

constexpr std::size_t Total = 4410 * 14; // a multiple of both buffer sizes

struct Outcome {
    std::vector<double> dark, bright;
    bool ended = false;
    bool steadyVoltage = false;
    bool operator==(const Outcome&) const = default;
};

Outcome detect(const std::vector<std::int16_t>& s, SignalKind kind, std::int32_t threshold,
               std::size_t perBuffer) {
    MeasurementStore store;
    store.initialise();
    store.Signal = kind;
    store.Threshold = threshold;
    RecordingOutput out;
    LightBarrierDetector detector(store, out);
    detector.reset();
    const std::vector<std::int16_t> settling(perBuffer, 0); // the ignored first buffer
    detector.analyse(reinterpret_cast<const char*>(settling.data()), int(perBuffer * 2));
    for (std::size_t at = 0; at + perBuffer <= s.size() && !detector.ended(); at += perBuffer)
        detector.analyse(reinterpret_cast<const char*>(s.data() + at), int(perBuffer * 2));
    return {detector.DarkTimes, detector.BrightTimes, detector.ended(),
            detector.looksLikeSteadyVoltage()};
}

// Ten tone bursts of random length and loudness over noise of a random
// level, some of it beyond the threshold, with now and then a spike below
// the band between the bursts.
std::vector<std::int16_t> toneRun(std::mt19937& random, std::int32_t threshold) {
    std::uniform_real_distribution<double> unit(0, 1);
    const double noise = std::abs(threshold) * (unit(random) < 0.3 ? 1.1 : 0.8);
    std::vector<std::int16_t> s(Total);
    for (auto& v : s)
        v = std::int16_t(std::clamp(noise * (2 * unit(random) - 1), -32768.0, 32767.0));
    for (int k = 0; k < 10; ++k) {
        const std::size_t at = 3000 + std::size_t(k) * 5500 + std::size_t(unit(random) * 600);
        const double loud = std::min(32767.0, std::abs(threshold) + 300 + unit(random) * 20000);
        const int length = 60 + int(unit(random) * 1500);
        for (int i = 0; i < length; ++i)
            s[at + std::size_t(i)] = std::int16_t(loud * std::sin(2 * std::numbers::pi * i / 10));
        if (unit(random) < 0.5) s[at + std::size_t(length) + 400] = -32768;
    }
    return s;
}

// A steady-voltage barrier through an AC-coupled input, of random make.
std::vector<std::int16_t> steadyRun(std::mt19937& random) {
    std::uniform_real_distribution<double> unit(0, 1);
    SteadyVoltageRecording r =
        cartRun(3 + unit(random) * 40, unit(random) < 0.2 ? 0 : 5 + unit(random) * 60,
                unit(random) < 0.5 ? 1 : 2, unit(random) < 0.5);
    r.start = 2000 + std::int64_t(unit(random) * 3000);
    r.amplitude = 4000 + unit(random) * 20000;
    r.noiseAmplitude = unit(random) * 800;
    r.humAmplitude = unit(random) * 500;
    r.offsetFrom = -1000 * unit(random);
    r.offsetTo = 1000 * unit(random);
    r.total = Total;
    return r.samples();
}

} // namespace

TEST(BlockScan, ToneAndEdgesGiveTheSameRunAsSampleBySample) {
    std::mt19937 random(20261211);
    std::uniform_int_distribution<std::int32_t> anyThreshold(300, 16000);
    const std::int32_t edgeCases[] = {0, 1, 32766, 32767, 40000, -5};
    int ended[2] = {0, 0};
    int warned = 0;
    for (int trial = 0; trial < 60; ++trial) {
        const std::int32_t threshold = trial < 6 ? edgeCases[trial] : anyThreshold(random);
        const std::vector<std::int16_t> tone = toneRun(random, threshold);
        const std::vector<std::int16_t> steady = steadyRun(random);
        for (const auto& [samples, kind] : {std::pair{&tone, SignalKind::Tone},
                                            {&steady, SignalKind::Tone},
                                            {&steady, SignalKind::Edges}}) {
            const Outcome blocks = detect(*samples, kind, threshold, 4410);
            const Outcome single = detect(*samples, kind, threshold, 63);
            ASSERT_EQ(blocks, single) << "trial " << trial << ", threshold " << threshold;
            ended[kind == SignalKind::Edges] += blocks.ended;
            warned += blocks.steadyVoltage;
        }
    }
    // Enough whole runs and warnings that the comparison says something.
    EXPECT_GT(ended[0], 40);
    EXPECT_GT(ended[1], 20);
    EXPECT_GT(warned, 10);
}
