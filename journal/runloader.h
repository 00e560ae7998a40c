// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/runrecord.h"

#include <vector>

namespace kelmot {

// Puts runs from the journal into the store and shows them, as "Laden s-t"
// and "Laden v-t" do with a data file.
class RunLoader {
public:
    virtual ~RunLoader() = default;
    // `runs` newest first; in three-list mode up to three become the series,
    // else the newest alone.
    virtual void loadRuns(const std::vector<RunRecord>& runs, bool withBrightTimes) = 0;
};

} // namespace kelmot
