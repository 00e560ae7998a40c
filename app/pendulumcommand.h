// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/startoptions.h"

#include <cstdint>
#include <cstdio>

namespace kelmot {

namespace platform {
class WavStream;
}

// kelmot --analyse FILE --experiment pendulum: each swing in the recording
// as a block of lines in the desktop's number format (its passages: time at
// the bottom, dark interval, speed, every second one its period), then
// "T = (… ± …) s", "g = (… ± …) m/s²" and "τ = (… ± …) s"; blocks separated
// by an empty line. Exit status as for the track's runs: 0 with a swing that
// gives a period, 1 with none, 2 for a recording that cannot be read.
int printPendulumSwings(platform::WavStream& stream, std::int32_t threshold, SignalKind signal,
                        const StartOptions& options, std::FILE* out, std::FILE* err);

} // namespace kelmot
