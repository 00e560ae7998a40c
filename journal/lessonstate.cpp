// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/lessonstate.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace kelmot {

namespace {

QJsonArray timesArray(const double* times) {
    QJsonArray array;
    for (int k = 0; k < BarrierCount; ++k)
        array.append(times[k]);
    return array;
}

bool readTimes(const QJsonValue& value, double* times) {
    const QJsonArray array = value.toArray();
    if (array.size() != BarrierCount) return false;
    for (int k = 0; k < BarrierCount; ++k) {
        if (!array[k].isDouble()) return false;
        times[k] = array[k].toDouble();
    }
    return true;
}

QJsonArray colourArray(Rgb c) {
    return QJsonArray{c.r, c.g, c.b};
}

Rgb readColour(const QJsonValue& value) {
    const QJsonArray a = value.toArray();
    if (a.size() != 3) return Navy;
    return Rgb{a[0].toInt(), a[1].toInt(), a[2].toInt()};
}

} // namespace

QByteArray lessonState(const MeasurementStore& store) {
    QJsonArray series;
    for (int s = 0; s < SeriesSlots; ++s) {
        if (store.SeriesName[s].isEmpty()) break;
        series.append(QJsonObject{
            {"name", store.SeriesName[s]},
            {"colour", colourArray(store.SeriesColor[s])},
            {"resolution", store.SeriesResolution[s]},
            {"st", store.SeriesStRelation[s]},
            {"vt", store.SeriesVtRelation[s]},
            {"dark", timesArray(store.SeriesDarkTimes[s])},
            {"bright", timesArray(store.SeriesBrightTimes[s])},
        });
    }
    const QJsonObject lesson{
        {"outputMode", store.OutputMode},
        {"seriesCounter", store.SeriesCounter},
        {"measurementNumber", store.MeasurementNumber},
        {"dataPresent", store.DataPresent},
        {"dataTitle", store.DataTitle},
        {"runDark", timesArray(store.RunTimes[0])},
        {"runBright", timesArray(store.RunTimes[1])},
        {"series", series},
    };
    return QJsonDocument(lesson).toJson(QJsonDocument::Compact);
}

bool restoreLesson(const QByteArray& state, MeasurementStore& store) {
    const QJsonDocument document = QJsonDocument::fromJson(state);
    if (!document.isObject()) return false;
    const QJsonObject lesson = document.object();
    const QJsonArray series = lesson["series"].toArray();
    if (series.size() > SeriesSlots) return false;

    // Read into a copy first: a damaged mirror leaves the store untouched.
    MeasurementStore restored = store;
    for (int s = 0; s < SeriesSlots; ++s) {
        restored.SeriesName[s].clear();
        restored.SeriesStRelation[s] = restored.SeriesVtRelation[s] = 0;
        restored.SeriesResolution[s] = 0;
        std::fill_n(restored.SeriesDarkTimes[s], TimeSlots, 0.0);
        std::fill_n(restored.SeriesBrightTimes[s], TimeSlots, 0.0);
    }
    for (int s = 0; s < series.size(); ++s) {
        const QJsonObject slot = series[s].toObject();
        restored.SeriesName[s] = slot["name"].toString();
        if (restored.SeriesName[s].isEmpty()) return false;
        restored.SeriesColor[s] = readColour(slot["colour"]);
        restored.SeriesResolution[s] = slot["resolution"].toInt();
        restored.SeriesStRelation[s] = slot["st"].toInt();
        restored.SeriesVtRelation[s] = slot["vt"].toInt();
        if (!readTimes(slot["dark"], restored.SeriesDarkTimes[s]) ||
            !readTimes(slot["bright"], restored.SeriesBrightTimes[s]))
            return false;
    }
    if (!readTimes(lesson["runDark"], restored.RunTimes[0]) ||
        !readTimes(lesson["runBright"], restored.RunTimes[1]))
        return false;
    restored.OutputMode = lesson["outputMode"].toInt();
    restored.SeriesCounter = lesson["seriesCounter"].toInt();
    restored.MeasurementNumber = lesson["measurementNumber"].toInt();
    restored.DataPresent = lesson["dataPresent"].toBool();
    restored.DataTitle = lesson["dataTitle"].toString();
    store = restored;
    return true;
}

bool lessonHasSeries(const QByteArray& state) {
    const QJsonDocument document = QJsonDocument::fromJson(state);
    return document.isObject() && !document.object()["series"].toArray().isEmpty();
}

} // namespace kelmot
