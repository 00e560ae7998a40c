// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "diagrams/diagramwindow.h"
#include "diagrams/stdiagram.h"

namespace kelmot {

// The s-t diagram window: PB1 draws the diagram, Im2 holds the clipboard
// picture; both are drawn by the same routine.
class TForm3 : public DiagramWindow {
    Q_OBJECT
public:
    explicit TForm3(const DiagramLinks& links, QWidget* parent = nullptr);

    void PB1Paint() { paintDiagram(); }
    void PB1MouseDown() { paintBoxMouseDown(); }
    // Mode 1: the picture's geometry; any other value: the window's.
    std::optional<QString> Zeichne(Canvas& canvas, int Mode);
    void ZeichnePrinter(Canvas& canvas) { drawPrintout(canvas); }

    DiagramPaintBox* PB1 = nullptr;
    QLabel* Im2 = nullptr;
    StDiagram Diagram; // the drawing state the last drawing left

protected:
    std::optional<QString> drawDiagram(Canvas& canvas, const DiagramGeometry& area) override;
    void drawPrintout(Canvas& canvas) override;
    void drawCleared(Canvas& canvas, const DiagramGeometry& area) override;
    bool velocity() const override { return false; }
    QString fitText() const override { return Diagram.FitText; }
};

} // namespace kelmot
