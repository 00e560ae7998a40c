// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/runkeeper.h"
#include "experiments/recordkeeper.h"
#include "journal/runjournal.h"
#include "store/measurementstore.h"

#include <QByteArray>
#include <functional>

namespace kelmot {

// The program's journal of runs as the windows meet it: each run the
// measurement window completes is kept with what was measured and how, and
// the lesson in the store is mirrored as it changes, so that a start after
// a crash brings it back.
class RunKeeping : public RecordKeeper {
public:
    struct Context {
        std::function<QString()> flagWidth; // the evaluation table's field, mm
        std::function<QString()> source;    // card and input, "Simulation", a file
        // A run has the card: its times are being written into the store,
        // and the lesson waits until it is kept or given up.
        std::function<bool()> runUnderway;
    };
    RunKeeping(RunJournal& journal, MeasurementStore& store, Context context);

    // RunKeeper
    std::optional<QString> keepRun(const CompletedRun& run) override;
    std::optional<QString> problem() const override;
    // The journal moved aside since the last keep, once.
    std::optional<QString> takeNotice() override;
    // RecordKeeper: the free fall's drops and the pendulum's swings, with the time
    // and source as for a run.
    std::optional<QString> keepRecord(RunRecord& record) override;

    // The store may have changed: mirrored when it has, once the start's
    // recovery has been tried (before it, the store is the empty one of a
    // start, and mirrored it would hide the lesson still to come back), and
    // not while a run is underway: a run half written is no lesson to bring
    // back, and its barriers are no reason for a synced write each.
    void storeChanged();
    // At start, into an empty store: the lesson of a start that ended
    // otherwise than normally. True when one came back.
    bool recoverLesson();

    // The record of the run just committed, as keepRun writes it.
    RunRecord recordOfNewestRun(const CompletedRun& run) const;

private:
    // When, how and from where a record just ended was measured.
    void stamp(RunRecord& record) const;
    // Into the journal, the lesson mirrored beside it.
    std::optional<QString> keep(RunRecord& record);

    RunJournal& journal_;
    MeasurementStore& store_;
    Context context_;
    QByteArray mirrored_;
    bool recoveryTried_ = false;
    int movesAsideSaid_ = 0; // the start's own is said by the main window
};

} // namespace kelmot
