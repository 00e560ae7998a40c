// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagrams/diagramwindow.h"

#include "diagrams/diagramdescription.h"
#include "store/measurementstore.h"
#include "widgets/chartaccessibility.h"
#include "widgets/controls.h"
#include "widgets/keyboard.h"
#include "widgets/popupaccessibility.h"
#include "widgets/qpaintercanvas.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace kelmot {

DiagramPaintBox::DiagramPaintBox(DiagramWindow* owner) : QWidget(owner), owner_(owner) {
    // Tab reaches the diagram: its popup opens from the keyboard too.
    setFocusPolicy(Qt::StrongFocus);
}

void DiagramPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    owner_->paintBoxPaint(painter);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void DiagramPaintBox::keyPressEvent(QKeyEvent* event) {
    if (isContextMenuKey(event)) {
        owner_->paintBoxMouseDown();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void DiagramPaintBox::contextMenuEvent(QContextMenuEvent* event) {
    // A mouse press has opened the popup already.
    if (event->reason() != QContextMenuEvent::Mouse && !owner_->PopupMenu1->isVisible())
        owner_->paintBoxMouseDown();
    event->accept();
}

void DiagramPaintBox::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void DiagramPaintBox::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void DiagramPaintBox::mousePressEvent(QMouseEvent* event) {
    owner_->paintBoxMouseDown();
    event->accept();
}

DiagramWindow::DiagramWindow(const DiagramLinks& links, const char* name, const QString& caption,
                             const char* paintBoxName, const char* pictureName, int labelLeft,
                             QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      links_(links) {
    // The system menu (with its close) and maximise; no minimise.
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(11);
    setFont(f);

    paintBox = new DiagramPaintBox(this);
    paintBox->setObjectName(QString::fromLatin1(paintBoxName));
    exposeAsChart(paintBox); // before its accessible interface is first made
    paintBox->setAccessibleName(caption.trimmed());
    picture = place<QLabel>(this, pictureName, {51, 17, 413, 266});
    picture->hide();
    Label1 = place<QLabel>(this, "Label1", {labelLeft, 0, 300, 16});

    PopupMenu1 = new QMenu(this);
    exposePopupToScreenReaders(this, PopupMenu1);
    PopupMenu1->setObjectName("PopupMenu1");
    Zwischenablage1 = PopupMenu1->addAction(tr("Zwischenablage"));
    Zwischenablage1->setObjectName("Zwischenablage1");
    Ausdrucken1 = PopupMenu1->addAction(tr("Ausdrucken"));
    Ausdrucken1->setObjectName("Ausdrucken1");
    Diagrammelschen1 = PopupMenu1->addAction(tr("Diagramme löschen"));
    Diagrammelschen1->setObjectName("Diagrammelschen1");
    connect(Zwischenablage1, &QAction::triggered, this, &DiagramWindow::Zwischenablage1Click);
    connect(Ausdrucken1, &QAction::triggered, this, &DiagramWindow::Ausdrucken1Click);
    connect(Diagrammelschen1, &QAction::triggered, this, &DiagramWindow::Diagrammelschen1Click);
    // Besides the points and lines: the fit of the newest series, off at start.
    Ausgleichskurve1 = PopupMenu1->addAction(tr("Ausgleichskurve"));
    Ausgleichskurve1->setObjectName("Ausgleichskurve1");
    Ausgleichskurve1->setCheckable(true);
    connect(Ausgleichskurve1, &QAction::toggled, this, [this] { paintDiagram(); });
    offerShortcut(this, Zwischenablage1, QKeySequence(Qt::CTRL | Qt::Key_C));
    offerShortcut(this, Ausdrucken1, QKeySequence(Qt::CTRL | Qt::Key_P));
    markMnemonics(PopupMenu1);
}

DiagramWindow::~DiagramWindow() = default;

DiagramInput DiagramWindow::input() const {
    const int series = links_.table.selector().count();
    const int mainWidth = links_.mainWindow ? links_.mainWindow->frameGeometry().width() : 0;
    DiagramInput in{links_.store, series, mainWidth};
    in.fitCurve = showsFit();
    return in;
}

DiagramGeometry DiagramWindow::paintBoxGeometry() const {
    const QRect outer = frameGeometry();
    return windowGeometry(outer.width(), outer.height());
}

void DiagramWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void DiagramWindow::FormResize() {
    const DiagramGeometry g = paintBoxGeometry();
    // Moving the box makes Qt repaint it, which draws anew.
    paintBox->setGeometry(g.left, g.top, g.width, g.height);
    drawingWaiting_ = false;
}

void DiagramWindow::computeDrawing() {
    const DiagramGeometry g = paintBoxGeometry();
    paintBox->setGeometry(g.left, g.top, g.width, g.height);
    picture->setGeometry(PictureGeometry.left, PictureGeometry.top, PictureGeometry.width,
                         PictureGeometry.height);
    windowDrawing_.clear();
    if (const auto text = drawDiagram(windowDrawing_, g)) Label1->setText(*text);

    if (picture_.isNull()) {
        picture_ = QImage(PictureGeometry.width, PictureGeometry.height, QImage::Format_RGB32);
        picture_.fill(Qt::white);
    }
    QPainter painter(&picture_);
    painter.setFont(font());
    QPainterCanvas canvas(painter, picturePen_);
    if (const auto text = drawDiagram(canvas, PictureGeometry)) Label1->setText(*text);
    picturePen_ = canvas.state();
    describeForScreenReaders();
    painter.end();
    picture->setPixmap(QPixmap::fromImage(picture_));
}

void DiagramWindow::describeForScreenReaders() {
    // What the diagram shows, as the label says it: the series drawn, the
    // relationship of each, and the value of the newest relationship.
    const DiagramInput in = input();
    paintBox->setAccessibleDescription(
        diagramDescription(in.store, in.series(), velocity(), Label1->text(), fitText()));
}

void DiagramWindow::paintDiagram() {
    computeDrawing();
    drawingWaiting_ = true;
    paintBox->update();
}

void DiagramWindow::paintBoxPaint(QPainter& painter) {
    if (!drawingWaiting_) computeDrawing();
    drawingWaiting_ = false;
    QPainterCanvas canvas(painter, windowDrawing_.startState());
    windowDrawing_.replayOn(canvas);
}

void DiagramWindow::paintBoxMouseDown() {
    PopupMenu1->popup(frameGeometry().topLeft() + QPoint(30, 30));
}

void DiagramWindow::Zwischenablage1Click() {
    if (!picture_.isNull()) QApplication::clipboard()->setImage(picture_);
}

QPrinter& DiagramWindow::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setResolution(600);
    }
    return *printer_;
}

void DiagramWindow::Ausdrucken1Click() {
    if (!PrintDialog1) {
        PrintDialog1 = new QPrintDialog(&printer(), this);
        PrintDialog1->setObjectName("PrintDialog1");
    }
    if (PrintDialog1->exec() == QDialog::Accepted) printOn(printer());
}

void DiagramWindow::printOn(QPrinter& target) {
    QPainter painter(&target);
    QPainterCanvas canvas(painter, PenState{});
    drawPrintout(canvas);
}

void DiagramWindow::Diagrammelschen1Click() {
    links_.store.LoescheFeld(links_.table.selector());
    // The paint box shows the empty frame until its next repaint; the label
    // and the picture keep what they hold.
    windowDrawing_.clear();
    drawCleared(windowDrawing_, paintBoxGeometry());
    drawingWaiting_ = true;
    paintBox->update();
}

bool DiagramWindow::showsFit() const {
    return Ausgleichskurve1 && Ausgleichskurve1->isChecked();
}

} // namespace kelmot
