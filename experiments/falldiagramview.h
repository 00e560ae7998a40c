// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "experiments/experimentdiagramview.h"
#include "experiments/falldiagram.h"

namespace kelmot {

// One diagram of a drop in the free fall's window: its distances with the
// parabola, or its speeds with the line.
class FallDiagramView : public ExperimentDiagramView {
    Q_OBJECT
public:
    FallDiagramView(FallQuantity quantity, const QString& name, QWidget* parent);
    void showDrop(std::vector<FallPoint> points, std::optional<FallResult> result);
    // A pulley's spokes instead of a fence's bands: its captions say a, not g.
    void setSubject(FallSubject subject);
    const FallDiagramInput& input() const { return input_; }

protected:
    void draw(Canvas& canvas, int width, int height, int unit) const override;
    QString description() const override;

private:
    FallDiagramInput input_;
};

} // namespace kelmot
