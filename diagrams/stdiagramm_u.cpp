// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagrams/stdiagramm_u.h"

#include "evaluation/evaluationtable.h"
#include "store/measurementstore.h"

namespace kelmot {

TForm3::TForm3(const DiagramLinks& links, QWidget* parent)
    : DiagramWindow(links, "Form3", tr("   s-t Diagramm"), "PB1", "Im2", 48, parent) {
    PB1 = paintBox;
    Im2 = picture;
    PB1->setToolTip(tr("Maustaste öffnet Menu"));
    setGeometry(623, 439, 393, 405);
}

std::optional<QString> TForm3::Zeichne(Canvas& canvas, int Mode) {
    return drawDiagram(canvas, Mode == 1 ? PictureGeometry : paintBoxGeometry());
}

std::optional<QString> TForm3::drawDiagram(Canvas& canvas, const DiagramGeometry& area) {
    return Diagram.Zeichne(canvas, area, input());
}

void TForm3::drawPrintout(Canvas& canvas) {
    Diagram.ZeichnePrinter(canvas, input());
}

void TForm3::drawCleared(Canvas& canvas, const DiagramGeometry& area) {
    Diagram.drawCleared(canvas, area, QLocale());
}

} // namespace kelmot
