// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/canvas.h"

#include <algorithm>

namespace kelmot::test {

// What a recorded drawing holds, for the diagram tests.
inline bool hasLabel(const RecordingCanvas& c, int x, int y, const QString& text) {
    const auto labels = c.labels();
    return std::find(labels.begin(), labels.end(), RecordingCanvas::Label{x, y, text}) !=
           labels.end();
}

inline bool hasSegment(const RecordingCanvas& c, const RecordingCanvas::Segment& s) {
    const auto all = c.segments();
    return std::find(all.begin(), all.end(), s) != all.end();
}

inline int countSegments(const RecordingCanvas& c, Rgb colour) {
    const auto all = c.segments();
    return int(std::count_if(all.begin(), all.end(), [&](const RecordingCanvas::Segment& s) {
        return s.colour == colour;
    }));
}

} // namespace kelmot::test
