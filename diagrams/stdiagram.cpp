// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagrams/stdiagram.h"

#include "diagrams/fitdrawing.h"
#include "drawing/clippedcanvas.h"

#include "drawing/rounding.h"
#include "evaluation/evaluationtable.h"
#include "store/numberformat.h"

#include <QCoreApplication>
#include <cmath>

namespace kelmot {

namespace {

QString meanCaption(const QString& mean) {
    return QCoreApplication::translate("StDiagram", "Quotient (mittel) : %1").arg(mean);
}

// The mean of the quotients of barriers 1..9. The curves of s ~ t² and
// s² ~ t take the time in x-axis units (1/factor s), the line of s ~ t in
// seconds.
double meanQuotient(int relation, const double* dark, int factor, double* quotients) {
    if (relation == StProportional) factor = 1;
    double sum = 0;
    for (int i = 1; i <= 9; ++i) {
        const double q = stQuotient(relation, i / 10.0, factor * dark[i]);
        quotients[i - 1] = q;
        sum += q;
    }
    return sum / 9;
}

// The curve of s ~ t² or s² ~ t through the origin, in steps of 0.01
// x-axis units up to just past `units`.
void drawCurve(Canvas& canvas, int relation, double mean, double units, int timeScale,
               int distScale, int margin, int bottom) {
    auto point = [&](double u, int& x, int& y) {
        x = nearestPixel(u * timeScale) + margin;
        const double s = relation == StSquare ? u * u * mean : std::sqrt(u * mean);
        y = bottom - truncPixel(s * 10 * distScale);
    };
    const int n = nearestPixel(100 * units);
    for (int j = 0; j <= n; ++j) {
        int x1, y1, x2, y2;
        point(j * 0.01, x1, y1);
        point((j + 1) * 0.01, x2, y2);
        canvas.line(x1, y1, x2, y2);
    }
}

} // namespace

void StDiagram::place(const DiagramGeometry& area) {
    StPlotWidth = area.width;
    StPlotHeight = area.height;
    StPlotLeft = area.left;
    StPlotTop = area.top;
}

DiagramFrame StDiagram::frame(int unit) const {
    return {StPlotWidth, StPlotHeight, unit, QCoreApplication::translate("StDiagram", "Weg in m")};
}

std::optional<QString> StDiagram::Zeichne(Canvas& canvas, const DiagramGeometry& area,
                                          const DiagramInput& input) {
    place(area);
    const int W = StPlotWidth;
    const int H = StPlotHeight;
    const MeasurementStore& store = input.store;
    StDistScale = intPart(H / 10.0 * 0.9);
    if (store.OutputMode == 0) {
        StTimeMax = store.SeriesDarkTimes[0][9];
    } else {
        StTimeMax = 0;
        for (int k = 0; k < input.series(); ++k)
            if (store.SeriesDarkTimes[k][9] > StTimeMax) StTimeMax = store.SeriesDarkTimes[k][9];
    }
    StTimeFactor = StTimeMax >= 1 ? 1 : 10;
    const DiagramFrame f = frame(1);
    const auto scale = axisScale(W - 60, StTimeFactor * StTimeMax);
    drawBackgroundAndAxes(canvas, f);
    drawYTicks(canvas, f, StDistScale, 10, input.locale);
    if (!scale) {
        // Times that leave no time axis (only from a hand-made file).
        StTimeScale = 0;
        canvas.setPenWidth(1);
        canvas.setPenColour(Black);
        return std::nullopt;
    }
    StTimeScale = intPart(*scale);
    drawTimeTicks(canvas, f, nearest(StTimeFactor * StTimeMax), StTimeScale, StTimeFactor, 3,
                  H - 15, input.locale);

    drawCrosses(canvas, input);
    ClippedCanvas plot(canvas, f.plotLeft(), f.plotTop(), f.plotRight(), f.bottom());
    const std::optional<QString> label = drawRelations(plot, input);
    drawFit(
        canvas, plot, input, 1,
        [&](double t) { return nearestPixel(StTimeFactor * t * StTimeScale) + 30; },
        [&](double s) { return H - 30 - nearestPixel(10 * StDistScale * s); });
    canvas.setPenWidth(1);
    canvas.setPenColour(Black);
    return label;
}

// A cross at each barrier of each series, in its colour.
void StDiagram::drawCrosses(Canvas& canvas, const DiagramInput& input) const {
    const MeasurementStore& store = input.store;
    const int H = StPlotHeight;
    for (int k = 0; k < input.series(); ++k) {
        canvas.setPenColour(store.SeriesColor[k]);
        canvas.setPenWidth(input.penWidthFor(StPlotWidth));
        for (int i = 0; i < BarrierCount; ++i)
            drawCross(canvas,
                      nearestPixel(StTimeFactor * store.SeriesDarkTimes[k][i] * StTimeScale) + 30,
                      H - 30 - i * StDistScale, 5);
    }
}

// Each series' chosen relation through the origin with its mean quotient;
// the label is the last series' mean, empty when its relation is none.
std::optional<QString> StDiagram::drawRelations(Canvas& plot, const DiagramInput& input) {
    const MeasurementStore& store = input.store;
    const int H = StPlotHeight;
    std::optional<QString> label;
    for (int k = 0; k < input.series(); ++k) {
        const double* t = store.SeriesDarkTimes[k];
        const int relation = store.SeriesStRelation[k];
        plot.setPenColour(store.SeriesColor[k]);
        if (relation < StProportional || relation > StSquareDistance) {
            label = QString();
            continue;
        }
        StQuotientMean = meanQuotient(relation, t, StTimeFactor, StQuotients);
        const double m = StQuotientMean;
        double shown = m;
        if (relation == StProportional) {
            plot.line(30, H - 30, nearestPixel(StTimeFactor * t[9] * StTimeScale) + 30,
                      H - 30 - nearestPixel(10 * StDistScale * m * t[9]));
        } else {
            drawCurve(plot, relation, m, StTimeFactor * StTimeMax, StTimeScale, StDistScale, 30,
                      H - 30);
            // In 0.1-s units the mean is shown per s² (×100) or per s (×10).
            if (StTimeMax < 1) shown = m * (relation == StSquare ? 100 : 10);
        }
        label = meanCaption(formatFixed(shown, 3, input.locale));
    }
    return label;
}

void StDiagram::drawFit(Canvas& canvas, Canvas& plot, const DiagramInput& input, int unit,
                        const std::function<int(double)>& xOf,
                        const std::function<int(double)>& yOf) {
    FitText.clear();
    if (!input.fitCurve || input.series() == 0) return;
    const auto fit = fitStParabola(input.store, 0);
    if (!fit) return;
    FitText = fitCaption(fit->a, fit->v0, fit->rSquared, input.locale);
    drawFitWithCaption(
        canvas, plot, input.store.SeriesColor[0], xOf, yOf,
        [&](double t) { return fit->s0.value + fit->v0.value * t + fit->a.value * t * t / 2; },
        StTimeMax, FitText, unit);
}

void StDiagram::ZeichnePrinter(Canvas& canvas, const DiagramInput& input) {
    // Drawn from the state of the last screen drawing, which it leaves as it
    // was: a second printout in a row is the same as the first.
    const StDiagram lastDrawing = *this;
    drawPrintout(canvas, input);
    *this = lastDrawing;
}

void StDiagram::drawPrintout(Canvas& canvas, const DiagramInput& input) {
    place(PrintGeometry);
    const int W = StPlotWidth;
    const int H = StPlotHeight;
    const MeasurementStore& store = input.store;
    // The scales of the last drawing, ten times.
    StDistScale = 10 * StDistScale;
    StTimeFactor = StTimeMax >= 1 ? 1 : 10;
    StTimeScale = 10 * StTimeFactor * StTimeScale; // now per second
    const DiagramFrame f = frame(10);
    drawBackgroundAndAxes(canvas, f);
    drawYTicks(canvas, f, StDistScale, 10, input.locale);
    if (StTimeScale <= 0) {
        canvas.setPenWidth(1);
        canvas.setPenColour(Black);
        return;
    }
    drawTimeTicks(canvas, f, nearest(StTimeFactor * StTimeMax),
                  nearest(double(StTimeScale) / StTimeFactor), StTimeFactor, 3, H - 285,
                  input.locale);

    // On paper the series are told apart by black, blue and gray.
    const Rgb printColours[3] = {Black, Blue, Gray};
    for (int k = 0; k < input.series(); ++k) {
        canvas.setPenColour(printColours[k]);
        canvas.setPenWidth(input.penWidthFor(W));
        for (int i = 0; i < BarrierCount; ++i)
            drawCross(canvas, nearestPixel(StTimeScale * store.SeriesDarkTimes[k][i]) + 300,
                      H - 300 - i * StDistScale, 50);
    }
    ClippedCanvas plot(canvas, f.plotLeft(), f.plotTop(), f.plotRight(), f.bottom());
    for (int k = 0; k < input.series(); ++k) {
        const double* t = store.SeriesDarkTimes[k];
        const int relation = store.SeriesStRelation[k];
        if (relation < StProportional || relation > StSquareDistance) continue;
        const double m = meanQuotient(relation, t, 1, StQuotients);
        StQuotientMean = m;
        if (relation == StProportional)
            plot.line(300, H - 300, nearestPixel(StTimeScale * t[9]) + 300,
                      H - 300 - nearestPixel(10 * StDistScale * m * t[9]));
        else
            drawCurve(plot, relation, m, StTimeMax, StTimeScale, StDistScale, 300, H - 300);
    }
    drawFit(
        canvas, plot, input, 10, [&](double t) { return nearestPixel(StTimeScale * t) + 300; },
        [&](double s) { return H - 300 - nearestPixel(10 * StDistScale * s); });
    canvas.setPenWidth(1);
    canvas.setPenColour(Black);
}

void StDiagram::drawCleared(Canvas& canvas, const DiagramGeometry& area, const QLocale& locale) {
    place(area);
    StTimeMax = 1.0;
    StDistScale = intPart(StPlotHeight / 10.0 * 0.9);
    StTimeScale = intPart((StPlotWidth - 60) / 1.0);
    const DiagramFrame f = frame(1);
    drawBackgroundAndAxes(canvas, f);
    drawYTicks(canvas, f, StDistScale, 10, locale);
}

} // namespace kelmot
