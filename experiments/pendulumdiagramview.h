// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "experiments/experimentdiagramview.h"
#include "experiments/pendulumdiagram.h"

namespace kelmot {

// One diagram of a swing in the pendulum's window: its periods over time,
// or its speeds at the bottom with the fitted decay.
class PendulumDiagramView : public ExperimentDiagramView {
    Q_OBJECT
public:
    PendulumDiagramView(PendulumQuantity quantity, const QString& name, QWidget* parent);
    void showSwing(std::vector<Passage> passages, double bobWidth,
                   std::optional<PendulumResult> result);
    const PendulumDiagramInput& input() const { return input_; }

protected:
    void draw(Canvas& canvas, int width, int height, int unit) const override;
    QString description() const override;

private:
    PendulumDiagramInput input_;
};

} // namespace kelmot
