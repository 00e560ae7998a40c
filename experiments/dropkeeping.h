// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "experiments/falldrop.h"
#include "journal/runrecord.h"

#include <QString>
#include <optional>

namespace kelmot {

// A drop as the journal keeps it (kind "Fall"): its geometry and every
// band's times, the first ten also where a run's times stand, the band
// width where a run's flag width stands, times to a tenth of a millisecond.
// Name and number are the window's ("Fall 3"); when, where from and by
// which program are the keeper's to fill in.
RunRecord dropRecord(const FallDrop& drop, const FenceGeometry& fence, int number);

// Keeps each drop on disk before the window calls it ended.
class DropKeeper {
public:
    virtual ~DropKeeper() = default;
    // Nothing when the drop is kept, else why not (in the program's
    // language). Never stops the measurement.
    virtual std::optional<QString> keepDrop(RunRecord& drop) = 0;
};

// Keeps nothing: a window tested alone.
class NoDropKeeper : public DropKeeper {
public:
    std::optional<QString> keepDrop(RunRecord&) override { return std::nullopt; }
};

} // namespace kelmot
