// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "evaluation/tabletext.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace kelmot {

// A one-barrier experiment's table (a drop's, a swing's) for the clipboard:
// the cells separated by tabs, the rows by CR LF, as a spreadsheet takes
// them when pasted.
QString experimentClipboardText(const TableTexts& table);

// Its spreadsheet, one sheet named `sheet`: cells that are the locale's
// numbers become numbers.
QByteArray experimentWorkbook(const QString& sheet, const TableTexts& table,
                              const QLocale& locale = QLocale());

// Its CSV file, as the classroom page's downloads are written.
QByteArray experimentCsv(const TableTexts& table, const QLocale& locale = QLocale());

} // namespace kelmot
