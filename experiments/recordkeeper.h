// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/runkeeper.h"
#include "journal/runrecord.h"

#include <QString>
#include <optional>

namespace kelmot {

// Keeps every kind of run on disk before its window calls it ended: the
// track's runs from the store (RunKeeper), each experiment's drops, swings
// and turns as records. Its problem() is what every window shows at
// "Messen".
class RecordKeeper : public RunKeeper {
public:
    // Nothing when the record is kept, else why not (in the program's
    // language). Never stops the measurement. When and by which program
    // are filled in here; the source the window named stays.
    virtual std::optional<QString> keepRecord(RunRecord& record) = 0;
};

// Keeps nothing and says nothing: a window tested alone.
class NoRecordKeeper : public RecordKeeper {
public:
    std::optional<QString> keepRun(const CompletedRun&) override { return std::nullopt; }
    std::optional<QString> keepRecord(RunRecord&) override { return std::nullopt; }
};

} // namespace kelmot
