#pragma once

#include "platform/wavfilesource.h"
#include "tests/soundserver.h"

#include <QProcess>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace kelmot::test {

// A ten-barrier run as the interface box would give it: beams of different
// lengths at uneven distances after half a second of silence.
struct PlayedRun {
    std::vector<std::int16_t> samples;
    std::vector<std::pair<std::int64_t, std::int64_t>> edges; // first, last dark sample

    PlayedRun() : samples(static_cast<std::size_t>(22050 * 3.5), 0) {
        std::int64_t at = 11025;
        for (int k = 0; k < 10; ++k) {
            const std::int64_t length = 900 - 40 * k + (k % 3) * 7;
            for (std::int64_t i = 0; i < length; ++i)
                samples[static_cast<std::size_t>(at + i)] = 14000;
            edges.emplace_back(at, at + length - 1);
            at += 3300 - 150 * k + (k % 2) * 13;
        }
    }
    // Times as the detection must find them: from the first dark edge, less 0.3 ms.
    double darkTime(int k) const { return timeOf(edges[k].first); }
    double brightTime(int k) const { return timeOf(edges[k].second); }

private:
    double timeOf(std::int64_t index) const {
        return static_cast<double>((index - edges[0].first) / 22050.0L - 0.0003L);
    }
};

// The default sink and source at full volume, unmuted: samples pass unchanged.
inline void soundPathAtFullVolume() {
    runTool("pactl", {"set-sink-volume", "@DEFAULT_SINK@", "100%"});
    runTool("pactl", {"set-source-volume", "@DEFAULT_SOURCE@", "100%"});
    runTool("pactl", {"set-source-mute", "@DEFAULT_SOURCE@", "0"});
}

} // namespace kelmot::test
