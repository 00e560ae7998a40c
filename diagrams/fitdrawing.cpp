// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagrams/fitdrawing.h"

#include "evaluation/uncertainty.h"
#include "store/numberformat.h"

#include <QCoreApplication>

namespace kelmot {

QString fitCaption(const FitParameter& a, const FitParameter& v0, double rSquared,
                   const QLocale& locale) {
    const auto withUncertainty = [&](const FitParameter& p) {
        return formatWithUncertainty(p.value, p.uncertainty, locale);
    };
    return QCoreApplication::translate("FitDrawing",
                                       "Ausgleich: a = %1 m/s², v₀ = %2 m/s (R² = %3)")
        .arg(withUncertainty(a), withUncertainty(v0), formatFixed(rSquared, 4, locale));
}

void drawFittedCurve(Canvas& canvas, const std::function<int(double)>& xOf,
                     const std::function<int(double)>& yOf, const std::function<double(double)>& f,
                     double tMax) {
    constexpr int Pieces = 100;
    canvas.setPenDashed(true);
    canvas.moveTo(xOf(0), yOf(f(0)));
    for (int i = 1; i <= Pieces; ++i) {
        const double t = tMax * i / Pieces;
        canvas.lineTo(xOf(t), yOf(f(t)));
    }
    canvas.setPenDashed(false);
}

void drawFitWithCaption(Canvas& canvas, Canvas& plot, Rgb colour,
                        const std::function<int(double)>& xOf,
                        const std::function<int(double)>& yOf,
                        const std::function<double(double)>& curve, double tMax,
                        const QString& caption, int unit) {
    canvas.setPenColour(colour);
    drawFittedCurve(plot, xOf, yOf, curve, tMax);
    canvas.setPenColour(Black);
    canvas.textOut(100 * unit, 5 * unit, caption);
}

} // namespace kelmot
