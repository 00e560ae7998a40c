// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/classroomjson.h"

#include "evaluation/evaluationtable.h"
#include "store/numberformat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kelmot {

namespace {

QString colourText(Rgb c) {
    return QStringLiteral("#%1%2%3")
        .arg(c.r, 2, 16, QLatin1Char('0'))
        .arg(c.g, 2, 16, QLatin1Char('0'))
        .arg(c.b, 2, 16, QLatin1Char('0'));
}

QJsonArray numbers(const double* values) {
    QJsonArray a;
    for (int k = 0; k < BarrierCount; ++k)
        a.append(values[k]);
    return a;
}

QJsonArray strings(const QStringList& texts) {
    QJsonArray a;
    for (const QString& t : texts)
        a.append(t);
    return a;
}

QJsonObject statusObject(const ClassroomSnapshot& s) {
    return {{"text", s.status.trimmed()}, {"measuring", s.measuring}};
}

QJsonObject rowObject(const ClassroomSnapshot& s, int k, const QLocale& locale) {
    QJsonObject row{{"barrier", k},
                    {"position", formatFixed(barrierPosition(k), 1, locale)},
                    {"dark", s.liveDark[k].trimmed()}};
    if (s.brightTimesShown) row.insert("bright", s.liveBright[k].trimmed());
    return row;
}

QJsonObject liveObject(const ClassroomSnapshot& s, const ClassroomTexts& texts) {
    QStringList headers{texts.position, texts.darkTime};
    if (s.brightTimesShown) headers << texts.brightTime;
    QJsonArray rows;
    for (int k = 0; k < BarrierCount; ++k)
        if (livePassed(s, k)) rows.append(rowObject(s, k, texts.locale));
    return {{"headers", strings(headers)}, {"rows", rows}};
}

QString relationText(const auto& names, int relation) {
    return relation >= 0 && relation < int(names.size()) ? names[std::size_t(relation)] : QString();
}

QJsonArray seriesArray(const ClassroomSnapshot& s, const ClassroomTexts& texts) {
    QJsonArray list;
    const MeasurementStore& st = s.store;
    if (!st.DataPresent) return list;
    for (int k = 0; k < s.seriesCount && k < SeriesSlots; ++k) {
        if (st.SeriesName[k].isEmpty()) continue;
        const TableTexts table = seriesTable(s, k, texts);
        QJsonArray rows;
        for (std::size_t r = 1; r < table.size(); ++r)
            rows.append(strings(table[r]));
        const QString number = QString::number(k + 1);
        list.append(QJsonObject{
            {"number", k + 1},
            {"name", st.SeriesName[k]},
            {"colour", colourText(st.SeriesColor[k])},
            {"resolution", st.SeriesResolution[k] == 1 ? "1 ms" : "10 ms"},
            {"stRelation", relationText(texts.stRelations, st.SeriesStRelation[k])},
            {"vtRelation", relationText(texts.vtRelations, st.SeriesVtRelation[k])},
            {"darkTimes", numbers(st.SeriesDarkTimes[k])},
            {"brightTimes", numbers(st.SeriesBrightTimes[k])},
            {"table", QJsonObject{{"headers", strings(table[0])}, {"rows", rows}}},
            {"downloads", QJsonObject{{"kmd", "/download/" + number + ".kmd"},
                                      {"xls", "/download/" + number + ".xls"},
                                      {"csv", "/download/" + number + ".csv"}}},
        });
    }
    return list;
}

// A one-barrier experiment's window (the free fall's, the pendulum's, the
// pulley's): shown or not, and what it shows, its diagrams captioned in
// `captions`.
QJsonObject experimentObject(const ExperimentLive& e,
                             const std::array<DiagramCaption, 2>& captions) {
    if (!e.shown) return {{"shown", false}};
    QJsonArray rows;
    for (std::size_t r = 1; r < e.table.size(); ++r)
        rows.append(strings(e.table[r]));
    QJsonObject diagrams;
    for (std::size_t d = 0; d < e.diagrams.size(); ++d) {
        const LiveDiagram& diagram = e.diagrams[d];
        diagrams.insert(diagram.key,
                        QJsonObject{{"name", diagram.name},
                                    {"svg", "/diagram/" + e.key + '-' + diagram.key + ".svg"},
                                    {"description", captions[d].description}});
    }
    return {
        {"shown", true},
        {"heading", e.heading},
        {"status", QJsonObject{{"text", e.status.trimmed()}, {"measuring", e.measuring}}},
        {"table", QJsonObject{{"headers", strings(e.table.empty() ? QStringList() : e.table[0])},
                              {"caption", e.caption},
                              {"rows", rows}}},
        {"result", e.result},
        {"diagrams", diagrams},
    };
}

QByteArray serialise(const QJsonObject& o) {
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

} // namespace

QByteArray stateMessage(const ClassroomSnapshot& s, const ClassroomTexts& texts, int revision,
                        const DiagramCaption& st, const DiagramCaption& vt,
                        const std::vector<std::array<DiagramCaption, 2>>& experiments) {
    const auto diagram = [](const QString& name, const char* svg, bool fit,
                            const DiagramCaption& caption) {
        return QJsonObject{{"name", name},
                           {"svg", svg},
                           {"fit", fit},
                           {"label", caption.label},
                           {"description", caption.description}};
    };
    const QJsonObject diagrams{
        {"st", diagram(texts.stDiagram, "/diagram/st.svg", s.stFit, st)},
        {"vt", diagram(texts.vtDiagram, "/diagram/vt.svg", s.vtFit, vt)},
    };
    QJsonObject state{
        {"api", ClassroomApiVersion},
        {"type", "state"},
        {"revision", revision},
        {"language", texts.language},
        {"status", statusObject(s)},
        {"live", liveObject(s, texts)},
        {"series", seriesArray(s, texts)},
        {"flagWidthMm", s.flagWidthText.trimmed()},
        {"diagrams", diagrams},
        {"todaysRuns", QJsonObject{{"count", s.todaysRunCount},
                                   {"csv", s.todaysRunCount ? "/download/today.csv" : ""}}},
    };
    QJsonArray keys;
    for (std::size_t e = 0; e < s.experiments.size(); ++e) {
        const ExperimentLive& experiment = s.experiments[e];
        keys.append(experiment.key);
        state.insert(experiment.key,
                     experimentObject(experiment, e < experiments.size()
                                                      ? experiments[e]
                                                      : std::array<DiagramCaption, 2>{}));
    }
    state.insert("experiments", keys);
    return serialise(state);
}

std::vector<QByteArray> changeMessages(const ClassroomSnapshot& before,
                                       const ClassroomSnapshot& after, const ClassroomTexts& texts,
                                       int revision, const std::function<QByteArray()>& state) {
    std::vector<QByteArray> messages;
    bool onlyAdded = sameEvaluation(before, after) &&
                     before.brightTimesShown == after.brightTimesShown &&
                     before.experiments == after.experiments;
    // A row that went away or changed (a new run cleared the table) is no
    // addition: the page gets everything anew.
    for (int k = 0; onlyAdded && k < BarrierCount; ++k)
        if (livePassed(before, k) &&
            (!livePassed(after, k) || before.liveDark[k] != after.liveDark[k] ||
             before.liveBright[k] != after.liveBright[k]))
            onlyAdded = false;
    if (!onlyAdded) {
        messages.push_back(state());
        return messages;
    }
    for (int k = 0; k < BarrierCount; ++k)
        if (!livePassed(before, k) && livePassed(after, k))
            messages.push_back(serialise({{"api", ClassroomApiVersion},
                                          {"type", "row"},
                                          {"revision", revision},
                                          {"row", rowObject(after, k, texts.locale)}}));
    if (before.status != after.status || before.measuring != after.measuring)
        messages.push_back(serialise({{"api", ClassroomApiVersion},
                                      {"type", "status"},
                                      {"revision", revision},
                                      {"status", statusObject(after)}}));
    return messages;
}

} // namespace kelmot
