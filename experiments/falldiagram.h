// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/canvas.h"
#include "experiments/experimentplot.h"
#include "experiments/falldrop.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

namespace kelmot {

// The two diagrams of a drop: the fallen distance of each band's leading
// edge over its dark time with the fitted parabola, and each band's speed
// over the middle of its dark interval with the fitted line.
enum class FallQuantity { Distance, Speed };

// What moves through the beam: a fence's bands, whose acceleration is g,
// or a pulley's spokes, whose string accelerates with a.
enum class FallSubject { Fence, Pulley };

struct FallDiagramInput {
    FallQuantity quantity = FallQuantity::Distance;
    FallSubject subject = FallSubject::Fence;
    std::vector<FallPoint> points;
    std::optional<FallResult> result; // its curve is drawn dashed where there is one
    QLocale locale = QLocale();
};

// Draws the diagram into (0, 0)–(width, height) of the canvas, with every
// offset multiplied by `unit` (1 on screen and in the picture, 10 on the
// printout) as the track's diagrams do. Returns the caption of the fit,
// empty where there is none.
QString drawFallDiagram(Canvas& canvas, int width, int height, int unit,
                        const FallDiagramInput& input);

// What a screen reader hears of the diagram: its name, how many points it
// shows, and its fit.
QString fallDiagramDescription(const FallDiagramInput& input);

} // namespace kelmot
