// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/falldiagramview.h"

namespace kelmot {

FallDiagramView::FallDiagramView(FallQuantity quantity, const QString& name, QWidget* parent)
    : ExperimentDiagramView(name, parent) {
    input_.quantity = quantity;
    contentChanged();
}

void FallDiagramView::showDrop(std::vector<FallPoint> points, std::optional<FallResult> result) {
    input_.points = std::move(points);
    input_.result = std::move(result);
    contentChanged();
}

void FallDiagramView::draw(Canvas& canvas, int width, int height, int unit) const {
    drawFallDiagram(canvas, width, height, unit, input_);
}

QString FallDiagramView::description() const {
    return fallDiagramDescription(input_);
}

} // namespace kelmot
