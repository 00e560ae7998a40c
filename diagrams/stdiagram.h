// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "diagrams/diagramframe.h"

#include <functional>
#include <optional>

namespace kelmot {

// The distance-time diagram: the dark times of every series against the
// barrier positions, and the curve of each series' suspected relationship
// with the mean of its nine quotients as constant. The drawing state stays
// between drawings: the printout and "Diagramme löschen" read and replace
// what the last drawing left.
struct StDiagram {
    int StPlotWidth = 0;
    int StPlotHeight = 0;
    int StPlotLeft = 0;
    int StPlotTop = 0;
    double StTimeMax = 0;
    int StTimeFactor = 10; // one x-axis unit is 1/StTimeFactor s
    int StTimeScale = 0;   // pixels per x-axis unit
    int StDistScale = 0;   // pixels per 0.1 m
    double StQuotients[9]{};
    double StQuotientMean = 0;
    QString FitText; // the caption of the fitted curve last drawn, empty for none

    static constexpr DiagramGeometry PrintGeometry{510, 170, 4100, 2660};

    // The window or the picture. Returns the text for the quotient label,
    // or nothing when the label keeps what it shows.
    std::optional<QString> Zeichne(Canvas& canvas, const DiagramGeometry& area,
                                   const DiagramInput& input);
    // The printout: the last drawing (the picture) ten times enlarged. The
    // drawing state stays as the last drawing left it.
    void ZeichnePrinter(Canvas& canvas, const DiagramInput& input);
    // "Diagramme löschen": frame, distance axis and grid only.
    void drawCleared(Canvas& canvas, const DiagramGeometry& area, const QLocale& locale);

private:
    void drawPrintout(Canvas& canvas, const DiagramInput& input);
    void drawCrosses(Canvas& canvas, const DiagramInput& input) const;
    std::optional<QString> drawRelations(Canvas& plot, const DiagramInput& input);
    // The parabola fitted to the newest series, and its caption at the top.
    void drawFit(Canvas& canvas, Canvas& plot, const DiagramInput& input, int unit,
                 const std::function<int(double)>& xOf, const std::function<int(double)>& yOf);
    void place(const DiagramGeometry& area);
    DiagramFrame frame(int unit) const;
};

} // namespace kelmot
