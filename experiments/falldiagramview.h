// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "experiments/falldiagram.h"

#include <QImage>
#include <QWidget>

class QAction;
class QMenu;
class QPrinter;

namespace kelmot {

// One diagram of a drop in the free fall's window: drawn through the
// canvas as the track's diagrams are, reached by Tab, a chart to a screen
// reader, with the popup of the track's diagrams for the clipboard picture
// and the printout (context-menu key, Shift+F10 or a click).
class FallDiagramView : public QWidget {
    Q_OBJECT
public:
    FallDiagramView(FallQuantity quantity, const QString& name, QWidget* parent);

    void showDrop(std::vector<FallPoint> points, std::optional<FallResult> result);
    const FallDiagramInput& input() const { return input_; }
    // The 413 x 266 picture the clipboard gets.
    QImage picture() const;
    void copyPicture() const;
    void printOn(QPrinter& printer) const;
    void print();

    QMenu* PopupMenu1 = nullptr;
    QAction* Zwischenablage1 = nullptr;
    QAction* Ausdrucken1 = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void openPopup();

    FallDiagramInput input_;
    QString name_;
};

} // namespace kelmot
