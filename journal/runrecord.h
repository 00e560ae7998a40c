// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/measurementstore.h"

#include <QDateTime>
#include <QString>
#include <algorithm>
#include <optional>
#include <vector>

namespace kelmot {

// The kinds of run the journal keeps, as its files spell them.
inline constexpr char KindSt[] = "s-t";
inline constexpr char KindVt[] = "v-t";
inline constexpr char KindFall[] = "Fall";       // a picket fence dropped through one barrier
inline constexpr char KindPendulum[] = "Pendel"; // a pendulum swinging through one barrier
inline constexpr char KindPulley[] = "Rad";      // a spoked pulley turning through one barrier

// A drop of a picket fence: its geometry and the times of every band seen,
// which may be more than a track's ten barriers.
struct DropRecord {
    int bands = 0; // of the fence
    double pitchMm = 0;
    double bandWidthMm = 0;
    bool complete = false; // every band was seen
    std::vector<double> darkTimes;
    std::vector<double> brightTimes;
};

// A pendulum's swing: its setup and the times of every passage of the bob
// through the beam, two each period.
struct SwingRecord {
    double lengthMm = 0; // pivot to the bob's centre
    double lengthUncertaintyMm = 0;
    double bobWidthMm = 0;
    int periods = 0;       // asked for; 0: until "Abbrechen"
    bool complete = false; // every period asked for was measured
    std::vector<double> darkTimes;
    std::vector<double> brightTimes;
};

// An experiment's events kept in the journal's general table (a pulley's
// spokes, and what later experiments measure): its setup as the experiment
// writes it ("spokes=10;radius_mm=25", numbers with a point), and every
// event's times.
struct EventsRecord {
    QString setup;
    double stepM = 0; // the path from one event to the next (a spoke's arc), 0 where none
    bool complete = false;
    std::vector<double> darkTimes;
    std::vector<double> brightTimes;
};

// One completed run as the journal keeps it: everything needed to load it
// again and to say later how it was measured.
struct RunRecord {
    qint64 id = 0;            // the journal's own number, from 1 upward; 0 before it is kept
    QDateTime startedUtc;     // the first dark edge
    QDateTime endedUtc;       // the last bright edge, when the run was committed
    int utcOffsetSeconds = 0; // of the local time when the run was measured
    int number = 0;           // the program's run number ("Messung 3")
    QString name;             // "Messung 3", or as renamed
    QString kind = QString::fromLatin1(KindSt);
    int resolution = 0; // 1 = "1 ms"
    int threshold = 0;
    double darkTimes[BarrierCount]{};
    double brightTimes[BarrierCount]{};
    QString flagWidthMm; // as typed in the table's field
    QString source;      // card and input, "Simulation" or the replayed file
    QString programVersion;
    QString session; // the program start that measured it
    // A drop (kind "Fall"): its own times; darkTimes and brightTimes above
    // then hold its first ten bands, zero where it had fewer.
    std::optional<DropRecord> drop;
    // A swing (kind "Pendel") likewise: its passages' times, the first ten
    // also above.
    std::optional<SwingRecord> swing;
    // Any other experiment's events (a pulley's spokes), the first ten also above.
    std::optional<EventsRecord> events;

    // Measured through one barrier (a drop, a swing, a turn): its times are
    // no track's ten, it loads into no evaluation table.
    bool oneBarrier() const { return drop || swing || events; }

    // From the first dark edge to the last bright one.
    double durationSeconds() const {
        const auto span = [](const std::vector<double>& dark, const std::vector<double>& bright) {
            return bright.empty() || dark.empty() ? 0 : bright.back() - dark.front();
        };
        if (drop) return span(drop->darkTimes, drop->brightTimes);
        if (swing) return span(swing->darkTimes, swing->brightTimes);
        if (events) return span(events->darkTimes, events->brightTimes);
        return brightTimes[BarrierCount - 1] - darkTimes[0];
    }
    QDateTime startedLocal() const { return startedUtc.toOffsetFromUtc(utcOffsetSeconds); }
    QDateTime endedLocal() const { return endedUtc.toOffsetFromUtc(utcOffsetSeconds); }
};

// The head of a one-barrier experiment's record: its kind, number and name,
// timed to the millisecond as every one-barrier run is.
inline RunRecord oneBarrierRecord(const char* kind, const QString& name, int number) {
    RunRecord record;
    record.kind = QString::fromLatin1(kind);
    record.number = number;
    record.name = name;
    record.resolution = 1;
    return record;
}

// A one-barrier record's events whose beam went dark and bright again, into
// `dark` and `bright`; the first ten also where a run's ten barriers stand
// (zero where it had fewer), as every reader of the journal finds them.
inline void keepCompletedEvents(RunRecord& record, const std::vector<double>& darkTimes,
                                const std::vector<double>& brightTimes, std::vector<double>& dark,
                                std::vector<double>& bright) {
    const std::size_t completed = std::min(darkTimes.size(), brightTimes.size());
    dark.assign(darkTimes.begin(), darkTimes.begin() + std::ptrdiff_t(completed));
    bright.assign(brightTimes.begin(), brightTimes.begin() + std::ptrdiff_t(completed));
    for (std::size_t k = 0; k < std::min<std::size_t>(completed, BarrierCount); ++k) {
        record.darkTimes[k] = dark[k];
        record.brightTimes[k] = bright[k];
    }
}

// What the list of all runs shows of a run: read without its times.
struct RunSummary {
    qint64 id = 0;
    QDateTime startedLocal;
    QString name;
    QString kind;
    int resolution = 0;
    QString flagWidthMm;
    QString source;
    double durationSeconds = 0;
};

} // namespace kelmot
