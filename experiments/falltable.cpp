// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/falltable.h"

#include "experiments/experimenttable.h"
#include "store/numberformat.h"

#include <QCoreApplication>

namespace kelmot {

TableTexts fallTable(const std::vector<FallPoint>& points, const QLocale& locale) {
    TableTexts table;
    table.push_back({QCoreApplication::translate("FallTable", "Latte"),
                     QCoreApplication::translate("FallTable", "s in m"),
                     QCoreApplication::translate("FallTable", "t dunkel in s"),
                     QCoreApplication::translate("FallTable", "t hell in s"),
                     QCoreApplication::translate("FallTable", "v in m/s")});
    int band = 0;
    for (const FallPoint& p : points) {
        ++band;
        table.push_back({QString::number(band), formatFixed(p.position, 3, locale),
                         formatFixed(p.darkTime, 4, locale), formatFixed(p.brightTime, 4, locale),
                         p.speed > 0 ? formatFixed(p.speed, 3, locale) : QString()});
    }
    return table;
}

QByteArray fallWorkbook(const TableTexts& table, const QLocale& locale) {
    return experimentWorkbook(QStringLiteral("Kelmot freier Fall"), table, locale);
}

} // namespace kelmot
