// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "experiments/falldrop.h"
#include "store/signalkind.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kelmot {

namespace platform {
class WavStream;
}

// Every drop of a picket fence in a recording, found by the same detection
// as a live drop: the first buffer after a start left out, each drop ending
// after its last band or a quiet second, and the detection starting again
// as "Messen" pressed again would.
struct FallAnalysis {
    int drops = 0;     // with at least one band
    int edges = 0;     // dark and bright edges seen
    std::string error; // a read error that ended the analysis early
};

using DropFound = std::function<void(int drop, const FallDrop& found)>;

FallAnalysis analyseFallRecording(platform::WavStream& stream, std::int32_t threshold,
                                  SignalKind kind, const FenceGeometry& fence,
                                  const DropFound& onDrop);
// The same for any object whose run `length` says (a pulley's spokes): a
// run ends after its events or a quiet spell, what follows within a second
// of a complete run is that run's tail (a fence's bounce, a wheel turning on).
FallAnalysis analyseOneBarrierRecording(platform::WavStream& stream, std::int32_t threshold,
                                        SignalKind kind, const RunLength& length,
                                        const DropFound& onRun);

} // namespace kelmot
