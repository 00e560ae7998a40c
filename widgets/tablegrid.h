// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>

class QTableWidget;
class QWidget;

namespace kelmot {

// The string grids of the measurement and evaluation windows: 11 rows (one
// header row, one row per barrier), no header column, cream background,
// read-only cells that always exist.
QTableWidget* createTableGrid(QWidget* parent, const char* name, const QRect& geometry,
                              int columns);

// Places the grid and lets `columns` columns and the 11 rows fill it. Columns
// beyond the count are hidden, not dropped, so their text survives a pass
// with fewer columns.
void layoutTableGrid(QTableWidget* grid, int columns, const QRect& geometry);

QString gridCell(const QTableWidget* grid, int column, int row);
void setGridCell(QTableWidget* grid, int column, int row, const QString& text);
// The grid's text at a font size in points.
void setGridPointSize(QTableWidget* grid, int points);

} // namespace kelmot
