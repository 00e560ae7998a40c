// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "evaluation/seriesstatistics.h"
#include "store/seriesselector.h"

#include <QWidget>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QTableWidget;

namespace kelmot {

// "Messreihe auswerten": the runs stored side by side (two or three, in
// "three lists" mode) as a table of a and v₀ from each run's s-t fit, with
// their mean, standard deviation and the uncertainty of the mean. Its popup
// copies the table as tab-separated text and prints it. It follows the
// store: refresh() after a run, a load or "Diagramme löschen".
class SeriesOfRunsWindow : public QWidget {
    Q_OBJECT
public:
    SeriesOfRunsWindow(const MeasurementStore& store, SeriesSelector& selector,
                       const QWidget* mainWindow, QWidget* parent = nullptr);
    ~SeriesOfRunsWindow() override;

    // Shows the window with the series as they are now.
    void open();
    void refresh();
    const TableTexts& table() const { return table_; }

    void PopupMenuOpen();
    void Zwischenablage1Click();
    void Ausdrucken1Click();
    void printOn(QPrinter& printer);

    QLabel* L_hinweis = nullptr;
    QTableWidget* SG_reihe = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Zwischenablage1 = nullptr;
    QAction* Ausdrucken1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const MeasurementStore& store_;
    SeriesSelector& selector_;
    const QWidget* mainWindow_;
    TableTexts table_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace kelmot
