// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/pendulumdiagramview.h"

namespace kelmot {

namespace {

// The page's copy of what the window draws.
using PendulumLiveDrawing =
    LiveDrawingOf<PendulumDiagramInput, drawPendulumDiagram, pendulumDiagramDescription>;

} // namespace

PendulumDiagramView::PendulumDiagramView(PendulumQuantity quantity, const QString& name,
                                         QWidget* parent)
    : ExperimentDiagramView(name, parent) {
    input_.quantity = quantity;
    contentChanged(std::make_shared<const PendulumLiveDrawing>(input_));
}

void PendulumDiagramView::showSwing(std::vector<Passage> passages, double bobWidth,
                                    std::optional<PendulumResult> result) {
    input_.passages = std::move(passages);
    input_.bobWidth = bobWidth;
    input_.result = std::move(result);
    contentChanged(std::make_shared<const PendulumLiveDrawing>(input_));
}

void PendulumDiagramView::draw(Canvas& canvas, int width, int height, int unit) const {
    drawPendulumDiagram(canvas, width, height, unit, input_);
}

QString PendulumDiagramView::description() const {
    return pendulumDiagramDescription(input_);
}

} // namespace kelmot
