// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/colour.h"
#include "store/seriesselector.h"
#include "store/signalkind.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace kelmot {

inline constexpr int BarrierCount = 10; // barrier k stands at k * 0.1 m
inline constexpr int TimeSlots = 11;    // slots 0-9 carry data, slot 10 is spare
inline constexpr int SeriesSlots = 3;   // slot 0 is always the newest series

// The one set of program-wide measurement data that all windows share.
// Plain data plus the few multi-step operations that keep its invariants.
struct MeasurementStore {
    // Last run: row 0 dark times, row 1 bright times of barrier k in slot k.
    double RunTimes[2][TimeSlots]{};

    double SeriesDarkTimes[SeriesSlots][TimeSlots]{};
    double SeriesBrightTimes[SeriesSlots][TimeSlots]{};
    std::int32_t SeriesResolution[SeriesSlots]{}; // 1 = "1 ms" ("0.000"), else "0.00"
    std::int32_t SeriesStRelation[SeriesSlots]{}; // 0 none, 1 s~t, 2 s~t², 3 s²~t
    std::int32_t SeriesVtRelation[SeriesSlots]{}; // 0 none, 1 v const, 2 v~t
    QString SeriesName[SeriesSlots];              // empty = empty slot
    Rgb SeriesColor[SeriesSlots]{};

    bool DataPresent = false;
    QString DataTitle;
    std::int32_t MeasurementNumber = 0;
    std::int32_t SeriesCounter = 0;
    std::int32_t OutputMode = 0; // 1 = three lists, anything else = single list
    std::int32_t EvaluationKind = 0;
    // Starts at 2 even before initialisation, so that no grid layout ever
    // divides by zero (start-up may stop early on a malformed configuration).
    std::int32_t ColumnCount = 2;

    std::int32_t MixerDevice = 0;
    std::int32_t InputLine = 0;
    std::int32_t Threshold = 5000;
    // Not in kelmot.cfg: the program's own settings remember it.
    SignalKind Signal = SignalKind::Tone;
    std::int32_t InputLineSelected = 0;

    bool threeLists() const { return OutputMode == 1; }

    // End of the main window's start-up, after the configuration was read.
    void initialise();
    // Push series down (slot 1 -> 2, then 0 -> 1) in three-list mode only.
    void Puffersetzen();
    // Last step of a completed run: the run becomes the newest series.
    void commitRun(SeriesSelector& selector);
    // A run read back from elsewhere (the journal) becomes the newest series,
    // as a data file load makes it: older series pushed down in three-list
    // mode, the name listed, the next colour. Its relationships start unchosen.
    void loadSeries(const double (&darkTimes)[BarrierCount],
                    const double (&brightTimes)[BarrierCount], int resolution, const QString& name,
                    SeriesSelector& selector);
    // Keep only the newest series ("Diagramme löschen").
    void LoescheFeld(SeriesSelector& selector);
    // The two output-format buttons of the settings dialog.
    void switchOutputFormat(bool threeListMode, SeriesSelector& selector);
    void refillSelector(SeriesSelector& selector) const;
    // Colour for the series just committed, after SeriesCounter was increased.
    Rgb nextColour() const;

    // The slot that a selector item index names, if it names one.
    static std::optional<int> slotOf(int itemIndex);

private:
    void copySlot(int from, int to);
    // Everything a run left in slot `s`, as at start.
    void clearSlot(int s);
    void clearOlderSlots();
    void selectOnlyNewest(SeriesSelector& selector) const;
};

} // namespace kelmot
