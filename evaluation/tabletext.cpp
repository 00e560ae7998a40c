// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/tabletext.h"

#include <algorithm>

namespace kelmot {

QString tableClipboardText(const TableTexts& table, int resolution) {
    QString text;
    const QStringList headers = table.empty() ? QStringList() : table.front();
    for (std::size_t r = 0; r < table.size(); ++r) {
        const QStringList& row = table[r];
        for (qsizetype c = 0; c < row.size(); ++c) {
            text += row[c];
            qsizetype fill = 2;
            if (r > 0) {
                const qsizetype header = c < headers.size() ? headers[c].size() : 0;
                fill = c == 0 ? header + 2 : std::max<qsizetype>(header - 4 + resolution, 0);
            }
            text += QString(fill, u' ');
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}

QString RefToCell(int row, int column) {
    return QChar(char16_t(64 + column)) + QString::number(row);
}

} // namespace kelmot
