// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a diagram drew into a recording canvas, read back: its crosses, how
// far a point lies from its dashed curve, its labels.
#include "drawing/canvas.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace kelmot::test {

// The centres of the crosses drawn: a horizontal and a vertical arm of the
// given pen, each crossing the other's middle.
inline std::vector<std::pair<int, int>> crossCentres(const RecordingCanvas& c, Rgb colour) {
    std::vector<std::pair<int, int>> centres;
    const auto segments = c.segments();
    for (std::size_t i = 0; i + 1 < segments.size(); ++i) {
        const auto& h = segments[i];
        const auto& v = segments[i + 1];
        if (h.colour == colour && v.colour == colour && h.y1 == h.y2 && v.x1 == v.x2 &&
            (h.x1 + h.x2) / 2 == v.x1 && (v.y1 + v.y2) / 2 == h.y1)
            centres.emplace_back(v.x1, h.y1);
    }
    return centres;
}

// How far a point lies from the nearest dashed segment of the colour.
inline double distanceToCurve(const RecordingCanvas& c, Rgb colour, double x, double y) {
    double best = std::numeric_limits<double>::infinity();
    for (const auto& s : c.segments()) {
        if (!s.dashed || !(s.colour == colour)) continue;
        const double dx = s.x2 - s.x1, dy = s.y2 - s.y1;
        const double length = dx * dx + dy * dy;
        const double u =
            length > 0 ? std::clamp(((x - s.x1) * dx + (y - s.y1) * dy) / length, 0.0, 1.0) : 0;
        best = std::min(best, std::hypot(s.x1 + u * dx - x, s.y1 + u * dy - y));
    }
    return best;
}

inline bool hasLabel(const RecordingCanvas& c, const QString& text) {
    for (const auto& l : c.labels())
        if (l.text == text) return true;
    return false;
}

} // namespace kelmot::test
