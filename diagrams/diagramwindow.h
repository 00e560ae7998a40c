// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "diagrams/diagramframe.h"
#include "drawing/canvas.h"
#include "evaluation/evaluationview.h"

#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QPrintDialog;
class QPrinter;

namespace kelmot {

class DiagramWindow;
struct MeasurementStore;

// What a diagram window reads: the store it draws, the evaluation table
// (its series list and flag width) and the main window, whose width sets
// the pen of a wide screen.
struct DiagramLinks {
    MeasurementStore& store;
    EvaluationView& table;
    const QWidget* mainWindow = nullptr;
};

// The paint box the diagram is drawn into. It paints by replaying the
// drawing its window made last.
class DiagramPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit DiagramPaintBox(DiagramWindow* owner);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // The menu key and Shift+F10 open the popup a mouse button opens.
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    DiagramWindow* owner_;
};

// What the s-t and v-t diagram windows share: the paint box drawn on every
// paint, the hidden 413 x 266 picture drawn right after it for the
// clipboard, the quotient label, the popup menu ("Zwischenablage",
// "Ausdrucken", "Diagramme löschen") and the printout.
//
// Qt paints later than it is asked to, while the label, the printout and
// "Diagramme löschen" rely on the state the last drawing left. So a drawing
// is computed when it is asked for (directly, or by a paint event that
// finds none waiting) into a recording, and the paint event replays it.
class DiagramWindow : public QWidget {
    Q_OBJECT
public:
    DiagramWindow(const DiagramLinks& links, const char* name, const QString& caption,
                  const char* paintBoxName, const char* pictureName, int labelLeft,
                  QWidget* parent = nullptr);
    ~DiagramWindow() override;

    void FormCreate() {}
    // The paint box follows the window's size.
    void FormResize();
    // Draws the window, then the picture (the paint handler of the box).
    void paintDiagram();
    // Any mouse button on the paint box: the popup near the window's corner.
    void paintBoxMouseDown();
    void Zwischenablage1Click();
    void Ausdrucken1Click();
    void Diagrammelschen1Click();
    // The printout onto a printer the user has chosen.
    void printOn(QPrinter& printer);

    // What the paint box shows next and the clipboard picture.
    const RecordingCanvas& windowDrawing() const { return windowDrawing_; }
    const QImage& pictureImage() const { return picture_; }
    DiagramGeometry paintBoxGeometry() const;
    QPrinter& printer();

    QLabel* Label1 = nullptr;
    QLabel* picture = nullptr; // invisible: carries the clipboard copy
    DiagramPaintBox* paintBox = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Zwischenablage1 = nullptr;
    QAction* Ausdrucken1 = nullptr;
    QAction* Diagrammelschen1 = nullptr;
    QAction* Ausgleichskurve1 = nullptr; // checkable: the fitted curve on or off
    // The fitted curve is drawn.
    bool showsFit() const;
    QPrintDialog* PrintDialog1 = nullptr; // made on first use: it asks the print system

protected:
    void resizeEvent(QResizeEvent* event) override;

    DiagramInput input() const;
    const MeasurementStore& store() const { return links_.store; }
    const EvaluationView& table() const { return links_.table; }
    // The v-t diagram (true) or the s-t diagram.
    virtual bool velocity() const = 0;
    // The caption of the fitted curve last drawn, empty for none.
    virtual QString fitText() const = 0;
    virtual std::optional<QString> drawDiagram(Canvas& canvas, const DiagramGeometry& area) = 0;
    virtual void drawPrintout(Canvas& canvas) = 0;
    virtual void drawCleared(Canvas& canvas, const DiagramGeometry& area) = 0;

private:
    friend class DiagramPaintBox;
    void computeDrawing();
    void describeForScreenReaders();
    void paintBoxPaint(QPainter& painter);

    DiagramLinks links_;
    RecordingCanvas windowDrawing_;
    bool drawingWaiting_ = false;
    QImage picture_;
    PenState picturePen_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace kelmot
