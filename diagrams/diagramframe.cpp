// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagrams/diagramframe.h"

#include "drawing/rounding.h"
#include "store/numberformat.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace kelmot {

namespace {

constexpr double PixelLimit = 1 << 24;

double clampPixel(double value) {
    if (std::isnan(value)) return 0;
    return std::clamp(value, -PixelLimit, PixelLimit);
}

} // namespace

DiagramGeometry windowGeometry(int outerWidth, int outerHeight) {
    return {nearest(0.1 * outerWidth), nearest(0.05 * outerHeight), nearest(0.8 * outerWidth),
            nearest(0.8 * outerHeight)};
}

int nearestPixel(double value) {
    return nearest(clampPixel(value));
}

int truncPixel(double value) {
    return intPart(clampPixel(value));
}

std::optional<double> axisScale(double length, double units) {
    if (!(units > 0) || !std::isfinite(units)) return std::nullopt;
    const double scale = length / units;
    // Below one pixel per unit the ticks would be countless; above the
    // limit the pixel arithmetic overflows.
    if (!(scale >= 1) || scale > PixelLimit) return std::nullopt;
    return scale;
}

void drawBackgroundAndAxes(Canvas& canvas, const DiagramFrame& f) {
    const int u = f.unit;
    canvas.setBrushColour(Cream);
    canvas.rectangle(0, 0, f.width, f.height);
    canvas.setPenWidth(1);
    canvas.setPenColour(Black);
    canvas.textOut(5 * u, 5 * u, f.yTitle);
    canvas.textOut(f.width - 30 * u, f.height - 20 * u,
                   QCoreApplication::translate("DiagramFrame", "Zeit"));
    canvas.line(f.margin(), f.bottom(), f.margin(), f.margin());
    canvas.line(f.margin(), f.bottom(), f.width - f.margin(), f.bottom());
}

void drawYTicks(Canvas& canvas, const DiagramFrame& f, int step, int divisor,
                const QLocale& locale) {
    const int u = f.unit;
    for (int i = 0; i <= 9; ++i) {
        const int y = f.bottom() - i * step;
        if (y < f.plotTop()) break; // above the plot: the pen stays silver
        canvas.line(f.margin(), y, f.margin() - 8 * u, y);
        canvas.textOut(5 * u, y - 5 * u, formatGeneral(double(i) / divisor, locale));
        canvas.setPenColour(Silver);
        if (i >= 1) canvas.line(f.margin(), y, f.width - f.margin(), y);
    }
}

void drawTimeTicks(Canvas& canvas, const DiagramFrame& f, int count, int step, int divisor,
                   int labelLeft, int labelY, const QLocale& locale) {
    canvas.setPenColour(Black);
    for (int i = 0; i <= count; ++i) {
        const int x = f.margin() + i * step;
        if (x > f.plotRight()) break; // beyond the end of the axis
        canvas.line(x, f.bottom(), x, f.bottom() + 8);
        canvas.textOut(x - labelLeft, labelY, formatGeneral(double(i) / divisor, locale));
        canvas.setPenColour(Silver);
        if (i >= 1) canvas.line(x, f.bottom(), x, f.margin());
    }
}

void drawCross(Canvas& canvas, int x, int y, int arm) {
    canvas.line(x - arm, y, x + arm, y);
    canvas.line(x, y - arm, x, y + arm);
}

} // namespace kelmot
