// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/lightbarrierdetector.h"
#include "tests/fakeselector.h"

#include <QStringList>

#include <map>
#include <vector>

namespace kelmot::test {

// Records what the detection shows, as the measurement window would.
class RecordingOutput : public DetectionOutput {
public:
    // As the live table has them: column 1 the dark, 2 the bright time, row 1 the first event.
    void edgeFound(EdgeKind kind, int event, double time) override {
        times[{kind == EdgeKind::Dark ? 1 : 2, event + 1}] = time;
    }
    void phaseChanged(SessionPhase phase) override {
        status = sessionStateText({phase, {}});
        statusColour = sessionStateColour({phase, {}});
        ++statusUpdates;
    }
    void stopCapture() override { ++stops; }
    void showHint(const QString& text) override { hints << text; }
    SeriesSelector& seriesSelector() override { return selector; }

    std::map<std::pair<int, int>, double> times;
    QString status;
    Rgb statusColour;
    int statusUpdates = 0;
    int stops = 0;
    QStringList hints;
    ListSelector selector;
};

inline constexpr int SamplesPerBuffer = 4410;

// The signal of a full run: beam k dark from S + 4410 k for `darkSamples`.
inline std::vector<std::int16_t> fullRunSignal(std::int64_t start, int darkSamples,
                                               std::int16_t level = 12000,
                                               std::size_t total = 4410 * 14) {
    std::vector<std::int16_t> s(total, 0);
    for (int k = 0; k < 10; ++k)
        for (int i = 0; i < darkSamples; ++i)
            s[static_cast<std::size_t>(start + 4410 * k + i)] = level;
    return s;
}

} // namespace kelmot::test
