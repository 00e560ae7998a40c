// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/canvas.h"
#include "evaluation/curvefit.h"

#include <QLocale>
#include <QString>
#include <functional>

namespace kelmot {

// "Ausgleich: a = (0,1302 ± 0,0011) m/s², v₀ = (0,3501 ± 0,0023) m/s (R² = 0,9999)":
// each parameter with its standard uncertainty as physicists write it.
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
