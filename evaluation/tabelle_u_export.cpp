// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluation table's export: the grid's popup menu, the table as text
// on the clipboard and as a spreadsheet file.
#include "evaluation/tabelle_u.h"
#include "evaluation/xlswriter.h"
#include "store/fileio.h"
#include "store/measurementstore.h"
#include "widgets/controls.h"
#include "widgets/errorreport.h"
#include "widgets/filechoice.h"
#include "widgets/tablegrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QTableWidget>

namespace kelmot {

namespace {

// The texts a grid shows: every row, the columns not hidden.
TableTexts gridTexts(const QTableWidget* grid) {
    TableTexts table;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < grid->columnCount(); ++c)
            if (!grid->isColumnHidden(c)) row << gridCell(grid, c, r);
        table.push_back(row);
    }
    return table;
}

} // namespace

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
    // The commands show and hide the controls below the table after the
    // layout: the block they form is placed anew each time.
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        for (const QObject* control :
             std::initializer_list<const QObject*>{CB1, CB2, CB3, GB1, GB2, GB3})
            if (watched == control) placeControlsBelowGrid();
        return false;
    }
    if (watched == SG2 && event->type() == QEvent::KeyPress &&
        isContextMenuKey(static_cast<QKeyEvent*>(event))) {
        SG2MouseDown(Qt::RightButton);
        return true;
    }
    // From the platform's own keyboard route; a mouse press has opened it already.
    if ((watched == SG2 || watched == SG2->viewport()) && event->type() == QEvent::ContextMenu) {
        if (static_cast<QContextMenuEvent*>(event)->reason() != QContextMenuEvent::Mouse &&
            !PopupMenu1->isVisible())
            SG2MouseDown(Qt::RightButton);
        return true;
    }
    if (watched == SG2->viewport() && (event->type() == QEvent::MouseButtonPress ||
                                       event->type() == QEvent::MouseButtonDblClick)) {
        SG2MouseDown(static_cast<QMouseEvent*>(event)->button());
        return true; // no cell is selected by a press
    }
    return QWidget::eventFilter(watched, event);
}

void TForm6::SG2MouseDown(Qt::MouseButton button) {
    if (button != Qt::RightButton && button != Qt::MiddleButton) return;
    // Near the window's corner, wherever the mouse is.
    PopupMenu1->popup(frameGeometry().topLeft() + QPoint(100, 100));
}

TableTexts TForm6::tableTexts() const {
    return gridTexts(SG2);
}

void TForm6::CopySG() {
    // The fills follow the resolution of the chosen series, of the newest
    // when none is chosen.
    const int series = selectedSeries().value_or(0);
    QApplication::clipboard()->setText(
        tableClipboardText(tableTexts(), store_.SeriesResolution[series]));
}

void TForm6::ExportalsEXCELDatei1Click() {
    // The export asks itself, once the extension is settled.
    QFileDialog& dialog = fileDialogMadeOnce(SD1, this, "SD1", FileUse::SaveCallerAsks);
    dialog.setNameFilter(tr("EXCEL-Daten (*.xls);;Alle Dateien (*)"));
    const auto chosen = chooseFileIn(dialog);
    if (!chosen) return;
    const QString fileName = withExtension(*chosen, QStringLiteral(".xls"));
    // An existing file is replaced only after a question.
    if (QFileInfo::exists(fileName) && !overwrite_.allowOverwrite()) return;
    if (SaveAsExcelFile(SG2, QStringLiteral("Kelmotmessung"), fileName)) emit excelFileSaved();
}

bool TForm6::SaveAsExcelFile(const QTableWidget* grid, const QString& sheetName,
                             const QString& fileName) {
    // The numbers of the table are written with the locale's separator.
    const QString point = QLocale().decimalPoint();
    const QByteArray workbook =
        xlsWorkbook(sheetName, gridTexts(grid), point.isEmpty() ? QChar(u'.') : point.front());
    if (const auto error = saveFileAtomically(fileName, workbook)) {
        reportError(this, *error);
        return false;
    }
    return true;
}

} // namespace kelmot
