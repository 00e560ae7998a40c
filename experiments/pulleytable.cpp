// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/pulleytable.h"

#include "experiments/experimenttable.h"
#include "store/numberformat.h"

#include <QCoreApplication>
#include <algorithm>

namespace kelmot {

TableTexts pulleyTable(const std::vector<FallPoint>& points, int spokes, const QLocale& locale) {
    TableTexts table;
    table.push_back({QCoreApplication::translate("PulleyTable", "Speiche"),
                     QCoreApplication::translate("PulleyTable", "φ in °"),
                     QCoreApplication::translate("PulleyTable", "s in m"),
                     QCoreApplication::translate("PulleyTable", "t dunkel in s"),
                     QCoreApplication::translate("PulleyTable", "t hell in s"),
                     QCoreApplication::translate("PulleyTable", "v in m/s")});
    for (std::size_t k = 0; k < points.size(); ++k) {
        const FallPoint& p = points[k];
        table.push_back({QString::number(k + 1), formatFixed(360.0 * double(k) / spokes, 1, locale),
                         formatFixed(p.position, 4, locale), formatFixed(p.darkTime, 4, locale),
                         formatFixed(p.brightTime, 4, locale),
                         p.speed > 0 ? formatFixed(p.speed, 3, locale) : QString()});
    }
    return table;
}

QByteArray pulleyWorkbook(const TableTexts& table, const QLocale& locale) {
    return experimentWorkbook(QStringLiteral("Kelmot Speichenrad"), table, locale);
}

RunRecord pulleyRecord(const std::vector<double>& darkTimes, const std::vector<double>& brightTimes,
                       const PulleySetup& setup, bool complete, int number) {
    RunRecord record = oneBarrierRecord(
        KindPulley, QCoreApplication::translate("PulleyTable", "Rad %1").arg(number), number);
    EventsRecord e;
    // Numbers with a point, whatever the desktop: the journal is read everywhere.
    const QLocale c = QLocale::c();
    e.setup = QStringLiteral("spokes=%1;radius_mm=%2;radius_uncertainty_mm=%3;turns=%4;"
                             "mass1_g=%5;mass2_g=%6")
                  .arg(setup.spokes)
                  .arg(c.toString(setup.radiusMm, 'g', 10),
                       c.toString(setup.radiusUncertaintyMm, 'g', 10))
                  .arg(setup.turns)
                  .arg(c.toString(setup.mass1G, 'g', 10), c.toString(setup.mass2G, 'g', 10));
    e.stepM = setup.spokeArc();
    e.complete = complete;
    keepCompletedEvents(record, darkTimes, brightTimes, e.darkTimes, e.brightTimes);
    record.events = std::move(e);
    return record;
}

} // namespace kelmot
