// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/runtables.h"

#include "journal/timestext.h"
#include "store/datafile.h"
#include "store/numberformat.h"

#include <QCoreApplication>
#include <algorithm>

namespace kelmot {

QString runLine(const RunRecord& run) {
    QStringList fields{
        QString::number(run.id),
        run.startedLocal().toString(Qt::ISODate),
        // A tab or line break in a name would split the line for a script.
        QString(run.name).replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' '),
        run.kind,
        QString::number(run.resolution),
        // A drop has as many times as it saw bands, a swing as it saw passages.
        run.drop     ? timesText(run.drop->darkTimes, u'\t')
        : run.swing  ? timesText(run.swing->darkTimes, u'\t')
        : run.events ? timesText(run.events->darkTimes, u'\t')
                     : timesText(run.darkTimes, u'\t'),
        run.drop     ? timesText(run.drop->brightTimes, u'\t')
        : run.swing  ? timesText(run.swing->brightTimes, u'\t')
        : run.events ? timesText(run.events->brightTimes, u'\t')
                     : timesText(run.brightTimes, u'\t'),
    };
    return fields.join(u'\t');
}

TableTexts runsTable(const std::vector<RunRecord>& runs, const QLocale& locale) {
    TableTexts table;
    table.push_back({QCoreApplication::translate("RunTables", "Nr."),
                     QCoreApplication::translate("RunTables", "Datum"),
                     QCoreApplication::translate("RunTables", "Uhrzeit"),
                     QCoreApplication::translate("RunTables", "Name"),
                     QCoreApplication::translate("RunTables", "Art"),
                     QCoreApplication::translate("RunTables", "Ort (m)"),
                     QCoreApplication::translate("RunTables", "Zeit aus (s)"),
                     QCoreApplication::translate("RunTables", "Zeit an (s)")});
    for (const RunRecord& run : runs) {
        const QDateTime local = run.startedLocal();
        if (run.drop) {
            // A row per band: its leading edge's fall, its times to a tenth of a millisecond.
            const DropRecord& d = *run.drop;
            for (std::size_t k = 0; k < d.darkTimes.size(); ++k)
                table.push_back({QString::number(run.id), local.date().toString(Qt::ISODate),
                                 local.time().toString(QStringLiteral("HH:mm:ss")), run.name,
                                 run.kind, formatFixed(double(k) * d.pitchMm / 1000, 3, locale),
                                 formatFixed(d.darkTimes[k], 4, locale),
                                 formatFixed(d.brightTimes[k], 4, locale)});
            continue;
        }
        if (run.events) {
            // A row per event, at the path it had come by then (a spoke's string position).
            const EventsRecord& e = *run.events;
            for (std::size_t k = 0; k < e.darkTimes.size(); ++k)
                table.push_back({QString::number(run.id), local.date().toString(Qt::ISODate),
                                 local.time().toString(QStringLiteral("HH:mm:ss")), run.name,
                                 run.kind, formatFixed(double(k) * e.stepM, 3, locale),
                                 formatFixed(e.darkTimes[k], 4, locale),
                                 formatFixed(e.brightTimes[k], 4, locale)});
            continue;
        }
        if (run.swing) {
            // A row per passage, all at the beam, the lowest point: its place is 0.
            const SwingRecord& w = *run.swing;
            for (std::size_t k = 0; k < w.darkTimes.size(); ++k)
                table.push_back({QString::number(run.id), local.date().toString(Qt::ISODate),
                                 local.time().toString(QStringLiteral("HH:mm:ss")), run.name,
                                 run.kind, formatFixed(0, 3, locale),
                                 formatFixed(w.darkTimes[k], 4, locale),
                                 formatFixed(w.brightTimes[k], 4, locale)});
            continue;
        }
        const int decimals = decimalsForResolution(run.resolution);
        for (int k = 0; k < BarrierCount; ++k) {
            table.push_back({QString::number(run.id), local.date().toString(Qt::ISODate),
                             local.time().toString(QStringLiteral("HH:mm:ss")), run.name, run.kind,
                             formatFixed(k / 10.0, 1, locale),
                             formatFixed(run.darkTimes[k], decimals, locale),
                             formatFixed(run.brightTimes[k], decimals, locale)});
        }
    }
    return table;
}

QByteArray runDataFile(const RunRecord& run) {
    double times[2][TimeSlots]{};
    std::copy_n(run.darkTimes, BarrierCount, times[0]);
    std::copy_n(run.brightTimes, BarrierCount, times[1]);
    return dataFileText(run.resolution, times);
}

QString runFileName(const RunRecord& run, const QString& extension) {
    QString name = QStringLiteral("%1 %2").arg(run.id).arg(run.name.trimmed());
    for (QChar& c : name)
        if (c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'"' ||
            c == u'<' || c == u'>' || c == u'|' || c.category() == QChar::Other_Control)
            c = u'_';
    return name + extension;
}

} // namespace kelmot
