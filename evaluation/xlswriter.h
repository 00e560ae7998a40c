// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "evaluation/tabletext.h"

#include <QByteArray>
#include <QString>

namespace kelmot {

// An Excel 97-2003 workbook (.xls: BIFF8 records in a compound document)
// with one worksheet of the given name; grid cell (column c, row r) in
// worksheet row r + 1, column c + 1. A text that is a number of the table
// (written with `decimalSeparator`, up to five decimals) becomes a number
// cell holding that value with the format "0", "0.0" … "0.0000", so
// that the spreadsheet shows the same text and can compute with it; other
// texts stay texts; an empty text is an empty cell, as a spreadsheet makes
// of it.
QByteArray xlsWorkbook(const QString& sheetName, const TableTexts& table, QChar decimalSeparator);

} // namespace kelmot
