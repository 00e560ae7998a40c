// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/pendulumtable.h"

#include "experiments/experimenttable.h"
#include "store/numberformat.h"

#include <QCoreApplication>

namespace kelmot {

TableTexts pendulumTable(const std::vector<Passage>& passages, const QLocale& locale) {
    TableTexts table;
    table.push_back({QCoreApplication::translate("PendulumTable", "Durchgang"),
                     QCoreApplication::translate("PendulumTable", "t in s"),
                     QCoreApplication::translate("PendulumTable", "t dunkel in s"),
                     QCoreApplication::translate("PendulumTable", "v in m/s"),
                     QCoreApplication::translate("PendulumTable", "T in s")});
    for (std::size_t i = 0; i < passages.size(); ++i) {
        const Passage& p = passages[i];
        const bool endsPeriod = i >= 2 && i % 2 == 0;
        table.push_back(
            {QString::number(i + 1), formatFixed(p.time, 5, locale), formatFixed(p.dark, 5, locale),
             p.speed > 0 ? formatFixed(p.speed, 3, locale) : QString(),
             endsPeriod ? formatFixed(p.time - passages[i - 2].time, 5, locale) : QString()});
    }
    return table;
}

QByteArray pendulumWorkbook(const TableTexts& table, const QLocale& locale) {
    return experimentWorkbook(QStringLiteral("Kelmot Pendel"), table, locale);
}

} // namespace kelmot
