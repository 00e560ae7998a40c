// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/experimentplot.h"

#include "diagrams/fitdrawing.h"
#include "drawing/clippedcanvas.h"
#include "store/numberformat.h"

#include <algorithm>
#include <cmath>

namespace kelmot {

double niceStep(double max, int maxSteps) {
    if (!(max > 0) || !std::isfinite(max) || maxSteps < 1) return 1;
    const double raw = max / maxSteps;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= raw * (1 - 1e-9)) return factor * power;
    return 10 * power;
}

QString tickText(double value, double step, const QLocale& locale) {
    const int decimals = std::max(0, int(-std::floor(std::log10(step) + 1e-9)));
    return formatFixed(value, decimals, locale);
}

void drawPointsAndFit(Canvas& canvas, const DiagramFrame& f, const std::vector<PlotPoint>& points,
                      const std::function<int(double)>& xOf, const std::function<int(double)>& yOf,
                      const std::optional<std::function<double(double)>>& curve, double tEnd,
                      const QString& caption) {
    canvas.setPenColour(Navy);
    canvas.setPenWidth(2);
    for (const PlotPoint& p : points)
        drawCross(canvas, xOf(p.t), yOf(p.y), 5 * f.unit);
    if (curve) {
        ClippedCanvas plot(canvas, f.plotLeft(), f.plotTop(), f.plotRight(), f.bottom());
        canvas.setPenWidth(1);
        drawFitWithCaption(canvas, plot, Red, xOf, yOf, *curve, tEnd, caption, f.unit);
    }
    canvas.setPenWidth(1);
    canvas.setPenColour(Black);
}

} // namespace kelmot
