// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace kelmot {

// What the measurement window knows of a run that has just been committed
// to the store; the rest (times, name, resolution) stands in the store.
struct CompletedRun {
    bool withBrightTimes = false; // a v-t run
};

// Keeps each completed run on disk before the window calls it ended.
class RunKeeper {
public:
    virtual ~RunKeeper() = default;
    // Nothing when the run is kept, else why not (in the program's language).
    // Never stops the measurement.
    virtual std::optional<QString> keepRun(const CompletedRun& run) = 0;
    // Why runs are not being kept now, if they are not.
    virtual std::optional<QString> problem() const { return std::nullopt; }
    // Said once, after a run was kept: what changed where runs go (the
    // journal was found damaged and moved aside, a new one started).
    virtual std::optional<QString> takeNotice() { return std::nullopt; }
};

// Keeps nothing and says nothing: a window tested alone.
class NoRunKeeper : public RunKeeper {
public:
    std::optional<QString> keepRun(const CompletedRun&) override { return std::nullopt; }
};

} // namespace kelmot
