// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagrams/stdiagram.h"

#include "tests/diagrams/canvas_checks.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace kelmot;
using namespace kelmot::test;
using Segment = RecordingCanvas::Segment;
using Label = RecordingCanvas::Label;

namespace {

const QLocale De(QLocale::German, QLocale::Germany);

// Series k passes barrier i at i/9 · tMax s.
void fillSeries(MeasurementStore& s, int k, double tMax, Rgb colour, int relation = 0) {
    for (int i = 0; i < BarrierCount; ++i)
        s.SeriesDarkTimes[k][i] = i * tMax / 9;
    s.SeriesColor[k] = colour;
    s.SeriesStRelation[k] = relation;
}

} // namespace

TEST(StDiagram, FrameAxesAndDistanceTicksOfThePicture) {
    MeasurementStore store;
    fillSeries(store, 0, 1.8, Navy);
    StDiagram d;
    RecordingCanvas c;
    d.Zeichne(c, PictureGeometry, {store, 1, 1000, De});
    EXPECT_EQ(d.StPlotWidth, 413);
    EXPECT_EQ(d.StPlotLeft, 51);
    EXPECT_EQ(d.StDistScale, 23); // int(266 / 10 · 0.9)
    ASSERT_FALSE(c.boxes().empty());
    const auto box = c.boxes()[0];
    EXPECT_EQ(box.right, 413);
    EXPECT_EQ(box.bottom, 266);
    EXPECT_EQ(box.brush, Cream);
    EXPECT_TRUE(hasLabel(c, 5, 5, "Weg in m"));
    EXPECT_TRUE(hasLabel(c, 383, 246, "Zeit"));
    EXPECT_TRUE(hasSegment(c, {30, 236, 30, 30, Black, 1}));
    EXPECT_TRUE(hasSegment(c, {30, 236, 383, 236, Black, 1}));
    // Only the first distance tick is black; the pen stays silver after it.
    EXPECT_TRUE(hasSegment(c, {30, 236, 22, 236, Black, 1}));
    EXPECT_TRUE(hasSegment(c, {30, 213, 22, 213, Silver, 1}));
    EXPECT_TRUE(hasSegment(c, {30, 213, 383, 213, Silver, 1}));
    EXPECT_TRUE(hasLabel(c, 5, 231 - 9 * 23, "0,9"));
    EXPECT_TRUE(hasLabel(c, 5, 231, "0"));
}

TEST(StDiagram, TimeAxisFactorAndTickCount) {
    struct Case {
        double tMax;
        int factor;
        int ticks; // labels 0..ticks
        QString lastLabel;
    };
    // Ticks as far as the axis reaches (383): 3.5 s rounds to 4 ticks, of
    // which the fourth lies beyond it, and so does the second of 1.6 s.
    for (const Case& k : {Case{1.0, 1, 1, "1"}, Case{0.99, 10, 10, "1"}, Case{0.45, 10, 4, "0,4"},
                          Case{2.5, 1, 2, "2"}, Case{3.5, 1, 3, "3"}, Case{1.6, 1, 1, "1"}}) {
        MeasurementStore store;
        fillSeries(store, 0, k.tMax, Navy);
        StDiagram d;
        RecordingCanvas c;
        d.Zeichne(c, PictureGeometry, {store, 1, 1000, De});
        EXPECT_EQ(d.StTimeFactor, k.factor) << k.tMax;
        EXPECT_EQ(d.StTimeScale, int(353 / (k.factor * k.tMax))) << k.tMax;
        const int x = 30 + k.ticks * d.StTimeScale;
        EXPECT_TRUE(hasLabel(c, x - 3, 251, k.lastLabel)) << k.tMax;
        // No further tick: the time labels are exactly 0 .. ticks.
        const auto labels = c.labels();
        EXPECT_EQ(
            std::count_if(labels.begin(), labels.end(), [](const Label& l) { return l.y == 251; }),
            k.ticks + 1)
            << k.tMax;
        EXPECT_TRUE(hasSegment(c, {x, 236, x, 244, k.ticks == 0 ? Black : Silver, 1})) << k.tMax;
    }
    // 1.6 s: the tick at 2 s would lie beyond the end of the axis (383).
    MeasurementStore store;
    fillSeries(store, 0, 1.6, Navy);
    StDiagram d;
    RecordingCanvas c;
    d.Zeichne(c, PictureGeometry, {store, 1, 1000, De});
    for (const Label& l : c.labels()) {
        if (l.y == 251) {
            EXPECT_LE(l.x + 3, 383) << l.text.toStdString();
        }
    }
    EXPECT_FALSE(
        hasSegment(c, {30 + 2 * d.StTimeScale, 236, 30 + 2 * d.StTimeScale, 244, Silver, 1}));
}

TEST(StDiagram, CrossesAndTheProportionalLine) {
    MeasurementStore store;
    store.OutputMode = 1;
    fillSeries(store, 0, 0.9, Navy, 1); // s = t: every quotient 1 m/s
    fillSeries(store, 1, 1.8, Red, 0);
    StDiagram d;
    RecordingCanvas c;
    const auto label = d.Zeichne(c, PictureGeometry, {store, 2, 1000, De});
    EXPECT_NEAR(d.StTimeMax, 1.8, 1e-12);
    EXPECT_EQ(d.StTimeScale, 196);
    // Barrier 5 of series 1 at 1.0 s: x = 196 + 30, y = 236 − 5·23.
    EXPECT_TRUE(hasSegment(c, {221, 121, 231, 121, Red, 1}));
    EXPECT_TRUE(hasSegment(c, {226, 116, 226, 126, Red, 1}));
    EXPECT_EQ(countSegments(c, Navy), 2 * 10 + 1); // crosses and the line
    EXPECT_DOUBLE_EQ(d.StQuotientMean, 1.0);
    EXPECT_TRUE(hasSegment(c, {30, 236, 30 + 176, 236 - 207, Navy, 1}));
    // The label shows the last series in the list: it has no relationship.
    ASSERT_TRUE(label);
    EXPECT_TRUE(label->isEmpty());
    store.SeriesStRelation[1] = 1;
    store.SeriesStRelation[0] = 0;
    EXPECT_EQ(d.Zeichne(c, PictureGeometry, {store, 2, 1000, De}), "Quotient (mittel) : 0,500");
    // Wider than half the main window: crosses 2 wide.
    RecordingCanvas wide;
    d.Zeichne(wide, {0, 0, 600, 400}, {store, 2, 1000, De});
    EXPECT_EQ(countSegments(wide, Red), 21);
    EXPECT_EQ(wide.segments().back().width, 2);
    EXPECT_EQ(wide.state().width, 1); // reset at the end
}

TEST(StDiagram, CurvesOfTheSquareRelationships) {
    MeasurementStore store;
    for (int i = 0; i < BarrierCount; ++i)
        store.SeriesDarkTimes[0][i] = std::sqrt(i / 10.0 / 3.6); // s = 3.6 m/s² · t²
    store.SeriesStRelation[0] = 2;
    store.SeriesColor[0] = Green;
    StDiagram d;
    RecordingCanvas c;
    const auto label = d.Zeichne(c, PictureGeometry, {store, 1, 1000, De});
    EXPECT_EQ(d.StTimeFactor, 10);
    // 0.5 s: 501 segments of 0.01 units (0.001 s), besides 20 cross arms.
    EXPECT_EQ(countSegments(c, Green), 20 + 501);
    // In 0.1-s units the mean is 0.036; the label shows 100 times that.
    EXPECT_NEAR(d.StQuotientMean, 0.036, 1e-12);
    EXPECT_EQ(label, "Quotient (mittel) : 3,600");
    // The curve starts at the origin and ends just past the time maximum.
    const auto segments = c.segments();
    const auto firstCurve = std::find_if(segments.begin(), segments.end(), [](const Segment& s) {
        return s.colour == Green && s.x1 == 30 && s.y1 == 236;
    });
    ASSERT_NE(firstCurve, segments.end());
    EXPECT_EQ(segments.back().x2, int(std::nearbyint(5.01 * 70)) + 30);
    store.SeriesStRelation[0] = 3;
    EXPECT_EQ(d.Zeichne(c, PictureGeometry, {store, 1, 1000, De})->left(20),
              "Quotient (mittel) : ");
}

TEST(StDiagram, PrintoutIsThePictureTenTimesLarger) {
    MeasurementStore store;
    store.OutputMode = 1;
    fillSeries(store, 0, 0.9, Navy, 1);
    fillSeries(store, 1, 0.45, Red, 0);
    StDiagram d;
    RecordingCanvas picture;
    d.Zeichne(picture, PictureGeometry, {store, 2, 1000, De});
    const int pictureScale = d.StTimeScale;
    RecordingCanvas paper;
    d.ZeichnePrinter(paper, {store, 2, 1000, De});
    const int paperScale = 100 * pictureScale; // per second on paper
    EXPECT_EQ(paper.boxes().front().right, 4100);
    EXPECT_TRUE(hasLabel(paper, 50, 50, "Weg in m"));
    EXPECT_TRUE(hasLabel(paper, 3800, 2460, "Zeit"));
    EXPECT_TRUE(hasSegment(paper, {300, 2360, 220, 2360, Black, 1}));
    // Time ticks 8 long, labels 3 left of the tick.
    const int step = 10 * pictureScale;
    EXPECT_TRUE(hasSegment(paper, {300 + step, 2360, 300 + step, 2368, Silver, 1}));
    EXPECT_TRUE(hasLabel(paper, 297 + step, 2375, "0,1"));
    // Series by position: black, then blue; crosses with arms of 50.
    const int x = int(std::nearbyint(paperScale * 0.45)) + 300;
    EXPECT_TRUE(hasSegment(paper, {x - 50, 2360 - 9 * 230, x + 50, 2360 - 9 * 230, Blue, 2}));
    EXPECT_EQ(countSegments(paper, Black) >= 21, true);
    // The line of series 0 takes the last series' pen: blue.
    // Its end at 0.9 s (3810) lies 10 beyond the paper's time axis (3800):
    // the line stops at the axis' end, on its way to (3810, 290).
    const int x9 = int(std::nearbyint(paperScale * 0.9)) + 300;
    ASSERT_EQ(x9, 3810);
    const auto all = paper.segments();
    const auto line = std::find_if(all.begin(), all.end(), [](const Segment& s) {
        return s.x1 == 300 && s.y1 == 2360 && s.colour == Blue && s.width == 2;
    });
    ASSERT_NE(line, all.end());
    EXPECT_EQ(line->x2, 3800);
    EXPECT_EQ(line->y2, int(std::nearbyint(2360 - 2070.0 * 3500 / 3510)));
    for (const Label& l : paper.labels())
        EXPECT_FALSE(l.text.startsWith("Quotient"));
    // The picture's state is left as it was: a second printout is the same.
    EXPECT_EQ(d.StTimeScale, pictureScale);
    EXPECT_EQ(d.StPlotWidth, 413);
    RecordingCanvas again;
    d.ZeichnePrinter(again, {store, 2, 1000, De});
    EXPECT_EQ(again.segments(), paper.segments());
    EXPECT_EQ(again.labels(), paper.labels());
}

TEST(StDiagram, ClearedDiagramAndDegenerateData) {
    MeasurementStore store;
    fillSeries(store, 0, 0.9, Navy, 1);
    StDiagram d;
    RecordingCanvas c;
    d.drawCleared(c, {0, 0, 400, 300}, De);
    EXPECT_EQ(d.StTimeMax, 1.0);
    EXPECT_EQ(d.StTimeScale, 340);
    EXPECT_EQ(d.StDistScale, 27);
    EXPECT_EQ(countSegments(c, Navy), 0);
    EXPECT_FALSE(hasLabel(c, 27, 285, "0")); // no time ticks

    // All times 0 (a hand-made file): only the frame, the label untouched.
    MeasurementStore zero;
    zero.SeriesStRelation[0] = 1;
    RecordingCanvas z;
    EXPECT_FALSE(d.Zeichne(z, PictureGeometry, {zero, 1, 1000, De}));
    EXPECT_EQ(d.StTimeScale, 0);
    EXPECT_EQ(countSegments(z, Navy), 0);
    RecordingCanvas paper;
    d.ZeichnePrinter(paper, {zero, 1, 1000, De});
    EXPECT_TRUE(hasLabel(paper, 50, 50, "Weg in m"));
    // Huge times: no countless ticks, no integer overflow.
    fillSeries(zero, 0, 1e12, Navy, 2);
    RecordingCanvas huge;
    EXPECT_FALSE(d.Zeichne(huge, PictureGeometry, {zero, 1, 1000, De}));
}

TEST(StDiagram, FittedParabolaOfTheNewestSeriesWhenAsked) {
    MeasurementStore store;
    for (int i = 0; i < BarrierCount; ++i) // s = 0.3 t + 0.065 t², reaching 0.9 m at ~1.9 s
        store.SeriesDarkTimes[0][i] = (-0.3 + std::sqrt(0.09 + 4 * 0.065 * i / 10.0)) / 0.13;
    store.SeriesColor[0] = Red;
    StDiagram d;
    DiagramInput withFit{store, 1, 1000, De};
    withFit.fitCurve = true;
    RecordingCanvas c;
    d.Zeichne(c, PictureGeometry, withFit);
    // Exact data: no uncertainty to round to, four significant digits.
    EXPECT_TRUE(d.FitText.startsWith("Ausgleich: a = (0,1300 ± 0) m/s², v₀ = (0,3000 ± 0) m/s"))
        << d.FitText.toStdString();
    EXPECT_TRUE(d.FitText.endsWith("(R² = 1,0000)")) << d.FitText.toStdString();
    const auto all = c.segments();
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](const Segment& s) { return s.dashed; }),
              100);
}
