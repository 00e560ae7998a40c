// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/signalviewdrawing.h"

#include "drawing/colour.h"

namespace kelmot {

void drawSignalView(Canvas& canvas, int width, int height, const SignalMonitor& monitor,
                    int threshold) {
    // 16-bit values over the height, +32767 at the top.
    auto y = [height](int value) { return int((32767 - value) * (height - 1) / 65535); };
    canvas.setBrushColour(Cream);
    canvas.setPenWidth(1);
    canvas.setPenColour(Black);
    canvas.rectangle(0, 0, width, height);
    canvas.setPenColour(Silver);
    canvas.line(1, y(0), width - 1, y(0));
    canvas.setPenColour(Navy);
    const auto& slices = monitor.slices();
    // The newest slice at the right edge.
    const int first = width - 1 - int(slices.size());
    for (std::size_t i = 0; i < slices.size(); ++i) {
        const int x = first + int(i);
        if (x < 1) continue;
        canvas.line(x, y(slices[i].high), x, y(slices[i].low) + 1);
    }
    canvas.setPenColour(Red);
    canvas.line(1, y(threshold), width - 1, y(threshold));
    // A steady voltage's changes swing either way: a line for each.
    if (monitor.kind() == SignalKind::Edges)
        canvas.line(1, y(-threshold), width - 1, y(-threshold));
    canvas.setPenColour(Black);
}

} // namespace kelmot
