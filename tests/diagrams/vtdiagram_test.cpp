// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagrams/vtdiagram.h"

#include "evaluation/evaluationtable.h"
#include "tests/diagrams/canvas_checks.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace kelmot;
using namespace kelmot::test;
using Segment = RecordingCanvas::Segment;
using Label = RecordingCanvas::Label;

namespace {

const QLocale De(QLocale::German, QLocale::Germany);

// Series k: barrier i dark at i/9 · tMax s for `dark` seconds.
void fillSeries(MeasurementStore& s, int k, double tMax, double dark, Rgb colour,
                int relation = 0) {
    for (int i = 0; i < BarrierCount; ++i) {
        s.SeriesDarkTimes[k][i] = i * tMax / 9;
        s.SeriesBrightTimes[k][i] = s.SeriesDarkTimes[k][i] + dark;
        s.RunTimes[0][i] = s.SeriesDarkTimes[0][i];
    }
    s.SeriesColor[k] = colour;
    s.SeriesVtRelation[k] = relation;
}

} // namespace

TEST(VtDiagram, SpeedFactorFollowsTheLargestSpeed) {
    struct Case {
        double dark; // 10 mm in this time
        int factor;
        QString topLabel; // the highest tick that lies on the axis
        int top;
    };
    for (const Case& k :
         {Case{0.010 / 0.095, 100, "0,09", 9}, Case{0.02, 10, "0,5", 5}, Case{0.005, 1, "2", 2}}) {
        MeasurementStore store;
        fillSeries(store, 0, 1.8, k.dark, Navy);
        VtDiagram d;
        RecordingCanvas c;
        d.Zeichne(c, PictureGeometry, {store, 1, 1000, De}, "10");
        EXPECT_EQ(d.VtSpeedFactor, k.factor) << k.dark;
        EXPECT_EQ(d.VtSpeedScale, int(std::nearbyint(206 / (k.factor * d.VtSpeedMax)))) << k.dark;
        EXPECT_TRUE(hasLabel(c, 5, 231 - k.top * d.VtSpeedScale, k.topLabel)) << k.dark;
        // Nothing above the plot: no tick stands over the diagram's title.
        for (const Label& l : c.labels())
            EXPECT_GE(l.y, 5) << l.text.toStdString();
        for (const Segment& s : c.segments())
            EXPECT_GE(std::min(s.y1, s.y2), 20) << k.dark;
        EXPECT_TRUE(hasLabel(c, 5, 5, "Geschw. in m/s"));
    }
}

TEST(VtDiagram, PointsFromTheFlagWidthAndBarrierZeroOnlyScales) {
    MeasurementStore store;
    fillSeries(store, 0, 1.8, 0.05, Navy); // 10 mm in 0.05 s: 0.2 m/s
    store.SeriesBrightTimes[0][0] = 0.004; // a fast barrier 0: 2.5 m/s
    VtDiagram d;
    RecordingCanvas c;
    d.Zeichne(c, PictureGeometry, {store, 1, 1000, De}, "10");
    EXPECT_NEAR(d.VtSpeeds[0][5], 0.2, 1e-9);
    EXPECT_EQ(d.VtSpeeds[0][0], 0.0); // not plotted, not stored
    EXPECT_NEAR(d.VtSpeedMax, 2.5, 1e-9);
    EXPECT_EQ(d.VtSpeedFactor, 1);
    EXPECT_EQ(d.VtSpeedScale, 82); // nearest(206 / 2.5)
    // Barrier 5 at 1.0 s and 0.2 m/s.
    const int x = 196 + 30;
    const int y = 236 - int(std::nearbyint(0.2 * 82));
    EXPECT_TRUE(hasSegment(c, {x - 5, y, x + 5, y, Navy, 1}));
    // Nine crosses: barrier 0 has no point.
    const auto all = c.segments();
    EXPECT_EQ(
        std::count_if(all.begin(), all.end(), [](const Segment& s) { return s.colour == Navy; }),
        18);
    // A wider flag: the speeds follow the field.
    d.Zeichne(c, PictureGeometry, {store, 1, 1000, De}, "20");
    EXPECT_NEAR(d.VtSpeeds[0][5], 0.4, 1e-9);
    // An empty or unreadable field keeps the last width.
    d.Zeichne(c, PictureGeometry, {store, 1, 1000, De}, "");
    EXPECT_NEAR(d.VtSpeeds[0][5], 0.4, 1e-9);
    d.Zeichne(c, PictureGeometry, {store, 1, 1000, De}, "1,2,3");
    EXPECT_NEAR(d.VtSpeeds[0][5], 0.4, 1e-9);
}

TEST(VtDiagram, SpeedsOfBarriersNeverDarkStayFromTheLastDrawing) {
    MeasurementStore store;
    fillSeries(store, 0, 1.8, 0.05, Navy);
    VtDiagram d;
    RecordingCanvas c;
    d.Zeichne(c, PictureGeometry, {store, 1, 1000, De}, "10");
    store.SeriesBrightTimes[0][3] = store.SeriesDarkTimes[0][3];
    d.Zeichne(c, PictureGeometry, {store, 1, 1000, De}, "20");
    EXPECT_NEAR(d.VtSpeeds[0][3], 0.2, 1e-9);
    EXPECT_NEAR(d.VtSpeeds[0][4], 0.4, 1e-9);
}

TEST(VtDiagram, MeanLineAndSlopeLabelTheLastSeries) {
    MeasurementStore store;
    store.OutputMode = 1;
    fillSeries(store, 0, 1.8, 0.05, Navy, 1);
    fillSeries(store, 1, 0.9, 0.025, Red, 0);
    VtDiagram d;
    RecordingCanvas c;
    auto label = d.Zeichne(c, PictureGeometry, {store, 2, 1000, De}, "10");
    ASSERT_TRUE(label);
    EXPECT_TRUE(label->isEmpty()); // only the first series has a relationship
    EXPECT_NEAR(d.VtMean, 0.2, 1e-9);
    // The constant-speed line ends at the series' own barrier-9 time.
    const int y = 236 - int(std::nearbyint(10 * 0.2 * d.VtSpeedScale));
    EXPECT_TRUE(hasSegment(c, {30, y, int(std::nearbyint(1.8 * d.VtTimeScale)) + 30, y, Navy, 1}));

    store.SeriesVtRelation[1] = 1;
    label = d.Zeichne(c, PictureGeometry, {store, 2, 1000, De}, "10");
    EXPECT_EQ(label, "Mittelwert : 0,400");
    store.SeriesVtRelation[1] = 2;
    label = d.Zeichne(c, PictureGeometry, {store, 2, 1000, De}, "10");
    ASSERT_TRUE(label);
    EXPECT_TRUE(label->startsWith("Steigung : ")) << label->toStdString();
    EXPECT_EQ(c.state().pen, Black);
    EXPECT_EQ(c.state().width, 1);
}

TEST(VtDiagram, PrintoutScalesItselfAndColoursByPosition) {
    MeasurementStore store;
    store.OutputMode = 1;
    fillSeries(store, 0, 1.8, 0.05, Navy, 2);
    fillSeries(store, 1, 0.9, 0.025, Green, 0);
    VtDiagram d;
    RecordingCanvas paper;
    d.ZeichnePrinter(paper, {store, 2, 1000, De}, "10");
    const int timeScale = int(3530 / 1.8);
    const int speedScale = int(std::nearbyint(2060 / (10 * 0.4)));
    EXPECT_EQ(paper.boxes().front().right, 4130);
    EXPECT_TRUE(hasLabel(paper, 50, 50, "Geschw. in m/s"));
    EXPECT_TRUE(hasLabel(paper, 3830, 2460, "Zeit"));
    EXPECT_TRUE(hasLabel(paper, 300 + timeScale - 30, 2510, "1"));
    // Speed ticks as far as the plot reaches: 0,4 at 300, 0,5 would be above.
    EXPECT_TRUE(hasLabel(paper, 50, 2360 - 4 * speedScale - 50, "0,4"));
    EXPECT_FALSE(hasLabel(paper, 50, 2360 - 5 * speedScale - 50, "0,5"));
    const int x = int(std::nearbyint(0.9 * timeScale)) + 300;
    const int y = 2360 - int(std::nearbyint(10 * 0.4 * speedScale));
    EXPECT_TRUE(hasSegment(paper, {x - 50, y, x + 50, y, Blue, 2}));
    const auto all = paper.segments();
    EXPECT_TRUE(
        std::any_of(all.begin(), all.end(), [](const Segment& s) { return s.colour == Red; }));
    for (const Label& l : paper.labels())
        EXPECT_FALSE(l.text.startsWith("Steigung"));
    // The screen's state is untouched, and a second printout is the same.
    EXPECT_EQ(d.VtPlotWidth, 0);
    RecordingCanvas again;
    d.ZeichnePrinter(again, {store, 2, 1000, De}, "10");
    EXPECT_EQ(again.segments(), paper.segments());
    EXPECT_EQ(again.labels(), paper.labels());
}

TEST(VtDiagram, ClearedAndDegenerate) {
    MeasurementStore store;
    VtDiagram d;
    RecordingCanvas c;
    d.drawCleared(c, {0, 0, 400, 300}, De);
    EXPECT_EQ(d.VtSpeedScale, 30);
    EXPECT_EQ(d.VtTimeScale, 340);
    EXPECT_TRUE(hasLabel(c, 5, 270 - 8 * 30 - 5, "0,8"));
    EXPECT_FALSE(hasLabel(c, 5, 270 - 9 * 30 - 5, "0,9")); // at the very top: above the plot
    // No dark interval anywhere: the frame alone, the label untouched.
    RecordingCanvas z;
    EXPECT_FALSE(d.Zeichne(z, PictureGeometry, {store, 1, 1000, De}, "10"));
    EXPECT_TRUE(hasLabel(z, 5, 5, "Geschw. in m/s"));
    RecordingCanvas paper;
    d.ZeichnePrinter(paper, {store, 1, 1000, De}, "10");
    EXPECT_TRUE(hasLabel(paper, 50, 50, "Geschw. in m/s"));
}

// The fitted line of the newest series: dashed, inside the plot, captioned
// with a and v0 and their uncertainties in the German number format; the
// same on paper, ten times larger.
TEST(VtDiagram, FittedLineOfTheNewestSeriesWhenAsked) {
    MeasurementStore store;
    for (int i = 0; i < BarrierCount; ++i) {
        const double t = 0.25 * i;
        const double v = 0.168 + 0.129 * t;
        store.SeriesDarkTimes[0][i] = t;
        store.SeriesBrightTimes[0][i] = t + 0.010 / v; // dark midpoints slightly later
        store.RunTimes[0][i] = t;
    }
    store.SeriesColor[0] = Navy;
    VtDiagram d;
    RecordingCanvas off;
    d.Zeichne(off, PictureGeometry, {store, 1, 1000, De}, "10");
    EXPECT_TRUE(d.FitText.isEmpty());
    DiagramInput withFit{store, 1, 1000, De};
    withFit.fitCurve = true;
    RecordingCanvas on;
    d.Zeichne(on, PictureGeometry, withFit, "10");
    EXPECT_TRUE(d.FitText.startsWith("Ausgleich: a = (0,1")) << d.FitText.toStdString();
    EXPECT_TRUE(d.FitText.contains(") m/s², v₀ = (0,1")) << d.FitText.toStdString();
    EXPECT_TRUE(d.FitText.endsWith(")"));
    EXPECT_TRUE(hasLabel(on, 100, 5, d.FitText));
    int dashed = 0;
    for (const Segment& s : on.segments()) {
        if (!s.dashed) continue;
        ++dashed;
        EXPECT_EQ(s.colour, Navy);
        EXPECT_GE(std::min(s.y1, s.y2), 20);
        EXPECT_LE(std::max(s.x1, s.x2), 383);
    }
    EXPECT_GT(dashed, 50);
    // Everything else as without the fit.
    std::vector<Segment> solid;
    for (const Segment& s : on.segments())
        if (!s.dashed) solid.push_back(s);
    EXPECT_EQ(solid, off.segments());
    RecordingCanvas paper;
    d.ZeichnePrinter(paper, withFit, "10");
    EXPECT_TRUE(hasLabel(paper, 1000, 50, d.FitText));
}

TEST(VtDiagram, RelationLinesOnPaperAsOnScreen) {
    // Series 0 at a constant 0,2 m/s; series 1 speeding up as v = 0,2 · t.
    MeasurementStore store;
    store.OutputMode = 1;
    fillSeries(store, 0, 1.8, 0.05, Navy, VtConstant);
    fillSeries(store, 1, 1.8, 0.05, Red, VtProportional);
    for (int i = 1; i < BarrierCount; ++i)
        store.SeriesBrightTimes[1][i] =
            store.SeriesDarkTimes[1][i] + 0.01 / (0.2 * store.SeriesDarkTimes[1][i]);
    const DiagramInput input{store, 2, 1000, De};

    VtDiagram d;
    RecordingCanvas screen;
    const auto label = d.Zeichne(screen, PictureGeometry, input, "10");
    EXPECT_NEAR(d.VtMean, 0.2, 1e-9); // the slope of the last series
    for (int i = 1; i < BarrierCount; ++i)
        EXPECT_NEAR(d.VtQuotients[1][i], 0.2, 1e-9);
    EXPECT_EQ(label, "Steigung : 0,200");
    auto sx = [&](double t) {
        return int(std::nearbyint(d.VtTimeFactor * t * d.VtTimeScale)) + 30;
    };
    auto sy = [&](double v) {
        return d.VtPlotHeight - 30 - int(std::nearbyint(d.VtSpeedFactor * v * d.VtSpeedScale));
    };
    EXPECT_TRUE(hasSegment(screen, {30, sy(0.2), sx(1.8), sy(0.2), Navy, 1}));
    EXPECT_TRUE(hasSegment(screen, {30, d.VtPlotHeight - 30, sx(1.8), sy(0.36), Red, 1}));

    // The printout draws the same lines at its own scale, in the pen of the
    // last series' points (blue, the second colour of paper).
    RecordingCanvas paper;
    d.ZeichnePrinter(paper, input, "10");
    const int timeScale = int(3530 / 1.8);
    const int speedScale = int(std::nearbyint(2060 / (10 * 0.36)));
    auto px = [&](double t) { return int(std::nearbyint(t * timeScale)) + 300; };
    auto py = [&](double v) { return 2360 - int(std::nearbyint(10 * v * speedScale)); };
    EXPECT_TRUE(hasSegment(paper, {300, py(0.2), px(1.8), py(0.2), Blue, 2}));
    EXPECT_TRUE(hasSegment(paper, {300, 2360, px(1.8), py(0.36), Blue, 2}));
}
