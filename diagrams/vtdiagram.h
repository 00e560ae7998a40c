// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "diagrams/diagramframe.h"

#include <functional>
#include <optional>

namespace kelmot {

// The velocity-time diagram: at each barrier's dark time the speed of the
// cart (flag width / time the beam stayed dark), and for each series its
// mean-speed line or the line through the origin with the mean of v/t as
// slope. The speeds outlive a drawing: a barrier whose beam was never dark
// for a positive time keeps the speed of an earlier drawing.
struct VtDiagram {
    int VtPlotWidth = 0;
    int VtPlotHeight = 0;
    int VtPlotLeft = 0;
    int VtPlotTop = 0;
    double VtTimeMax = 0;
    int VtTimeFactor = 10;
    int VtTimeScale = 0;
    double VtSpeedMax = 0;
    int VtSpeedFactor = 1; // one y-axis unit is 1/VtSpeedFactor m/s
    int VtSpeedScale = 0;
    double VtSpeeds[3][10]{};
    double VtQuotients[3][10]{};
    double VtMean = 0;
    // The flag width last read as a number: an empty or unreadable field
    // keeps it, the drawing goes on with it.
    double FlagWidthMetres = 0.010;
    QString FitText; // the caption of the fitted line last drawn, empty for none

    static constexpr DiagramGeometry PrintGeometry{510, 170, 4130, 2660};

    // `flagWidthText` is the text of the table's flag-width field (mm).
    std::optional<QString> Zeichne(Canvas& canvas, const DiagramGeometry& area,
                                   const DiagramInput& input, const QString& flagWidthText);
    // The printout computes its own scales from the data.
    void ZeichnePrinter(Canvas& canvas, const DiagramInput& input, const QString& flagWidthText);
    void drawCleared(Canvas& canvas, const DiagramGeometry& area, const QLocale& locale);

private:
    // The line fitted to the newest series' speeds, and its caption at the top.
    void drawFit(Canvas& canvas, Canvas& plot, const DiagramInput& input, int unit,
                 const std::function<int(double)>& xOf, const std::function<int(double)>& yOf);
    void drawPrintout(Canvas& canvas, const DiagramInput& input, const QString& flagWidthText);
    void place(const DiagramGeometry& area);
    DiagramFrame frame(int unit) const;
    // Time and speed maxima and factors; the scales, or nothing when the
    // data leave none (then only the frame is drawn).
    bool computeScales(const DiagramInput& input, const QString& flagWidthText, int margins);
    void computeSpeeds(const MeasurementStore& store, int k, int from);
    // The line of series k's chosen relationship through the plot: its mean
    // speed from the y axis (v konstant), or from the origin the mean of its
    // quotients v/t as slope (v ~ t), which VtQuotients keeps. Sets VtMean;
    // returns the relationship drawn (VtNone draws nothing).
    int drawRelationLine(Canvas& plot, const MeasurementStore& store, int k, int left, int bottom,
                         const std::function<int(double)>& xOf,
                         const std::function<int(double)>& yOf);
};

} // namespace kelmot
