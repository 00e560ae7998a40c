// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/experimenttable.h"
#include "experiments/falldiagram.h"
#include "experiments/falltable.h"
#include "tests/experiments/exactdrop.h"
#include "tests/experiments/recordedplot.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace kelmot;
using kelmot::test::exactDrop;
using namespace kelmot::test;

namespace {

FallDiagramInput inputOf(FallQuantity q, const FallDrop& drop, const FenceGeometry& fence) {
    FallDiagramInput in;
    in.quantity = q;
    in.points = fallPoints(drop, fence);
    in.result = fitFall(drop, fence);
    in.locale = QLocale(QLocale::German, QLocale::Germany);
    return in;
}

} // namespace

TEST(FallDiagram, TicksStepByOneTwoOrFiveTimesAPowerOfTen) {
    EXPECT_DOUBLE_EQ(niceStep(0.35, 6), 0.1);
    EXPECT_DOUBLE_EQ(niceStep(0.2205, 8), 0.05);
    EXPECT_DOUBLE_EQ(niceStep(3.0, 6), 0.5);
    EXPECT_DOUBLE_EQ(niceStep(10, 5), 2);
    EXPECT_DOUBLE_EQ(niceStep(1, 10), 0.1); // exactly ten steps fit
    EXPECT_DOUBLE_EQ(niceStep(1.2, 1), 2);
    EXPECT_DOUBLE_EQ(niceStep(0, 5), 1);
    EXPECT_DOUBLE_EQ(niceStep(std::nan(""), 5), 1);
    EXPECT_DOUBLE_EQ(niceStep(-3, 5), 1);
}

// Every band a cross where its time and distance put it, the parabola
// through all of them, the axes labelled in the locale's numbers, the fit's
// caption at the top; on the printout the same, ten times enlarged.
TEST(FallDiagram, TheDistancesLieOnTheirParabola) {
    const FenceGeometry fence{8, 50, 25};
    for (const double g : {9.81, 4.0}) {
        const auto in = inputOf(FallQuantity::Distance, exactDrop(fence, g, 0.7), fence);
        ASSERT_TRUE(in.result);
        for (const int unit : {1, 10}) {
            RecordingCanvas c;
            const QString caption = drawFallDiagram(c, 413 * unit, 266 * unit, unit, in);
            EXPECT_TRUE(caption.startsWith("Parabel: g = (")) << caption.toStdString();
            EXPECT_TRUE(hasLabel(c, caption));
            const auto crosses = crossCentres(c, Navy);
            ASSERT_EQ(crosses.size(), 8u) << g << " " << unit;
            // Leading edges fall further with each band: up the diagram and to the right.
            for (std::size_t k = 1; k < crosses.size(); ++k) {
                EXPECT_GT(crosses[k].first, crosses[k - 1].first);
                EXPECT_LT(crosses[k].second, crosses[k - 1].second);
            }
            for (const auto& [x, y] : crosses)
                EXPECT_LT(distanceToCurve(c, Red, x, y), 1.5 * unit) << g << " " << x << "," << y;
            EXPECT_TRUE(hasLabel(c, "0,1")) << "distance ticks of 0.1 m";
            EXPECT_TRUE(hasLabel(c, "0,3"));
        }
    }
}

TEST(FallDiagram, TheSpeedsLieOnTheirLineAndABandWithoutSpeedIsLeftOut) {
    const FenceGeometry fence{10, 30, 10};
    FallDrop drop = exactDrop(fence, 9.81, 0.5);
    drop.brightTimes[4] = drop.darkTimes[4]; // never dark for a positive time
    const auto in = inputOf(FallQuantity::Speed, drop, fence);
    RecordingCanvas c;
    const QString caption = drawFallDiagram(c, 413, 266, 1, in);
    EXPECT_TRUE(caption.startsWith("Gerade: g = (")) << caption.toStdString();
    const auto crosses = crossCentres(c, Navy);
    ASSERT_EQ(crosses.size(), 9u);
    for (const auto& [x, y] : crosses)
        EXPECT_LT(distanceToCurve(c, Red, x, y), 1.5) << x << "," << y;
    EXPECT_EQ(fallDiagramDescription(in), "v-t-Diagramm des Falls mit 9 Latten. " + caption);
}

// Before the first band, while a drop runs, and from times no sound card
// gives: the frame at least, no fit, nothing drawn outside the picture.
TEST(FallDiagram, AnEmptyRunningOrSpoiledDropDrawsItsFrame) {
    const FenceGeometry fence{8, 50, 25};
    FallDiagramInput empty;
    RecordingCanvas c;
    EXPECT_EQ(drawFallDiagram(c, 413, 266, 1, empty), "");
    EXPECT_TRUE(crossCentres(c, Navy).empty());
    EXPECT_FALSE(c.boxes().empty());
    EXPECT_EQ(fallDiagramDescription(empty), "s-t-Diagramm des Falls mit 0 Latten.");

    FallDrop running = exactDrop(fence, 9.81, 0.7);
    running.darkTimes.resize(3);
    running.brightTimes.resize(3);
    FallDiagramInput live = inputOf(FallQuantity::Distance, running, fence);
    EXPECT_FALSE(live.result); // no fit from three bands
    RecordingCanvas l;
    EXPECT_EQ(drawFallDiagram(l, 413, 266, 1, live), "");
    EXPECT_EQ(crossCentres(l, Navy).size(), 3u);

    FallDrop spoiled = exactDrop(fence, 9.81, 0.7);
    spoiled.darkTimes[7] = std::numeric_limits<double>::infinity();
    spoiled.brightTimes[2] = std::nan("");
    for (const FallQuantity q : {FallQuantity::Distance, FallQuantity::Speed}) {
        RecordingCanvas s;
        drawFallDiagram(s, 413, 266, 1, inputOf(q, spoiled, fence));
        for (const auto& seg : s.segments())
            for (const int v : {seg.x1, seg.x2, seg.y1, seg.y2})
                EXPECT_LE(std::abs(v), 1 << 24);
    }
}

// The table as the window, the clipboard and the files have it.
TEST(FallTable, BandsWithTheirTimesInTheLocalesNumbers) {
    const FenceGeometry fence{4, 50, 25};
    FallDrop drop;
    drop.darkTimes = {-0.0003, 0.05678, 0.0943, 0.12434};
    drop.brightTimes = {0.0327, 0.0768, 0.0943, 0.13751};
    const auto points = fallPoints(drop, fence);
    const TableTexts de = fallTable(points, QLocale(QLocale::German, QLocale::Germany));
    ASSERT_EQ(de.size(), 5u);
    EXPECT_EQ(de[0], (QStringList{"Latte", "s in m", "t dunkel in s", "t hell in s", "v in m/s"}));
    EXPECT_EQ(de[1], (QStringList{"1", "0,000", "-0,0003", "0,0327", "0,758"}));
    EXPECT_EQ(de[2][2], "0,0568");
    EXPECT_EQ(de[3][4], ""); // no dark interval: no speed
    const TableTexts c = fallTable(points, QLocale::c());
    EXPECT_EQ(c[4], (QStringList{"4", "0.150", "0.1243", "0.1375", "1.898"}));

    EXPECT_EQ(experimentClipboardText(c).split("\r\n")[1], "1\t0.000\t-0.0003\t0.0327\t0.758");
    EXPECT_EQ(experimentClipboardText(c).count("\r\n"), 5);
    // CSV: a semicolon where the comma is the decimal separator.
    const QByteArray csvDe = experimentCsv(de, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(csvDe.startsWith("\xEF\xBB\xBF"
                                 "Latte;s in m;"));
    EXPECT_TRUE(csvDe.contains("\r\n1;0,000;-0,0003;0,0327;0,758\r\n"));
    EXPECT_TRUE(experimentCsv(c, QLocale::c()).contains("\r\n4,0.150,0.1243,0.1375,1.898\r\n"));
}
