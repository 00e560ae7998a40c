// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/tablegrid.h"

#include "drawing/colour.h"
#include "drawing/rounding.h"
#include "widgets/controls.h"

#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>

namespace kelmot {

namespace {

constexpr int Rows = 11;

void fillItems(QTableWidget* grid) {
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (!grid->item(r, c)) grid->setItem(r, c, new QTableWidgetItem);
}

} // namespace

QTableWidget* createTableGrid(QWidget* parent, const char* name, const QRect& geometry,
                              int columns) {
    auto* grid = new QTableWidget(Rows, columns, parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setGeometry(geometry);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QPalette cream = grid->palette();
    cream.setColor(QPalette::Base, toQColor(Cream));
    grid->setPalette(cream);
    fillItems(grid);
    // The header row is a row of cells, drawn like the rest; the hidden
    // header carries the same texts, so that a screen reader reads each
    // cell with its column's heading ("Zeit dunkel 0,53"), not a number.
    QObject::connect(grid, &QTableWidget::itemChanged, grid, [grid](QTableWidgetItem* item) {
        if (item->row() != 0) return;
        QTableWidgetItem* header = grid->horizontalHeaderItem(item->column());
        if (!header) {
            header = new QTableWidgetItem;
            grid->setHorizontalHeaderItem(item->column(), header);
        }
        header->setText(item->text().trimmed());
    });
    return grid;
}

void layoutTableGrid(QTableWidget* grid, int columns, const QRect& geometry) {
    columns = std::max(columns, 1);
    grid->setColumnCount(std::max(columns, grid->columnCount()));
    fillItems(grid);
    for (int c = 0; c < grid->columnCount(); ++c)
        grid->setColumnHidden(c, c >= columns);
    grid->setGeometry(geometry);
    const int columnWidth = std::max(intPart(double(geometry.width()) / columns), 1);
    const int rowHeight = std::max(intPart(geometry.height() / double(Rows)), 1);
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->horizontalHeader()->setDefaultSectionSize(columnWidth);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int c = 0; c < grid->columnCount(); ++c)
        grid->setColumnWidth(c, columnWidth);
    for (int r = 0; r < Rows; ++r)
        grid->setRowHeight(r, rowHeight);
}

QString gridCell(const QTableWidget* grid, int column, int row) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

void setGridCell(QTableWidget* grid, int column, int row, const QString& text) {
    if (QTableWidgetItem* item = grid->item(row, column)) item->setText(text);
}

void setGridPointSize(QTableWidget* grid, int points) {
    QFont big = grid->font();
    big.setPointSize(points);
    grid->setFont(big);
    grid->viewport()->update();
}

} // namespace kelmot
