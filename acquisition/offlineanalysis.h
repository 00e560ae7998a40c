// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/measurementstore.h"

#include <functional>
#include <string>

namespace kelmot {

namespace platform {
class WavStream;
}

// Every complete run in a recording, found by the same detection as a live
// run: the samples go through in 0.2 s buffers, the first buffer after a
// start is left out, and after the tenth bright edge the detection starts
// again as "Messen" pressed again would. Times count from each run's own
// first dark edge, less 0.3 ms.
struct RecordingAnalysis {
    int runs = 0;
    int edges = 0; // dark and bright edges seen, complete runs or not
    // Runs found by the tone's rule that look like a steady-voltage
    // barrier's (see LightBarrierDetector::looksLikeSteadyVoltage).
    int steadyVoltageRuns = 0;
    std::string error; // a read error that ended the analysis early
};

using RunFound = std::function<void(int run, const double (&runTimes)[2][TimeSlots])>;

RecordingAnalysis analyseRecording(platform::WavStream& stream, std::int32_t threshold,
                                   const RunFound& onRun, SignalKind kind = SignalKind::Tone);

} // namespace kelmot
