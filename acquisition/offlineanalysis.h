// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/lightbarrierdetector.h"
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

// The detection's output without a window: it counts the edges and notes
// how a run of another length than the track's ended; the series it commits
// go nowhere else.
class CountingOutput : public DetectionOutput {
public:
    void edgeFound(EdgeKind, int, double) override { ++edges; }
    void phaseChanged(SessionPhase) override {}
    void stopCapture() override {}
    SeriesSelector& seriesSelector() override { return selector_; }
    void runEnded(int, bool complete) override { ended = complete ? Complete : Incomplete; }

    int edges = 0;
    enum { Running, Complete, Incomplete } ended = Running;

private:
    NullSeriesSelector selector_;
};

// The detection a one-barrier experiment's recording (a fence's drops, a
// pendulum's swings) goes through: its threshold and kind of signal, the
// experiment's run length, armed; the store holds those settings only.
struct RecordingDetection {
    RecordingDetection(std::int32_t threshold, SignalKind kind, const RunLength& length)
        : store(settings(threshold, kind)), detector(store, collector) {
        detector.setRunLength(length);
        detector.reset();
    }
    MeasurementStore store; // before the detector, which reads its kind of signal when made
    CountingOutput collector;
    LightBarrierDetector detector;

private:
    static MeasurementStore settings(std::int32_t threshold, SignalKind kind) {
        MeasurementStore s;
        s.Threshold = threshold;
        s.Signal = kind;
        s.SeriesResolution[0] = 1;
        return s;
    }
};

using RunFound = std::function<void(int run, const double (&runTimes)[2][TimeSlots])>;

// The recording's samples in the buffers a capture hands over (0.2 s), each
// to `analyse` as the driver delivers it, the last one filled with silence.
// A read error that ended it early, or empty.
std::string feedRecording(platform::WavStream& stream,
                          const std::function<void(const char* buffer, int size)>& analyse);

RecordingAnalysis analyseRecording(platform::WavStream& stream, std::int32_t threshold,
                                   const RunFound& onRun, SignalKind kind = SignalKind::Tone);

} // namespace kelmot
