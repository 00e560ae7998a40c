// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "experiments/pendulum.h"
#include "store/signalkind.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kelmot {

namespace platform {
class WavStream;
}

// One swing as the detection saw it: the dark and bright time of each
// passage, from the first dark edge less 0.3 ms.
struct Swing {
    std::vector<double> darkTimes;
    std::vector<double> brightTimes;
    bool complete = false;    // every passage asked for was seen
    bool beamBlocked = false; // the bob stayed in the beam: it no longer clears it

    int passages() const { return int(std::min(darkTimes.size(), brightTimes.size())); }
};

// What to tell the user about a swing whose beam never cleared again.
QString beamBlockedText();

// Every swing of a pendulum in a recording, found by the same detection as
// a live run: the first buffer after a start left out, a swing ending after
// the passages asked for or when the beam stays clear for two periods (a
// hand stopped it), the detection then starting again as "Messen" pressed
// again would.
struct PendulumAnalysis {
    int swings = 0;    // with at least one passage
    int edges = 0;     // dark and bright edges seen
    std::string error; // a read error that ended the analysis early
};

using SwingFound = std::function<void(int swing, const Swing& found)>;

PendulumAnalysis analysePendulumRecording(platform::WavStream& stream, std::int32_t threshold,
                                          SignalKind kind, const PendulumSetup& setup,
                                          const SwingFound& onSwing);

} // namespace kelmot
