// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/clippedcanvas.h"

#include "drawing/rounding.h"

#include <algorithm>

namespace kelmot {

void ClippedCanvas::lineTo(int x, int y) {
    const int x0 = x_, y0 = y_;
    x_ = x;
    y_ = y;
    // Liang-Barsky: the part of the segment p(s) = p0 + s (p1 - p0), s in
    // [0, 1], that lies inside the rectangle.
    const double dx = double(x) - x0;
    const double dy = double(y) - y0;
    double from = 0, to = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {double(x0) - left_, double(right_) - x0, double(y0) - top_,
                         double(bottom_) - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return; // parallel to this edge and outside it
            continue;
        }
        const double s = q[i] / p[i];
        if (p[i] < 0)
            from = std::max(from, s);
        else
            to = std::min(to, s);
        if (from > to) return;
    }
    // Ends that lie inside keep their exact pixels.
    const int ax = from == 0 ? x0 : nearest(x0 + from * dx);
    const int ay = from == 0 ? y0 : nearest(y0 + from * dy);
    const int bx = to == 1 ? x : nearest(x0 + to * dx);
    const int by = to == 1 ? y : nearest(y0 + to * dy);
    target_.moveTo(ax, ay);
    target_.lineTo(bx, by);
}

} // namespace kelmot
