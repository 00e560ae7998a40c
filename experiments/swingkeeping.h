// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "experiments/pendulum.h"
#include "journal/runrecord.h"

#include <vector>

namespace kelmot {

// A swing as the journal keeps it (kind "Pendel"): the pendulum's setup and
// every passage's times, the first ten also where a run's times stand, the
// bob's width where a run's flag width stands. Name and number are the
// window's ("Pendel 2"); when, where from and by which program are the
// keeper's to fill in. `complete`: every period asked for was measured.
RunRecord swingRecord(const std::vector<double>& darkTimes, const std::vector<double>& brightTimes,
                      const PendulumSetup& setup, bool complete, int number);

} // namespace kelmot
