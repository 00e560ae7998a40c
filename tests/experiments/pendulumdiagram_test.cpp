// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/pendulumdiagram.h"
#include "tests/experiments/recordedplot.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

using namespace kelmot;
using namespace kelmot::test;

namespace {

// Passages of an ideal swing: the bottom every half period, a bob of 20 mm
// whose speed there dies away as v₀·e^(−t/τ), the period lengthening by
// `drift` each period.
std::vector<Passage> idealPassages(int count, double period, double v0, double tau,
                                   double drift = 0) {
    std::vector<double> dark, bright;
    double t = 0.3;
    for (int i = 0; i < count; ++i) {
        const double v = v0 * std::exp(-t / tau);
        // The dark interval a sinusoidal swing of that speed gives (see lowestPointSpeed).
        const double omega = 2 * std::numbers::pi / period;
        const double interval = 2 * std::asin(0.02 * omega / (2 * v)) / omega;
        dark.push_back(t - interval / 2);
        bright.push_back(t + interval / 2);
        t += (period + drift * i / 2) / 2;
    }
    return passagesOf(dark, bright, 0.02);
}

PendulumDiagramInput inputOf(PendulumQuantity q, const std::vector<Passage>& passages) {
    PendulumDiagramInput in;
    in.quantity = q;
    in.passages = passages;
    in.bobWidth = 0.02;
    PendulumSetup setup;
    setup.periods = int(passages.size()) / 2;
    in.result = fitPendulum(passages, setup);
    in.locale = QLocale(QLocale::German, QLocale::Germany);
    return in;
}

} // namespace

// Every period a cross, the mean a dashed line through the row of them, the
// axis spanning the periods (not 0 to them), its labels in the locale's
// numbers, T in the caption.
TEST(PendulumDiagram, ThePeriodsLieOnTheirMeanAndTheAxisSpansThem) {
    const auto passages = idealPassages(21, 1.4185, 0.5, 60);
    const auto in = inputOf(PendulumQuantity::Period, passages);
    ASSERT_TRUE(in.result);
    RecordingCanvas c;
    const QString caption = drawPendulumDiagram(c, 413, 266, 1, in);
    EXPECT_EQ(caption, periodText(in.result->period, in.locale));
    EXPECT_TRUE(caption.startsWith("T = (1,41")) << caption.toStdString();
    const auto crosses = crossCentres(c, Navy);
    ASSERT_EQ(crosses.size(), 10u);
    for (const auto& [x, y] : crosses)
        EXPECT_LT(distanceToCurve(c, Red, x, y), 1.5) << x;
    // The periods are equal: the line lies mid-height, not at the bottom.
    EXPECT_GT(crosses[0].second, 266 / 4);
    EXPECT_LT(crosses[0].second, 266 * 3 / 4);
    bool labelled = false;
    for (const auto& l : c.labels())
        labelled |= l.text.startsWith("1,41");
    EXPECT_TRUE(labelled) << "a tick near the period, German";
    EXPECT_EQ(pendulumDiagramDescription(in),
              "Diagramm der Periode über der Zeit mit 10 Perioden. " + caption);
}

// A period that drifts shows as a slope across the axis: the first and last
// crosses far apart in height.
TEST(PendulumDiagram, ADriftingPeriodShowsAcrossTheAxis) {
    const auto in = inputOf(PendulumQuantity::Period, idealPassages(21, 1.4, 0.5, 1e9, 0.001));
    RecordingCanvas c;
    drawPendulumDiagram(c, 413, 266, 1, in);
    const auto crosses = crossCentres(c, Navy);
    ASSERT_EQ(crosses.size(), 10u);
    EXPECT_GT(crosses.front().second - crosses.back().second, 100) << "later periods are longer";
}

// The speeds from 0 up, on the fitted decay; τ and Q in the caption; on the
// printout the same, ten times enlarged.
TEST(PendulumDiagram, TheSpeedsLieOnTheirDecay) {
    const auto in = inputOf(PendulumQuantity::Speed, idealPassages(21, 1.4185, 0.5, 30));
    ASSERT_TRUE(in.result && in.result->decayTime);
    EXPECT_NEAR(in.result->decayTime->value, 30, 0.01);
    for (const int unit : {1, 10}) {
        RecordingCanvas c;
        const QString caption = drawPendulumDiagram(c, 413 * unit, 266 * unit, unit, in);
        EXPECT_TRUE(caption.startsWith("τ = (30,0")) << caption.toStdString();
        EXPECT_TRUE(caption.endsWith(", Q = 66")) << caption.toStdString();
        const auto crosses = crossCentres(c, Navy);
        ASSERT_EQ(crosses.size(), 21u);
        for (const auto& [x, y] : crosses)
            EXPECT_LT(distanceToCurve(c, Red, x, y), 1.5 * unit) << x;
        EXPECT_TRUE(hasLabel(c, "0,0") || hasLabel(c, "0")) << "the speed's axis starts at 0";
    }
}

// A swing just begun, or none: the frame and axes, no crosses, no caption;
// speeds from the bob's width before a period is known.
TEST(PendulumDiagram, ASwingJustBegunDrawsWhatItHas) {
    for (const auto q : {PendulumQuantity::Period, PendulumQuantity::Speed}) {
        RecordingCanvas c;
        EXPECT_EQ(drawPendulumDiagram(c, 413, 266, 1, inputOf(q, {})), "");
        EXPECT_TRUE(crossCentres(c, Navy).empty());
        EXPECT_FALSE(c.segments().empty()) << "the axes";
    }
    RecordingCanvas c;
    const auto two = inputOf(PendulumQuantity::Speed, idealPassages(2, 1.4, 0.5, 60));
    EXPECT_FALSE(two.result);
    EXPECT_EQ(drawPendulumDiagram(c, 413, 266, 1, two), "");
    EXPECT_EQ(crossCentres(c, Navy).size(), 2u);
}
