#pragma once

#include "drawing/canvas.h"
#include "evaluation/curvefit.h"

#include <QLocale>
#include <QString>
#include <functional>

namespace kelmot {

// "Ausgleich: a = 0,129 ± 0,002 m/s², v₀ = 0,168 ± 0,001 m/s (R² = 0,9999)"
QString fitCaption(const FitParameter& a, const FitParameter& v0, double rSquared,
                   const QLocale& locale);

// A fitted curve y = f(t) from t = 0 to `tMax`, dashed in the pen's colour,
// in 100 pieces through the pixel mappings of the diagram.
void drawFittedCurve(Canvas& canvas, const std::function<int(double)>& xOf,
                     const std::function<int(double)>& yOf, const std::function<double(double)>& f,
                     double tMax);

// The fit of a diagram: `curve` dashed in `colour` through the plot, and
// `caption` at the top line (x 100, y 5 in units of the surface).
void drawFitWithCaption(Canvas& canvas, Canvas& plot, Rgb colour,
                        const std::function<int(double)>& xOf,
                        const std::function<int(double)>& yOf,
                        const std::function<double(double)>& curve, double tMax,
                        const QString& caption, int unit);

} // namespace kelmot
