// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/evaluationtable.h"

#include "store/numberconversion.h"
#include "store/numberformat.h"

#include <cmath>
#include <limits>

namespace kelmot {

namespace {

const QString NoValue = QStringLiteral(" - ");
const QString NoRelation = QStringLiteral("  ");
// The field is made for the decimal comma: "." is turned into "," as it is typed.
constexpr QChar FieldSeparator = u',';

} // namespace

double stQuotient(int relation, double distance, double time) {
    switch (relation) {
    case StProportional:
        return distance / time;
    case StSquare:
        return distance / (time * time);
    case StSquareDistance:
        return (distance * distance) / time;
    default:
        return 0.0;
    }
}

QString formatTableValue(double value, int resolution, const QLocale& locale) {
    if (!std::isfinite(value)) return NoValue;
    return formatFixed(value, decimalsForResolution(resolution), locale);
}

ColumnTexts timeColumn(const double* times, int resolution, const QLocale& locale) {
    ColumnTexts column;
    for (int k = 0; k < BarrierCount; ++k)
        column[k] = formatTableValue(times[k], resolution, locale);
    return column;
}

ColumnTexts quotientColumn(int relation, const double* darkTimes, int resolution,
                           const QLocale& locale) {
    ColumnTexts column;
    if (relation < StProportional || relation > StSquareDistance) {
        column.fill(NoRelation);
        return column;
    }
    column[0] = NoValue; // barrier 0 stands at s = 0: no quotient
    for (int k = 1; k < BarrierCount; ++k)
        column[k] = formatTableValue(stQuotient(relation, barrierPosition(k), darkTimes[k]),
                                     resolution, locale);
    return column;
}

ColumnTexts darkIntervalColumn(const double* darkTimes, const double* brightTimes, int resolution,
                               const QLocale& locale) {
    ColumnTexts column;
    for (int k = 0; k < BarrierCount; ++k)
        column[k] = formatTableValue(brightTimes[k] - darkTimes[k], resolution, locale);
    return column;
}

std::optional<double> barrierSpeed(double flagWidthMetres, double darkTime, double brightTime) {
    const double interval = brightTime - darkTime;
    if (!(interval > 0)) return std::nullopt;
    return flagWidthMetres / interval;
}

BarrierValues speedsAtBarriers(double flagWidthMetres, const double* darkTimes,
                               const double* brightTimes) {
    BarrierValues speeds{};
    for (int k = 0; k < BarrierCount; ++k)
        speeds[k] = barrierSpeed(flagWidthMetres, darkTimes[k], brightTimes[k])
                        .value_or(std::numeric_limits<double>::quiet_NaN());
    return speeds;
}

ColumnTexts speedColumn(const BarrierValues& speeds, int resolution, const QLocale& locale) {
    return timeColumn(speeds.data(), resolution, locale);
}

ColumnTexts accelerationColumn(const BarrierValues& speeds, const double* darkTimes, int resolution,
                               const QLocale& locale) {
    ColumnTexts column;
    column[0] = NoValue; // barrier 0 has no predecessor
    for (int k = 1; k < BarrierCount; ++k)
        column[k] = formatTableValue(
            (speeds[k] - speeds[k - 1]) / (darkTimes[k] - darkTimes[k - 1]), resolution, locale);
    return column;
}

FlagWidthEntry interpretFlagWidth(const QString& text) {
    FlagWidthEntry entry;
    entry.text = text;
    if (text.isEmpty()) return entry;
    for (QChar c : text) {
        if ((c < u'0' || c > u'9') && c != u',' && c != u'.') {
            entry.action = FlagWidthEntry::Clear;
            entry.text.clear();
            return entry;
        }
    }
    entry.text.replace(u'.', FieldSeparator);
    if (entry.text.endsWith(FieldSeparator)) {
        entry.action = FlagWidthEntry::Wait;
        return entry;
    }
    const FlagWidthValue value = readFlagWidth(entry.text);
    if (!value.millimetres) {
        entry.action = FlagWidthEntry::Invalid;
        entry.error = value.error;
        return entry;
    }
    entry.millimetres = *value.millimetres;
    entry.action = entry.millimetres > 0 ? FlagWidthEntry::Recompute : FlagWidthEntry::NoValue;
    return entry;
}

FlagWidthValue readFlagWidth(const QString& text) {
    FlagWidthValue value;
    if (text.isEmpty()) return value;
    value.millimetres = parseFloat(text, FieldSeparator);
    if (!value.millimetres) value.error = notAFloatMessage(text);
    return value;
}

} // namespace kelmot
