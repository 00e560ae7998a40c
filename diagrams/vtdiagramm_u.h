// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "diagrams/diagramwindow.h"
#include "diagrams/vtdiagram.h"

namespace kelmot {

// The v-t diagram window: PB2 draws the diagram, Image1 holds the
// clipboard picture. The flag width is read from the evaluation table.
class TForm4 : public DiagramWindow {
    Q_OBJECT
public:
    explicit TForm4(const DiagramLinks& links, QWidget* parent = nullptr);

    void PB2Paint() { paintDiagram(); }
    void PB2MouseDown() { paintBoxMouseDown(); }
    std::optional<QString> Zeichne(Canvas& canvas, int Mode);
    void ZeichnePrinter(Canvas& canvas) { drawPrintout(canvas); }

    DiagramPaintBox* PB2 = nullptr;
    QLabel* Image1 = nullptr;
    VtDiagram Diagram;

protected:
    std::optional<QString> drawDiagram(Canvas& canvas, const DiagramGeometry& area) override;
    void drawPrintout(Canvas& canvas) override;
    void drawCleared(Canvas& canvas, const DiagramGeometry& area) override;
    bool velocity() const override { return true; }
    QString fitText() const override { return Diagram.FitText; }

private:
    QString flagWidthText() const;
};

} // namespace kelmot
