// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/runrecord.h"

#include <QString>
#include <optional>

namespace kelmot {

// Keeps each drop and each swing on disk before its window calls it ended.
class RecordKeeper {
public:
    virtual ~RecordKeeper() = default;
    // Nothing when the record is kept, else why not (in the program's
    // language). Never stops the measurement. When, where from and by which
    // program are filled in here; a source the window named stays.
    virtual std::optional<QString> keepRecord(RunRecord& record) = 0;
};

// Keeps nothing: a window tested alone.
class NoRecordKeeper : public RecordKeeper {
public:
    std::optional<QString> keepRecord(RunRecord&) override { return std::nullopt; }
};

} // namespace kelmot
