// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/csvwriter.h"

namespace kelmot {

QByteArray csvFile(const TableTexts& table, const QLocale& locale) {
    const QChar separator = locale.decimalPoint() == QStringLiteral(",") ? u';' : u',';
    QString text;
    for (const QStringList& row : table) {
        QStringList fields;
        for (const QString& cell : row) {
            if (cell.contains(separator) || cell.contains(u'"') || cell.contains(u'\n') ||
                cell.contains(u'\r')) {
                QString quoted = cell;
                quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
                fields << u'"' + quoted + u'"';
            } else {
                fields << cell;
            }
        }
        text += fields.join(separator) + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

} // namespace kelmot
