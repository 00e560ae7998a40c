// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/falldiagramview.h"

namespace kelmot {

namespace {

// The page's copy of what the window draws.
using FallLiveDrawing = LiveDrawingOf<FallDiagramInput, drawFallDiagram, fallDiagramDescription>;

} // namespace

FallDiagramView::FallDiagramView(FallQuantity quantity, const QString& name, QWidget* parent)
    : ExperimentDiagramView(name, parent) {
    input_.quantity = quantity;
    contentChanged(std::make_shared<const FallLiveDrawing>(input_));
}

void FallDiagramView::showDrop(std::vector<FallPoint> points, std::optional<FallResult> result) {
    input_.points = std::move(points);
    input_.result = std::move(result);
    contentChanged(std::make_shared<const FallLiveDrawing>(input_));
}

void FallDiagramView::setSubject(FallSubject subject) {
    input_.subject = subject;
    contentChanged(std::make_shared<const FallLiveDrawing>(input_));
}

void FallDiagramView::draw(Canvas& canvas, int width, int height, int unit) const {
    drawFallDiagram(canvas, width, height, unit, input_);
}

QString FallDiagramView::description() const {
    return fallDiagramDescription(input_);
}

} // namespace kelmot
