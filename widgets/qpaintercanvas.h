// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/canvas.h"

class QPainter;

namespace kelmot {

// A canvas over a QPainter: the window's paint box, the clipboard picture
// and the printer. Rectangles and texts follow the conventions the
// diagrams are laid out by: right and bottom edges excluded, a text's
// top-left corner at its point, on a background of the brush colour.
class QPainterCanvas : public Canvas {
public:
    QPainterCanvas(QPainter& painter, const PenState& start);

    void setBrushColour(Rgb colour) override;
    void setPenColour(Rgb colour) override;
    void setPenWidth(int width) override;
    void setPenDashed(bool dashed) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void textOut(int x, int y, const QString& text) override;

    const PenState& state() const { return state_; }

private:
    void applyPen();

    QPainter& painter_;
    PenState state_;
    int x_ = 0;
    int y_ = 0;
    double travelled_ = 0; // along the lines since the last moveTo, for the dash pattern
};

} // namespace kelmot
