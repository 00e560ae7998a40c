// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/startoptions.h"

#include <cstdint>
#include <cstdio>

namespace kelmot {

namespace platform {
class WavStream;
}

// kelmot --analyse FILE --experiment pulley: each turn of the spoked pulley
// in the recording as a block of lines in the desktop's number format (its
// spokes' angles, string positions, times and speeds), then
// "a = (… ± …) m/s²" and α; blocks separated by an empty line. Exit status
// as for the track's runs: 0 with a turn that gives a, 1 with none, 2 for
// a recording that cannot be read.
int printPulleyTurns(platform::WavStream& stream, std::int32_t threshold, SignalKind signal,
                     const StartOptions& options, std::FILE* out, std::FILE* err);

} // namespace kelmot
