// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/experimenttable.h"

#include "evaluation/csvwriter.h"
#include "evaluation/xlswriter.h"

namespace kelmot {

QString experimentClipboardText(const TableTexts& table) {
    QString text;
    for (const QStringList& row : table)
        text += row.join(u'\t') + QStringLiteral("\r\n");
    return text;
}

QByteArray experimentWorkbook(const QString& sheet, const TableTexts& table,
                              const QLocale& locale) {
    const QString point = locale.decimalPoint();
    return xlsWorkbook(sheet, table, point.isEmpty() ? QChar(u'.') : point.front());
}

QByteArray experimentCsv(const TableTexts& table, const QLocale& locale) {
    return csvFile(table, locale);
}

} // namespace kelmot
