// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/experimentlive.h"
#include "drawing/canvas.h"

#include <QImage>
#include <QString>
#include <QWidget>

class QAction;
class QMenu;
class QPrinter;

namespace kelmot {

// One diagram in a one-barrier experiment's window (the free fall's, the
// pendulum's): drawn through the canvas as the track's diagrams are, reached
// by Tab, a chart to a screen reader, with the popup of the track's
// diagrams for the clipboard picture and the printout (context-menu key,
// Shift+F10 or a click). What it draws is the experiment's.
class ExperimentDiagramView : public QWidget {
    Q_OBJECT
public:
    ExperimentDiagramView(const QString& name, QWidget* parent);

    // The 413 x 266 picture the clipboard gets.
    QImage picture() const;
    void copyPicture() const;
    void printOn(QPrinter& printer) const;
    void print();

    // A copy of what is drawn, for the classroom page; a new one with each change.
    const std::shared_ptr<const LiveDrawing>& liveDrawing() const { return live_; }

    QMenu* PopupMenu1 = nullptr;
    QAction* Zwischenablage1 = nullptr;
    QAction* Ausdrucken1 = nullptr;

protected:
    // Draws into (0, 0)–(width, height), every offset times `unit`.
    virtual void draw(Canvas& canvas, int width, int height, int unit) const = 0;
    // What a screen reader hears of what is drawn.
    virtual QString description() const = 0;
    // What is drawn changed: drawn again, described again. Also once from
    // the experiment's constructor (no virtual call reaches it from here).
    void contentChanged();
    // What is drawn changed: its copy for the page (made from the view's
    // input), then as contentChanged.
    void contentChanged(std::shared_ptr<const LiveDrawing> live);

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void openPopup();

    std::shared_ptr<const LiveDrawing> live_;
};

} // namespace kelmot
