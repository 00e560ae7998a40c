// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "experiments/falldrop.h"
#include "journal/runrecord.h"

namespace kelmot {

// A drop as the journal keeps it (kind "Fall"): its geometry and every
// band's times, the first ten also where a run's times stand, the band
// width where a run's flag width stands, times to a tenth of a millisecond.
// Name and number are the window's ("Fall 3"); when, where from and by
// which program are the keeper's to fill in.
RunRecord dropRecord(const FallDrop& drop, const FenceGeometry& fence, int number);

} // namespace kelmot
