// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kelmot {

// The evaluation table as it is handed on: the texts it shows, rows 0
// (headers) to 10, one entry a column. Nothing is recomputed or converted.
using TableTexts = std::vector<QStringList>; // [row][column]

// The table as aligned plain text for the clipboard: 11 lines, each ended by
// CR LF. Every cell is followed by its fill and nothing else: two blanks
// after a header; after a data cell of column 0 the header's length + 2
// blanks; of a later column the header's length − 4 + resolution blanks
// (none when that is 0 or less). The fill does not depend on the cell's
// own text.
QString tableClipboardText(const TableTexts& table, int resolution);

// "A1", "C11", "F11": the column letter (A for column 1) and the row, both
// counted from 1.
QString RefToCell(int row, int column);

} // namespace kelmot
