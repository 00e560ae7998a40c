// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/startoptions.h"

#include <cstdint>
#include <cstdio>

namespace kelmot {

namespace platform {
class WavStream;
}

// kelmot --analyse FILE --experiment fall: each drop of the fence in the
// recording as a block of lines in the desktop's number format (its bands'
// times, positions and speeds, then "g = (… ± …) m/s²"), blocks separated by
// an empty line. Exit status as for the track's runs: 0 with a drop that
// gives g, 1 with none, 2 for a recording that cannot be read.
int printFallDrops(platform::WavStream& stream, std::int32_t threshold, SignalKind signal,
                   const StartOptions& options, std::FILE* out, std::FILE* err);

} // namespace kelmot
