// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "diagrams/diagramframe.h"
#include "drawing/canvas.h"

#include <QLocale>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace kelmot {

// What the one-barrier experiments' diagrams share: a measured point is a
// time and a value; ticks are labelled with as many decimals as their step
// has (0,3, not 0,30000000000000004); and the points are navy crosses with
// the fitted curve dashed in red through the plot, its caption at the top.
struct PlotPoint {
    double t;
    double y;
};

// A step of 1, 2 or 5 times a power of ten that divides 0..max into at
// most `maxSteps` steps; 1 for a maximum that is no positive finite number.
double niceStep(double max, int maxSteps);

QString tickText(double value, double step, const QLocale& locale);

// Leaves the pen 1 wide and black.
void drawPointsAndFit(Canvas& canvas, const DiagramFrame& frame,
                      const std::vector<PlotPoint>& points, const std::function<int(double)>& xOf,
                      const std::function<int(double)>& yOf,
                      const std::optional<std::function<double(double)>>& curve, double tEnd,
                      const QString& caption);

} // namespace kelmot
