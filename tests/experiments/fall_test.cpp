// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/fallanalysis.h"
#include "platform/wavstream.h"
#include "tests/experiments/exactdrop.h"
#include "tests/experiments/fencerecording.h"

#include <QLocale>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

std::vector<FallDrop> analyse(const FenceRecording& recording, const FenceGeometry& fence,
                              FallAnalysis* analysis = nullptr) {
    QTemporaryDir dir;
    const QString path = dir.filePath("fall.wav");
    EXPECT_EQ(recording.write(path), "");
    std::string error;
    auto stream = WavStream::open(path.toStdString(), 22050, error);
    EXPECT_TRUE(stream) << error;
    std::vector<FallDrop> drops;
    if (!stream) return drops;
    const FallAnalysis result = analyseFallRecording(*stream, 5000, SignalKind::Tone, fence,
                                                     [&](int number, const FallDrop& drop) {
                                                         EXPECT_EQ(number, int(drops.size()) + 1);
                                                         drops.push_back(drop);
                                                     });
    EXPECT_EQ(result.error, "");
    if (analysis) *analysis = result;
    return drops;
}

FenceGeometry geometryOf(const FenceDropParameters& p) {
    FenceGeometry fence;
    fence.bands = p.bands;
    fence.pitchMm = p.pitchMm;
    fence.bandWidthMm = p.bandWidthMm;
    return fence;
}

} // namespace

TEST(PicketFence, AGeometryOutsideItsRangeSaysWhichValue) {
    EXPECT_FALSE(fenceGeometryProblem(FenceGeometry{}));
    auto problem = [](int bands, double pitch, double width) {
        return fenceGeometryProblem(FenceGeometry{bands, pitch, width}).value_or(QString());
    };
    EXPECT_TRUE(problem(1, 50, 25).contains("Latten")) << problem(1, 50, 25).toStdString();
    EXPECT_TRUE(problem(31, 50, 25).contains("30"));
    EXPECT_TRUE(problem(30, 50, 25).isEmpty());
    EXPECT_TRUE(problem(2, 50, 25).isEmpty());
    EXPECT_TRUE(problem(8, 0, 25).contains("Lattenabstand"));
    EXPECT_TRUE(problem(8, std::nan(""), 25).contains("Lattenabstand"));
    EXPECT_TRUE(problem(8, 501, 25).contains("500"));
    EXPECT_TRUE(problem(8, 50, 50).contains("Lattenbreite")) << "the beam must see a gap";
    EXPECT_TRUE(problem(8, 50, -1).contains("Lattenbreite"));
    EXPECT_TRUE(problem(8, 500, 499.9).isEmpty());
    const RunLength length = fenceRunLength(FenceGeometry{12, 40, 20});
    EXPECT_EQ(length.events, 12);
    EXPECT_EQ(length.quietSamples, 22050);
    EXPECT_FALSE(length.track());
}

TEST(FallFit, ExactTimesGiveGExactlyFromTheParabolaAndTheSpeeds) {
    const FenceGeometry fence{6, 40, 15};
    const double g = 9.5, v0 = 0.6;
    FallDrop drop = exactDrop(fence, g, v0);
    const auto result = fitFall(drop, fence);
    ASSERT_TRUE(result);
    EXPECT_NEAR(result->g().value, g, 1e-9);
    EXPECT_LT(result->g().uncertainty, 1e-6);
    EXPECT_NEAR(result->parabola.v0.value, v0, 1e-9);
    EXPECT_NEAR(result->parabola.rSquared, 1, 1e-12);
    // Under uniform acceleration the mean speed over a band is the speed at
    // the middle of its dark interval: the line's slope is g too.
    ASSERT_TRUE(result->line);
    EXPECT_NEAR(result->line->slope.value, g, 1e-9);
    EXPECT_NEAR(result->differencePercent(), (9.5 - 9.81) / 9.81 * 100, 1e-7);
    const auto points = fallPoints(drop, fence);
    ASSERT_EQ(points.size(), 6u);
    EXPECT_DOUBLE_EQ(points[2].position, 0.08);
    EXPECT_DOUBLE_EQ(points[2].speed, 0.015 / (drop.brightTimes[2] - drop.darkTimes[2]));
    // Fewer than four bands: no g.
    drop.darkTimes.resize(3);
    drop.brightTimes.resize(3);
    EXPECT_FALSE(fitFall(drop, fence));
}

TEST(FallFit, GIsWrittenAsPhysicistsWriteIt) {
    EXPECT_EQ(gText({9.80612, 0.01234}, QLocale(QLocale::German, QLocale::Germany)),
              "g = (9,806 ± 0,012) m/s²");
    EXPECT_EQ(gText({9.80612, 0.01234}, QLocale::c()), "g = (9.806 ± 0.012) m/s²");
}

// Simulated drops with g = 9.81 and with another g, so that no constant
// passes: the analysis of the recording finds each within 0.2 %, with noise
// and hum, for a fast fence and a slow one.
TEST(FallAnalysis, RecordedDropsGiveTheirGWithinATenthOfAPercent) {
    struct Case {
        double g;
        int bands;
        double pitch, width;
    };
    for (const Case c : {Case{9.81, 8, 50, 25}, Case{9.5, 8, 50, 25}, Case{9.81, 20, 20, 10},
                         Case{12.0, 5, 100, 40}}) {
        SCOPED_TRACE(testing::Message() << "g " << c.g << ", " << c.bands << " bands of " << c.width
                                        << " mm every " << c.pitch << " mm");
        FenceDropParameters p;
        p.g = c.g;
        p.dragPerMetre = 0;
        p.bands = c.bands;
        p.pitchMm = c.pitch;
        p.bandWidthMm = c.width;
        p.noise = 600;
        const FenceRecording recording(p, 3, 1500);
        FallAnalysis analysis;
        const auto drops = analyse(recording, geometryOf(p), &analysis);
        ASSERT_EQ(drops.size(), 3u);
        for (const FallDrop& drop : drops) {
            EXPECT_TRUE(drop.complete);
            ASSERT_EQ(drop.bands(), c.bands);
            const auto result = fitFall(drop, geometryOf(p));
            ASSERT_TRUE(result);
            EXPECT_NEAR(result->g().value, c.g, 0.002 * c.g);
            // The speeds come from dark intervals of a few milliseconds in
            // whole samples (45 µs): the line's g is rougher than the parabola's.
            ASSERT_TRUE(result->line);
            EXPECT_NEAR(result->line->slope.value, c.g, 0.03 * c.g);
        }
        EXPECT_EQ(analysis.edges, 3 * 2 * c.bands);
    }
}

// The stated uncertainty is honest: over 100 seeded drops (the timing's
// whole samples and the bands' edges up to 0.1 mm off) it covers the true g
// in about two drops of three.
TEST(FallAnalysis, TheUncertaintyCoversTheTrueGInAboutTwoDropsOfThree) {
    FenceDropParameters p;
    p.dragPerMetre = 0;
    const FenceRecording recording(p, 100);
    const auto drops = analyse(recording, geometryOf(p));
    ASSERT_EQ(drops.size(), 100u);
    int covered = 0;
    for (const FallDrop& drop : drops) {
        const auto result = fitFall(drop, geometryOf(p));
        ASSERT_TRUE(result);
        if (std::abs(result->g().value - p.g) <= result->g().uncertainty) ++covered;
    }
    std::printf("coverage of the true g by its standard uncertainty: %d of 100 drops\n", covered);
    EXPECT_GE(covered, 50);
    EXPECT_LE(covered, 85);
}

// A fence dropped crooked misses the beam with some bands: the drop ends a
// quiet second after the last band it showed, says how many it saw, and
// gives no g from fewer than four. A bounce after a complete drop is no drop.
TEST(FallAnalysis, MissingBandsEndTheDropAndABounceIsIgnored) {
    FenceDropParameters p;
    const FenceRecording whole(p, 2);
    FenceRecording crooked = whole;
    // Drop 1 shows only its first three bands.
    for (std::size_t k = 3; k < crooked.drops[0].size(); ++k)
        for (std::int64_t n = crooked.drops[0][k].first; n <= crooked.drops[0][k].second; ++n)
            crooked.samples[std::size_t(n)] = 0;
    // Drop 2 lands and bounces back through the beam 0.3 s after its last band.
    const std::int64_t bounce = crooked.drops[1].back().second + 6615;
    for (std::int64_t n = bounce; n < bounce + 300; ++n)
        crooked.samples[std::size_t(n)] = 12000;
    const auto drops = analyse(crooked, geometryOf(p));
    ASSERT_EQ(drops.size(), 2u);
    EXPECT_FALSE(drops[0].complete);
    EXPECT_EQ(drops[0].bands(), 3);
    EXPECT_FALSE(fitFall(drops[0], geometryOf(p)));
    EXPECT_TRUE(drops[1].complete);
    EXPECT_EQ(drops[1].bands(), 8);
    EXPECT_TRUE(fitFall(drops[1], geometryOf(p)));
}

// The demonstration's fence falls against a little air drag: its g comes
// out a few tenths of a percent low, never high.
TEST(FallAnalysis, TheDemonstrationsDragLowersGALittle) {
    const FenceRecording recording(FenceDropParameters{}, 5);
    const auto drops = analyse(recording, FenceGeometry{});
    ASSERT_EQ(drops.size(), 5u);
    for (const FallDrop& drop : drops) {
        const auto result = fitFall(drop, FenceGeometry{});
        ASSERT_TRUE(result);
        EXPECT_LT(result->g().value, 9.81 + result->g().uncertainty);
        EXPECT_GT(result->g().value, 9.81 * 0.99);
    }
}

TEST(FallFit, SeveralDropsGiveTheMeanGItsSpreadAndTheUncertaintyOfTheMean) {
    EXPECT_FALSE(fallSeries({}));
    EXPECT_FALSE(fallSeries({{9.8, 0.01}}));
    auto series = fallSeries({{9.80, 0.01}, {9.82, 0.01}});
    ASSERT_TRUE(series);
    EXPECT_EQ(series->drops, 2);
    EXPECT_NEAR(series->meanG.value, 9.81, 1e-12);
    EXPECT_NEAR(series->deviation, 0.02 / std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(series->meanG.uncertainty, 0.01, 1e-12); // s/√n beats √Σu²/n = 0.0071
    // Identical drops do not make an exact mean: their own uncertainties hold.
    series = fallSeries({{9.81, 0.03}, {9.81, 0.03}, {9.81, 0.03}});
    ASSERT_TRUE(series);
    EXPECT_NEAR(series->meanG.uncertainty, std::sqrt(3 * 0.03 * 0.03) / 3, 1e-12);
}
