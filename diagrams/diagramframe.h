// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/canvas.h"
#include "store/measurementstore.h"

#include <QLocale>
#include <QString>
#include <optional>

namespace kelmot {

// Where a diagram is drawn: the paint box in its window, the 413 x 266
// clipboard picture, or the printout.
struct DiagramGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
inline constexpr DiagramGeometry PictureGeometry{51, 17, 413, 266};
// The paint box: 80 % of the window's outer size, 10 % in from the left and
// 5 % down from the top.
DiagramGeometry windowGeometry(int outerWidth, int outerHeight);

// What a diagram reads besides the store.
struct DiagramInput {
    const MeasurementStore& store;
    int seriesCount;     // items in the series selector: the series drawn
    int mainWindowWidth; // outer width of the main window (pen-width rule)
    QLocale locale = QLocale();
    // "Ausgleichskurve": the fit of the newest series, dashed, with its caption.
    bool fitCurve = false;

    int series() const { return seriesCount < 0 ? 0 : seriesCount > 3 ? 3 : seriesCount; }
    // Crosses and lines are 2 wide when the area is wider than half the
    // main window: a large diagram window and the printout.
    int penWidthFor(int areaWidth) const { return areaWidth > mainWindowWidth / 2.0 ? 2 : 1; }
};

// Pixel coordinates from a computed value: nearest (a half to the even
// neighbour) or cut toward zero, kept within a range a painter takes, so
// that degenerate data never overflows an integer.
int nearestPixel(double value);
int truncPixel(double value);

// The frame of both diagrams. `unit` is 1 on screen and 10 on the printout:
// every offset is multiplied by it (axes 30 from the edges, titles at 5 and
// 20, ticks 8 long).
struct DiagramFrame {
    int width = 0;
    int height = 0;
    int unit = 1;
    QString yTitle;

    int margin() const { return 30 * unit; }
    int bottom() const { return height - margin(); }
    // The plot: from the y axis to the end of the time axis, from the time
    // axis up to 10 above the y axis' end (the 0.9 m tick of a picture lies
    // there), below the title. Lines, curves and ticks stay inside it.
    int plotLeft() const { return margin(); }
    int plotTop() const { return margin() - 10 * unit; }
    int plotRight() const { return width - margin(); }
};

// Background, both titles and both axes. The background's outline is drawn
// with the pen the surface holds from its last drawing.
void drawBackgroundAndAxes(Canvas& canvas, const DiagramFrame& frame);
// Ticks, labels and grid lines of the y axis, i = 0..9 at `step` pixels,
// labelled i / divisor, as far as they lie on the axis. Only tick 0 is
// black: the pen stays silver.
void drawYTicks(Canvas& canvas, const DiagramFrame& frame, int step, int divisor,
                const QLocale& locale);
// Time ticks i = 0..count at x = margin + i * step, labelled i / divisor at
// (x - labelLeft, labelY), as far as they lie on the axis. The ticks are 8
// long on every surface.
void drawTimeTicks(Canvas& canvas, const DiagramFrame& frame, int count, int step, int divisor,
                   int labelLeft, int labelY, const QLocale& locale);
// A cross with arms of `arm` pixels.
void drawCross(Canvas& canvas, int x, int y, int arm);

// Pixels per axis unit, or nothing when the data leave no sound scale (a
// maximum of 0 or less, or one so small or large that the scale is no
// usable pixel count): the diagram then shows only its frame.
std::optional<double> axisScale(double length, double units);

} // namespace kelmot
