#pragma once

#include "evaluation/tableexport.h"

#include <QByteArray>
#include <QString>

namespace kelmot {

// An Excel 97-2003 workbook (.xls: BIFF8 records in a compound document)
// with one worksheet of the given name. Every cell of the table becomes a
// text cell, grid cell (column c, row r) in worksheet row r + 1, column
// c + 1; an empty text is an empty cell, as a spreadsheet makes of it.
QByteArray xlsWorkbook(const QString& sheetName, const TableTexts& table);

} // namespace kelmot
