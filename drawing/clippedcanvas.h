// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/canvas.h"

namespace kelmot {

// Hands the drawing on to another canvas with every line cut to a rectangle
// (edges included): the curves and lines of a diagram stay inside its plot
// frame however steep they are. A line wholly inside arrives unchanged;
// pens, rectangles and texts pass as they are.
class ClippedCanvas : public Canvas {
public:
    ClippedCanvas(Canvas& target, int left, int top, int right, int bottom)
        : target_(target), left_(left), top_(top), right_(right), bottom_(bottom) {}

    void setBrushColour(Rgb colour) override { target_.setBrushColour(colour); }
    void setPenColour(Rgb colour) override { target_.setPenColour(colour); }
    void setPenWidth(int width) override { target_.setPenWidth(width); }
    void setPenDashed(bool dashed) override { target_.setPenDashed(dashed); }
    void rectangle(int left, int top, int right, int bottom) override {
        target_.rectangle(left, top, right, bottom);
    }
    void moveTo(int x, int y) override {
        x_ = x;
        y_ = y;
    }
    void lineTo(int x, int y) override;
    void textOut(int x, int y, const QString& text) override { target_.textOut(x, y, text); }

private:
    Canvas& target_;
    int left_, top_, right_, bottom_;
    int x_ = 0, y_ = 0;
};

} // namespace kelmot
