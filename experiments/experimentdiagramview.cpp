// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/experimentdiagramview.h"

#include "diagrams/diagramframe.h"
#include "widgets/chartaccessibility.h"
#include "widgets/controls.h"
#include "widgets/keyboard.h"
#include "widgets/popupaccessibility.h"
#include "widgets/qpaintercanvas.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace kelmot {

namespace {

// The printout is the picture ten times enlarged, as the track's diagrams print.
constexpr int PrintUnit = 10;

void setDiagramFont(QPainter& painter, int unit) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11 * unit);
    painter.setFont(font);
}

} // namespace

ExperimentDiagramView::ExperimentDiagramView(const QString& name, QWidget* parent)
    : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    exposeAsChart(this); // before its accessible interface is first made
    setAccessibleName(name);

    PopupMenu1 = new QMenu(this);
    exposePopupToScreenReaders(parent ? parent->window() : this, PopupMenu1);
    Zwischenablage1 = PopupMenu1->addAction(tr("Zwischenablage"));
    Ausdrucken1 = PopupMenu1->addAction(tr("Ausdrucken"));
    connect(Zwischenablage1, &QAction::triggered, this, &ExperimentDiagramView::copyPicture);
    connect(Ausdrucken1, &QAction::triggered, this, &ExperimentDiagramView::print);
    // Ctrl+C and Ctrl+P on the diagram that has the focus.
    offerShortcut(this, Zwischenablage1, QKeySequence(Qt::CTRL | Qt::Key_C), Qt::WidgetShortcut);
    offerShortcut(this, Ausdrucken1, QKeySequence(Qt::CTRL | Qt::Key_P), Qt::WidgetShortcut);
    markMnemonics(PopupMenu1);
}

void ExperimentDiagramView::contentChanged(std::shared_ptr<const LiveDrawing> live) {
    live_ = std::move(live);
    contentChanged();
}

void ExperimentDiagramView::contentChanged() {
    setAccessibleDescription(description());
    update();
}

QImage ExperimentDiagramView::picture() const {
    QImage image(PictureGeometry.width, PictureGeometry.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    setDiagramFont(painter, 1);
    QPainterCanvas canvas(painter, PenState{});
    draw(canvas, image.width(), image.height(), 1);
    return image;
}

void ExperimentDiagramView::copyPicture() const {
    QApplication::clipboard()->setImage(picture());
}

void ExperimentDiagramView::printOn(QPrinter& printer) const {
    QPainter painter(&printer);
    // The picture's place on the page, ten times enlarged.
    painter.translate(PictureGeometry.left * PrintUnit, PictureGeometry.top * PrintUnit);
    setDiagramFont(painter, PrintUnit);
    QPainterCanvas canvas(painter, PenState{});
    draw(canvas, PictureGeometry.width * PrintUnit, PictureGeometry.height * PrintUnit, PrintUnit);
}

void ExperimentDiagramView::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(600);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) printOn(printer);
}

void ExperimentDiagramView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    setDiagramFont(painter, 1);
    QPainterCanvas canvas(painter, PenState{});
    draw(canvas, width(), height(), 1);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void ExperimentDiagramView::openPopup() {
    PopupMenu1->popup(mapToGlobal(QPoint(30, 30)));
}

void ExperimentDiagramView::keyPressEvent(QKeyEvent* event) {
    if (isContextMenuKey(event)) {
        openPopup();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ExperimentDiagramView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Mouse && !PopupMenu1->isVisible()) openPopup();
    event->accept();
}

void ExperimentDiagramView::mousePressEvent(QMouseEvent* event) {
    openPopup();
    event->accept();
}

void ExperimentDiagramView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void ExperimentDiagramView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

} // namespace kelmot
