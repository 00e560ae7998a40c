// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/pendulumdiagram.h"

#include "diagrams/diagramframe.h"
#include "evaluation/uncertainty.h"
#include "experiments/experimentplot.h"
#include "store/numberformat.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <functional>

namespace kelmot {

namespace {

// The periods' mean where the swing gives one, else none yet.
double periodForSpeeds(const PendulumDiagramInput& in) {
    if (in.result) return in.result->period.value;
    const std::vector<double> periods = periodsOf(in.passages);
    if (periods.empty()) return 0;
    double sum = 0;
    for (double p : periods)
        sum += p;
    return sum / double(periods.size());
}

std::vector<PlotPoint> shownPoints(const PendulumDiagramInput& in) {
    std::vector<PlotPoint> points;
    if (in.quantity == PendulumQuantity::Period) {
        // The passages at the bottom, as the result's period was found.
        const std::vector<Passage> bottom =
            in.result && in.result->decayTime
                ? atTheBottom(in.passages, in.result->period.value, in.result->decayTime->value)
                : in.passages;
        const std::vector<double> periods = periodsOf(bottom);
        for (std::size_t k = 0; k < periods.size(); ++k)
            points.push_back({bottom[2 * k + 2].time, periods[k]});
        return points;
    }
    const double period = periodForSpeeds(in);
    for (const Passage& p : in.passages) {
        // Before a period is known, the bob's width over the dark interval.
        const double speed = period > 0 ? lowestPointSpeed(in.bobWidth, p.dark, period) : p.speed;
        if (speed > 0) points.push_back({p.time, speed});
    }
    return points;
}

std::optional<std::function<double(double)>> curveOf(const PendulumDiagramInput& in) {
    if (!in.result) return std::nullopt;
    if (in.quantity == PendulumQuantity::Period) {
        const double period = in.result->period.value;
        return [period](double) { return period; };
    }
    if (!in.result->decayTime) return std::nullopt;
    const double v0 = in.result->startSpeed;
    const double tau = in.result->decayTime->value;
    return [v0, tau](double t) { return v0 * std::exp(-t / tau); };
}

QString captionOf(const PendulumDiagramInput& in) {
    if (!in.result) return {};
    if (in.quantity == PendulumQuantity::Period) return periodText(in.result->period, in.locale);
    if (!in.result->decayTime) return {};
    //: the decay fitted to the speeds: %1 τ with its uncertainty, %2 the quality factor Q
    return QCoreApplication::translate("PendulumDiagram", "%1, Q = %2")
        .arg(decayTimeText(*in.result->decayTime, in.locale),
             formatFixed(in.result->quality.value_or(0), 0, in.locale));
}

// The value axis: from 0 for the speeds; around the periods for the
// periods, at least half a thousandth of them high.
struct Range {
    double low;
    double high;
};
Range valueRange(const PendulumDiagramInput& in, const std::vector<PlotPoint>& points,
                 const std::optional<std::function<double(double)>>& curve, double tEnd) {
    double low = INFINITY, high = 0;
    for (const PlotPoint& p : points) {
        low = std::min(low, p.y);
        high = std::max(high, p.y);
    }
    if (curve) {
        low = std::min(low, (*curve)(tEnd));
        high = std::max(high, (*curve)(0));
    }
    if (in.quantity == PendulumQuantity::Speed || !std::isfinite(low) || !(high > 0))
        return {0, high * 1.05};
    const double middle = (low + high) / 2;
    const double half = std::max((high - low) / 2 * 1.3, middle * 0.00025);
    return {middle - half, middle + half};
}

} // namespace

QString drawPendulumDiagram(Canvas& canvas, int width, int height, int unit,
                            const PendulumDiagramInput& in) {
    const bool period = in.quantity == PendulumQuantity::Period;
    const DiagramFrame f{width, height, unit,
                         period ? QCoreApplication::translate("PendulumDiagram", "T in s")
                                : QCoreApplication::translate("PendulumDiagram", "v in m/s")};
    drawBackgroundAndAxes(canvas, f);

    const std::vector<PlotPoint> points = shownPoints(in);
    double tMax = 0;
    for (const PlotPoint& p : points)
        tMax = std::max(tMax, p.t);
    const double tStep = niceStep(tMax * 1.05, 8);
    const double tEnd = std::max(tMax * 1.05, tStep); // an empty swing shows its axes
    const auto curve = curveOf(in);
    Range range = valueRange(in, points, curve, tEnd);
    const double yStep = niceStep(range.high - range.low, 6);
    if (!(range.high > range.low)) range = {0, yStep};
    const int plotWidth = f.plotRight() - f.plotLeft();
    const int plotHeight = f.bottom() - f.margin();
    const auto tScale = axisScale(plotWidth, tEnd);
    const auto yScale = axisScale(plotHeight, range.high - range.low);
    if (!tScale || !yScale) return {};

    auto xOf = [&](double t) { return f.margin() + nearestPixel(t * *tScale); };
    auto yOf = [&](double y) { return f.bottom() - nearestPixel((y - range.low) * *yScale); };

    // Ticks, grid and labels: the value axis from its first step within
    // the range, the time axis from 0.
    canvas.setPenWidth(1);
    for (int i = int(std::ceil(range.low / yStep - 1e-9));
         i <= int(range.high / yStep) && i < 10000; ++i) {
        const double value = i * yStep;
        const int y = yOf(value);
        if (y < f.margin() - 1 || y > f.bottom()) continue;
        canvas.setPenColour(Silver);
        if (y < f.bottom()) canvas.line(f.margin(), y, f.plotRight(), y);
        canvas.setPenColour(Black);
        canvas.line(f.margin() - 8 * unit, y, f.margin(), y);
        canvas.textOut(2 * unit, y - 5 * unit, tickText(value, yStep, in.locale));
    }
    for (int i = 0; i <= 100; ++i) {
        const int x = xOf(i * tStep);
        if (x > f.plotRight()) break;
        canvas.setPenColour(Silver);
        if (i >= 1) canvas.line(x, f.bottom(), x, f.margin());
        canvas.setPenColour(Black);
        canvas.line(x, f.bottom(), x, f.bottom() + 8 * unit);
        canvas.textOut(x - 3 * unit, f.height - 15 * unit, tickText(i * tStep, tStep, in.locale));
    }

    const QString caption = captionOf(in);
    drawPointsAndFit(canvas, f, points, xOf, yOf, curve, tEnd, caption);
    return caption;
}

QString pendulumDiagramDescription(const PendulumDiagramInput& in) {
    const int n = int(shownPoints(in).size());
    QString text =
        in.quantity == PendulumQuantity::Period
            //: %1 the number of periods drawn
            ? QCoreApplication::translate("PendulumDiagram",
                                          "Diagramm der Periode über der Zeit mit %1 Perioden.")
                  .arg(n)
            //: %1 the number of passages drawn
            : QCoreApplication::translate("PendulumDiagram",
                                          "Diagramm der Geschwindigkeit im tiefsten Punkt über der "
                                          "Zeit mit %1 Durchgängen.")
                  .arg(n);
    const QString caption = captionOf(in);
    if (!caption.isEmpty()) text += QLatin1Char(' ') + caption;
    return text;
}

} // namespace kelmot
