// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/classroomsnapshot.h"

#include "diagrams/diagramdescription.h"
#include "evaluation/evaluationtable.h"
#include "store/columnheaders.h"
#include "store/datafile.h"
#include "store/numberformat.h"

#include <QCoreApplication>
#include <algorithm>

namespace kelmot {

namespace {

bool sameTimes(const double (&a)[TimeSlots], const double (&b)[TimeSlots]) {
    return std::equal(std::begin(a), std::begin(a) + BarrierCount, std::begin(b));
}

bool sameSeries(const MeasurementStore& a, const MeasurementStore& b, int k) {
    return a.SeriesName[k] == b.SeriesName[k] && a.SeriesColor[k] == b.SeriesColor[k] &&
           a.SeriesResolution[k] == b.SeriesResolution[k] &&
           a.SeriesStRelation[k] == b.SeriesStRelation[k] &&
           a.SeriesVtRelation[k] == b.SeriesVtRelation[k] &&
           sameTimes(a.SeriesDarkTimes[k], b.SeriesDarkTimes[k]) &&
           sameTimes(a.SeriesBrightTimes[k], b.SeriesBrightTimes[k]);
}

} // namespace

ClassroomTexts classroomTexts(const QString& language) {
    ClassroomTexts t;
    t.language = language;
    t.locale = QLocale();
    t.position = columnHeader(TableColumn::Position);
    t.darkTime = columnHeader(TableColumn::DarkTime);
    t.brightTime = columnHeader(TableColumn::BrightTime);
    t.quotient = columnHeader(TableColumn::Quotient);
    t.darkInterval = columnHeader(TableColumn::DarkInterval);
    t.speed = columnHeader(TableColumn::Speed);
    t.acceleration = columnHeader(TableColumn::Acceleration);
    for (int r = 0; r < int(t.stRelations.size()); ++r)
        t.stRelations[std::size_t(r)] = stRelationName(r);
    for (int r = 0; r < int(t.vtRelations.size()); ++r)
        t.vtRelations[std::size_t(r)] = vtRelationName(r);
    t.stDiagram = QCoreApplication::translate("ClassroomPage", "s-t Diagramm");
    t.vtDiagram = QCoreApplication::translate("ClassroomPage", "v-t Diagramm");
    return t;
}

const ExperimentLive* experimentOf(const ClassroomSnapshot& s, const QString& key) {
    for (const ExperimentLive& e : s.experiments)
        if (e.key == key) return &e;
    return nullptr;
}

bool livePassed(const ClassroomSnapshot& s, int barrier) {
    const bool dark = !s.liveDark[barrier].trimmed().isEmpty();
    return dark && (!s.brightTimesShown || !s.liveBright[barrier].trimmed().isEmpty());
}

bool sameEvaluation(const ClassroomSnapshot& a, const ClassroomSnapshot& b) {
    if (a.seriesCount != b.seriesCount || a.flagWidthText != b.flagWidthText ||
        a.stFit != b.stFit || a.vtFit != b.vtFit || a.store.DataPresent != b.store.DataPresent ||
        a.store.OutputMode != b.store.OutputMode || a.store.DataTitle != b.store.DataTitle ||
        a.todaysRunCount != b.todaysRunCount || a.todaysRuns != b.todaysRuns)
        return false;
    for (int k = 0; k < SeriesSlots; ++k)
        if (!sameSeries(a.store, b.store, k)) return false;
    return true;
}

bool sameDiagrams(const ClassroomSnapshot& a, const ClassroomSnapshot& b) {
    if (!sameEvaluation(a, b)) return false;
    for (int row = 0; row < 2; ++row)
        for (int k = 0; k < BarrierCount; ++k)
            if (a.store.RunTimes[row][k] != b.store.RunTimes[row][k]) return false;
    return true;
}

bool sameLive(const ClassroomSnapshot& a, const ClassroomSnapshot& b) {
    return a.status == b.status && a.measuring == b.measuring &&
           a.brightTimesShown == b.brightTimesShown && a.liveDark == b.liveDark &&
           a.liveBright == b.liveBright && a.experiments == b.experiments;
}

TableTexts seriesTable(const ClassroomSnapshot& s, int slot, const ClassroomTexts& texts) {
    const MeasurementStore& st = s.store;
    const int resolution = st.SeriesResolution[slot];
    const QLocale& locale = texts.locale;
    const double* dark = st.SeriesDarkTimes[slot];
    const double* bright = st.SeriesBrightTimes[slot];
    const int relation = st.SeriesStRelation[slot];
    const bool withQuotient = relation >= StProportional && relation <= StSquareDistance;

    std::vector<ColumnTexts> columns;
    QStringList headers{texts.position, texts.darkTime, texts.brightTime};
    ColumnTexts positions;
    for (int k = 0; k < BarrierCount; ++k)
        positions[k] = formatFixed(barrierPosition(k), 1, locale);
    columns.push_back(positions);
    columns.push_back(timeColumn(dark, resolution, locale));
    columns.push_back(timeColumn(bright, resolution, locale));
    if (withQuotient) {
        headers << texts.quotient;
        columns.push_back(quotientColumn(relation, dark, resolution, locale));
    }
    headers << texts.darkInterval;
    columns.push_back(darkIntervalColumn(dark, bright, resolution, locale));
    const FlagWidthValue width = readFlagWidth(s.flagWidthText);
    if (width.millimetres && *width.millimetres > 0) {
        const BarrierValues speeds = speedsAtBarriers(*width.millimetres / 1000.0, dark, bright);
        headers << texts.speed << texts.acceleration;
        columns.push_back(speedColumn(speeds, resolution, locale));
        columns.push_back(accelerationColumn(speeds, dark, resolution, locale));
    }

    TableTexts table;
    table.push_back(headers);
    for (int k = 0; k < BarrierCount; ++k) {
        QStringList row;
        for (const ColumnTexts& c : columns)
            row << c[k].trimmed();
        table.push_back(row);
    }
    return table;
}

QByteArray seriesDataFile(const ClassroomSnapshot& s, int slot, const QLocale& locale) {
    double times[2][TimeSlots]{};
    std::copy_n(s.store.SeriesDarkTimes[slot], BarrierCount, times[0]);
    std::copy_n(s.store.SeriesBrightTimes[slot], BarrierCount, times[1]);
    return dataFileText(s.store.SeriesResolution[slot], times, locale);
}

} // namespace kelmot
