// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/falldiagram.h"

#include "diagrams/diagramframe.h"
#include "evaluation/uncertainty.h"
#include "experiments/experimentplot.h"
#include "experiments/pulley.h"
#include "store/numberformat.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace kelmot {

namespace {

std::vector<PlotPoint> shownPoints(const FallDiagramInput& in) {
    std::vector<PlotPoint> points;
    for (const FallPoint& p : in.points) {
        if (in.quantity == FallQuantity::Distance)
            points.push_back({p.darkTime, p.position});
        else if (p.speed > 0) // a band never dark for a positive time has no speed
            points.push_back({p.speedTime, p.speed});
    }
    return points;
}

// The fitted curve over time, if the drop has one for this quantity.
std::optional<std::function<double(double)>> curveOf(const FallDiagramInput& in) {
    if (!in.result) return std::nullopt;
    if (in.quantity == FallQuantity::Distance) {
        const ParabolaFit p = in.result->parabola;
        return [p](double t) { return p.s0.value + p.v0.value * t + p.a.value * t * t / 2; };
    }
    if (!in.result->line) return std::nullopt;
    const LineFit l = *in.result->line;
    return [l](double t) { return l.intercept.value + l.slope.value * t; };
}

QString accelerationOf(const FallDiagramInput& in, const FitParameter& a) {
    return in.subject == FallSubject::Pulley ? accelerationText(a, in.locale) : gText(a, in.locale);
}

QString captionOf(const FallDiagramInput& in) {
    if (!in.result) return {};
    const QLocale& locale = in.locale;
    if (in.quantity == FallQuantity::Distance)
        //: the parabola fitted to the distances: %1 g with its uncertainty, %2 R²
        return QCoreApplication::translate("FallDiagram", "Parabel: %1 (R² = %2)")
            .arg(accelerationOf(in, in.result->g()),
                 formatFixed(in.result->parabola.rSquared, 5, locale));
    if (!in.result->line) return {};
    //: the line fitted to the speeds: %1 g with its uncertainty, %2 R²
    return QCoreApplication::translate("FallDiagram", "Gerade: %1 (R² = %2)")
        .arg(accelerationOf(in, in.result->line->slope),
             formatFixed(in.result->line->rSquared, 5, locale));
}

// Ticks and grid lines at every `step` of a value axis, labelled with the
// value, as far as they lie within `pixels` of the axis' origin.
template <typename At, typename Label>
void drawTicks(double step, double scale, int pixels, At at, Label label) {
    for (int i = 0;; ++i) {
        const int offset = nearestPixel(i * step * scale);
        if (offset > pixels || i > 100) break;
        at(i, offset);
        label(offset, i * step);
    }
}

// One value axis: a tick every `step`, `scale` pixels per unit, `pixels` long.
struct AxisTicks {
    double step;
    double scale;
    int pixels;
};

// The grid lines and labelled ticks of both axes.
void drawGrid(Canvas& canvas, const DiagramFrame& f, const QLocale& locale, AxisTicks t,
              AxisTicks y) {
    const int unit = f.unit;
    canvas.setPenWidth(1);
    canvas.setPenColour(Silver);
    drawTicks(
        y.step, y.scale, y.pixels,
        [&](int i, int offset) {
            const int at = f.bottom() - offset;
            if (i >= 1) canvas.line(f.margin(), at, f.plotRight(), at);
        },
        [&](int offset, double value) {
            const int at = f.bottom() - offset;
            canvas.setPenColour(Black);
            canvas.line(f.margin() - 8 * unit, at, f.margin(), at);
            canvas.textOut(2 * unit, at - 5 * unit, tickText(value, y.step, locale));
            canvas.setPenColour(Silver);
        });
    drawTicks(
        t.step, t.scale, t.pixels,
        [&](int i, int offset) {
            const int x = f.margin() + offset;
            if (i >= 1) canvas.line(x, f.bottom(), x, f.margin());
        },
        [&](int offset, double value) {
            const int x = f.margin() + offset;
            canvas.setPenColour(Black);
            canvas.line(x, f.bottom(), x, f.bottom() + 8 * unit);
            canvas.textOut(x - 3 * unit, f.height - 15 * unit, tickText(value, t.step, locale));
            canvas.setPenColour(Silver);
        });
}

} // namespace

QString drawFallDiagram(Canvas& canvas, int width, int height, int unit,
                        const FallDiagramInput& in) {
    const bool distance = in.quantity == FallQuantity::Distance;
    const DiagramFrame f{width, height, unit,
                         distance ? QCoreApplication::translate("FallDiagram", "Weg in m")
                                  : QCoreApplication::translate("FallDiagram", "v in m/s")};
    drawBackgroundAndAxes(canvas, f);

    const std::vector<PlotPoint> points = shownPoints(in);
    double tMax = 0, yMax = 0;
    for (const PlotPoint& p : points) {
        tMax = std::max(tMax, p.t);
        yMax = std::max(yMax, p.y);
    }
    const auto curve = curveOf(in);
    if (curve) yMax = std::max(yMax, (*curve)(tMax * 1.05));
    const int plotWidth = f.plotRight() - f.plotLeft();
    const int plotHeight = f.bottom() - f.margin();
    const double tStep = niceStep(tMax * 1.05, 8);
    const double yStep = niceStep(yMax * 1.05, 6);
    // An empty drop still shows its axes, from 0 to one step.
    const double tEnd = std::max(tMax * 1.05, tStep);
    const double yEnd = std::max(yMax * 1.05, yStep);
    const auto tScale = axisScale(plotWidth, tEnd);
    const auto yScale = axisScale(plotHeight, yEnd);
    if (!tScale || !yScale) return {};

    drawGrid(canvas, f, in.locale, {tStep, *tScale, plotWidth}, {yStep, *yScale, plotHeight});
    auto xOf = [&](double t) { return f.margin() + nearestPixel(t * *tScale); };
    auto yOf = [&](double y) { return f.bottom() - nearestPixel(y * *yScale); };
    const QString caption = captionOf(in);
    drawPointsAndFit(canvas, f, points, xOf, yOf, curve, tEnd, caption);
    return caption;
}

QString fallDiagramDescription(const FallDiagramInput& in) {
    const bool distance = in.quantity == FallQuantity::Distance;
    const int n = int(shownPoints(in).size());
    //: %1 the number of bands drawn
    QString text =
        in.subject == FallSubject::Pulley
            ? (distance ? QCoreApplication::translate("FallDiagram",
                                                      "s-t-Diagramm des Rads mit %1 Speichen.")
                        : QCoreApplication::translate("FallDiagram",
                                                      "v-t-Diagramm des Rads mit %1 Speichen."))
                  .arg(n)
        : distance
            ? QCoreApplication::translate("FallDiagram", "s-t-Diagramm des Falls mit %1 Latten.")
                  .arg(n)
            : QCoreApplication::translate("FallDiagram", "v-t-Diagramm des Falls mit %1 Latten.")
                  .arg(n);
    const QString caption = captionOf(in);
    if (!caption.isEmpty()) text += QLatin1Char(' ') + caption;
    return text;
}

} // namespace kelmot
