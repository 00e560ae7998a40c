// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/canvas.h"
#include "experiments/pendulum.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

namespace kelmot {

// The two diagrams of a swing: each period over the time it ended, with the
// mean period as a dashed line (a flat row shows the pendulum keeps time as
// it dies away), and the speed at the bottom of each passage over its time,
// with the fitted decay v₀·e^(−t/τ).
enum class PendulumQuantity { Period, Speed };

struct PendulumDiagramInput {
    PendulumQuantity quantity = PendulumQuantity::Period;
    std::vector<Passage> passages;
    double bobWidth = 0.02;               // m
    std::optional<PendulumResult> result; // its line or curve is drawn dashed where there is one
    QLocale locale = QLocale();
};

// Draws the diagram into (0, 0)–(width, height) of the canvas, every offset
// multiplied by `unit` (1 on screen and in the picture, 10 on the printout).
// The period's axis spans the periods measured, not 0 to them: a period
// changes by a fraction of a millisecond. Returns the caption of the fit,
// empty where there is none.
QString drawPendulumDiagram(Canvas& canvas, int width, int height, int unit,
                            const PendulumDiagramInput& input);

// What a screen reader hears of the diagram: its name, how many points it
// shows, and its fit.
QString pendulumDiagramDescription(const PendulumDiagramInput& input);

} // namespace kelmot
