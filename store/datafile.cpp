// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/datafile.h"

#include "store/numberconversion.h"
#include "store/numberformat.h"

namespace kelmot {

QByteArray dataFileText(int resolution, const double (&runTimes)[2][TimeSlots],
                        const QLocale& locale) {
    QString text = QString::fromLatin1(DataFileHeader) + QString::number(resolution) + "\r\n";
    for (int k = 0; k < BarrierCount; ++k)
        text += formatGeneral(k * 0.1, locale) + u';' + formatGeneral(runTimes[0][k], locale) +
                u';' + formatGeneral(runTimes[1][k], locale) + "\r\n";
    return text.toLatin1();
}

QList<QByteArray> splitTextLines(const QByteArray& content, int maxLines) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < content.size() && lines.size() < maxLines) {
        qsizetype end = start;
        while (end < content.size() && content[end] != '\r' && content[end] != '\n')
            ++end;
        lines << content.mid(start, end - start);
        if (end < content.size() && content[end] == '\r') ++end;
        if (end < content.size() && content[end] == '\n') ++end;
        start = end;
    }
    return lines;
}

std::optional<QString> readDataFileLines(const QList<QByteArray>& lines, MeasurementStore& store) {
    int fields = 0; // carries over from line to line
    for (int r = 0; r < lines.size() && r <= BarrierCount; ++r) {
        // A data file is ANSI text: every byte stands for one character.
        QString rest = QString::fromLatin1(lines[r]);
        if (r == 0) {
            const QString last = rest.isEmpty() ? QString() : rest.right(1);
            const auto resolution = parseInteger(last);
            if (!resolution) return notAnIntegerMessage(last);
            store.SeriesResolution[0] = *resolution;
            continue;
        }
        const int k = r - 1;
        while (!rest.isEmpty()) {
            const qsizetype semicolon = rest.indexOf(u';');
            if (semicolon >= 0) {
                if (fields > 0) {
                    const QString field = rest.left(semicolon);
                    const auto x = parseFloatEitherSeparator(field);
                    if (!x) return notAFloatMessage(field);
                    store.RunTimes[0][k] = *x;
                    store.SeriesDarkTimes[0][k] = *x;
                }
                rest.remove(0, semicolon + 1);
                ++fields;
            } else {
                const auto x = parseFloatEitherSeparator(rest);
                if (!x) return notAFloatMessage(rest);
                store.RunTimes[1][k] = *x;
                store.SeriesBrightTimes[0][k] = *x;
                rest.clear();
                fields = 0;
            }
        }
    }
    return std::nullopt;
}

} // namespace kelmot
