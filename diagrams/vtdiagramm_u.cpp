// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagrams/vtdiagramm_u.h"

#include "evaluation/evaluationtable.h"
#include "store/measurementstore.h"

namespace kelmot {

TForm4::TForm4(const DiagramLinks& links, QWidget* parent)
    : DiagramWindow(links, "Form4", tr("   v-t Diagramm"), "PB2", "Image1", 56, parent) {
    PB2 = paintBox;
    Image1 = picture;
    PB2->setToolTip(tr("Maustaste öffnet Menü"));
    setGeometry(667, 385, 356, 480);
}

QString TForm4::flagWidthText() const {
    return table().flagWidthText();
}

std::optional<QString> TForm4::Zeichne(Canvas& canvas, int Mode) {
    return drawDiagram(canvas, Mode == 1 ? PictureGeometry : paintBoxGeometry());
}

std::optional<QString> TForm4::drawDiagram(Canvas& canvas, const DiagramGeometry& area) {
    return Diagram.Zeichne(canvas, area, input(), flagWidthText());
}

void TForm4::drawPrintout(Canvas& canvas) {
    Diagram.ZeichnePrinter(canvas, input(), flagWidthText());
}

void TForm4::drawCleared(Canvas& canvas, const DiagramGeometry& area) {
    Diagram.drawCleared(canvas, area, QLocale());
}

} // namespace kelmot
