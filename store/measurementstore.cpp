// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/measurementstore.h"

#include <QCoreApplication>
#include <algorithm>

namespace kelmot {

void MeasurementStore::initialise() {
    ColumnCount = 2;
    SeriesResolution[0] = 0;
    DataPresent = false;
    MeasurementNumber = 0;
    for (int s = 0; s < SeriesSlots; ++s)
        clearSlot(s);
    SeriesCounter = 0;
}

void MeasurementStore::copySlot(int from, int to) {
    std::copy_n(SeriesDarkTimes[from], BarrierCount, SeriesDarkTimes[to]);
    std::copy_n(SeriesBrightTimes[from], BarrierCount, SeriesBrightTimes[to]);
    SeriesResolution[to] = SeriesResolution[from];
    SeriesStRelation[to] = SeriesStRelation[from];
    SeriesVtRelation[to] = SeriesVtRelation[from];
    SeriesName[to] = SeriesName[from];
    SeriesColor[to] = SeriesColor[from];
}

void MeasurementStore::Puffersetzen() {
    if (!threeLists()) return;
    copySlot(1, 2);
    copySlot(0, 1);
}

void MeasurementStore::commitRun(SeriesSelector& selector) {
    DataPresent = true;
    MeasurementNumber += 1;
    Puffersetzen();
    SeriesName[0] =
        QCoreApplication::translate("MeasurementStore", "Messung %1").arg(MeasurementNumber);
    refillSelector(selector);
    SeriesStRelation[0] = 0;
    SeriesVtRelation[0] = 0;
    for (int k = 0; k < BarrierCount; ++k) {
        SeriesDarkTimes[0][k] = RunTimes[0][k];
        SeriesBrightTimes[0][k] = RunTimes[1][k];
    }
    DataTitle = SeriesName[0];
    SeriesCounter += 1;
    SeriesColor[0] = nextColour();
}

void MeasurementStore::loadSeries(const double (&darkTimes)[BarrierCount],
                                  const double (&brightTimes)[BarrierCount], int resolution,
                                  const QString& name, SeriesSelector& selector) {
    Puffersetzen();
    for (int k = 0; k < BarrierCount; ++k) {
        RunTimes[0][k] = SeriesDarkTimes[0][k] = darkTimes[k];
        RunTimes[1][k] = SeriesBrightTimes[0][k] = brightTimes[k];
    }
    SeriesResolution[0] = resolution;
    SeriesStRelation[0] = 0;
    SeriesVtRelation[0] = 0;
    DataTitle = name;
    DataPresent = true;
    SeriesName[0] = name;
    refillSelector(selector);
    SeriesCounter += 1;
    SeriesColor[0] = nextColour();
}

void MeasurementStore::selectOnlyNewest(SeriesSelector& selector) const {
    selector.clear();
    selector.insertItem(0, SeriesName[0]);
    selector.setItemIndex(0);
}

void MeasurementStore::LoescheFeld(SeriesSelector& selector) {
    // The selector may hold more items than there are slots (typed text);
    // only real slots are cleared. Only what marks a slot as used goes: the
    // dark times (a slot counts as stored when they are), the s-t relation
    // and the name. The bright times, the v-t relation and the resolution
    // stay, as they always have, and are overwritten by the next run.
    const int n = std::min(selector.count(), SeriesSlots);
    for (int j = 1; j < n; ++j) {
        std::fill_n(SeriesDarkTimes[j], BarrierCount, 0.0);
        SeriesStRelation[j] = 0;
        SeriesName[j].clear();
    }
    selectOnlyNewest(selector);
}

void MeasurementStore::clearSlot(int s) {
    std::fill_n(SeriesDarkTimes[s], BarrierCount, 0.0);
    std::fill_n(SeriesBrightTimes[s], BarrierCount, 0.0);
    SeriesStRelation[s] = 0;
    SeriesVtRelation[s] = 0;
    SeriesResolution[s] = 0;
    SeriesName[s].clear();
}

void MeasurementStore::clearOlderSlots() {
    for (int s = 1; s < SeriesSlots; ++s)
        clearSlot(s);
}

void MeasurementStore::switchOutputFormat(bool threeListMode, SeriesSelector& selector) {
    clearOlderSlots();
    selectOnlyNewest(selector);
    selector.setShown(threeListMode);
    if (threeListMode) {
        OutputMode = 1;
        SeriesCounter = 1;
    } else {
        SeriesCounter = 0;
        SeriesColor[0] = Navy;
        OutputMode = 0;
    }
}

void MeasurementStore::refillSelector(SeriesSelector& selector) const {
    selector.clear();
    for (int i = 0; i < SeriesSlots; ++i) {
        if (!SeriesName[i].isEmpty()) selector.insertItem(i, SeriesName[i]);
    }
    selector.setItemIndex(0);
}

Rgb MeasurementStore::nextColour() const {
    if (!threeLists()) return Navy;
    switch (SeriesCounter % 3) {
    case 1:
    case -2:
        return Navy;
    case 2:
    case -1:
        return Red;
    default:
        return Green;
    }
}

std::optional<int> MeasurementStore::slotOf(int itemIndex) {
    if (itemIndex < 0 || itemIndex >= SeriesSlots) return std::nullopt;
    return itemIndex;
}

} // namespace kelmot
