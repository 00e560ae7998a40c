// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/edgerule.h"
#include "acquisition/sessionstate.h"
#include "store/measurementstore.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace kelmot {

enum class EdgeKind { Dark, Bright };

// Where the detection reports its progress: each edge as a number, where
// the run stands, the capture to stop, and the selector that lists the
// committed series.
class DetectionOutput {
public:
    virtual ~DetectionOutput() = default;
    // The dark or bright edge of event `event` (0 for the first), at `time`
    // seconds after the run's first dark edge, less the correction.
    virtual void edgeFound(EdgeKind kind, int event, double time) = 0;
    // After every buffer of an open run, and once more as a track's run ends:
    // Waiting, Running or Ended.
    virtual void phaseChanged(SessionPhase phase) = 0;
    virtual void stopCapture() = 0;
    virtual SeriesSelector& seriesSelector() = 0;
    // The run has just been committed to the store as the newest series;
    // called before the status line says it ended.
    virtual void runCommitted() {}
    // A run of another length than the track's (see RunLength) has ended:
    // after its last bright edge (`complete`), or after a quiet spell with
    // `events` edges of it seen. Its times are the detector's DarkTimes and
    // BrightTimes; the store is not touched.
    virtual void runEnded(int events, bool complete) {
        (void)events;
        (void)complete;
    }
    // Something about the run just ended that the user should know
    // (steadyVoltageHint()), said beside the table; never empty.
    virtual void showHint(const QString& hint) { (void)hint; }
};

// A run measured by the tone's rule that looks like a steady-voltage
// barrier's: the advice to measure it by its edges, for the window.
QString steadyVoltageHint();
// The same advice for a command line, with why and the option.
QString steadyVoltageAdvice();

// How many dark-and-bright events make a run. The track's ten barriers are
// committed to the store as a series; an experiment with one barrier (a
// picket fence's bands falling through it) counts its own number, and its
// run also ends once no edge has come for `quietSamples` after the first.
struct RunLength {
    int events = 10;
    std::int64_t quietSamples = 0; // 0: never ends by itself
    bool track() const { return events == 10 && quietSamples == 0; }
};

// Turns the captured samples into the dark and bright times of the ten
// light barriers. One object lives as long as the measurement window.
// The store's `Signal` says by which rule: a tone (a beam is dark while
// samples stand above the threshold, until eight in a row do not), or the
// edges of a steady voltage (see EdgeRule). Everything after the edges is
// the same for both.
class LightBarrierDetector {
public:
    static constexpr int SampleRate = 22050; // fixed divisor of the time formula
    static constexpr long double Correction = 0.0003L;
    static constexpr int BrightConfirmation = 7; // the 8th sample at or below ends a phase
    static constexpr int EventsPerRun = 10;
    // Through an AC-coupled input, a steady-voltage barrier's dark phases
    // read by the tone's rule all end about as soon as the input's
    // high-pass lets the jump decay: tens of milliseconds at most.
    static constexpr std::int64_t SteadyVoltagePhaseSamples = 882; // 40 ms

    LightBarrierDetector(MeasurementStore& store, DetectionOutput& output)
        : store_(store), output_(output), kind_(store.Signal) {}

    // The next runs' length, from the next "Messen" on.
    void setRunLength(RunLength length) { nextLength_ = length; }
    int eventsPerRun() const { return length_.events; }

    // "Messen": a new run; the next buffer is the first and is ignored. The
    // kind of signal chosen now holds for the whole run.
    void reset() {
        kind_ = store_.Signal;
        length_ = nextLength_;
        DarkTimes.clear();
        BrightTimes.clear();
        ended_ = false;
        Dark = 0;
        EventCount = 0;
        BufferCount = 0;
        edges_.reset();
        longestPhase_ = 0;
        swingsAfterPhases_ = 0;
        swingSeen_ = false;
    }
    // "Abbrechen": no further event is recorded.
    void abort() {
        EventCount = length_.events;
        ended_ = true;
    }
    // The run has ended (complete, after a quiet spell, or aborted).
    bool ended() const { return ended_ || EventCount >= length_.events; }

    // One delivered buffer of 16-bit little-endian signed samples.
    void analyse(const char* buffer, int size);

    // The run just ended by the tone's rule looks like a steady-voltage
    // barrier's: every dark phase ended within SteadyVoltagePhaseSamples of
    // its start, and after every one but the last, while the beam read
    // free, the signal swung beyond the threshold the other way (where the
    // beam really was free again, or where the next one really went dark).
    // A tone's own swings below zero all lie inside its dark phases.
    bool looksLikeSteadyVoltage() const;

    // Detection state; times are kept in 64-bit sample indexes so that a
    // capture left waiting for a day cannot overflow them.
    std::int32_t BufferCount = 0;
    std::int32_t SamplesPerBuffer = 0;
    std::int64_t SampleIndex = 0;
    std::int32_t SampleValue = 0;
    std::int32_t EventCount = 0;
    std::int32_t Dark = 0;
    std::int64_t LastDarkIndex = 0;
    std::int64_t StartIndex = 0;
    // The run's times in order, event by event (also the track's).
    std::vector<double> DarkTimes;
    std::vector<double> BrightTimes;

private:
    void analyseTone(const char* buffer, std::int32_t count, std::int64_t base);
    void analyseEdges(const char* buffer, std::int32_t count, std::int64_t base);
    // The first sample from `i` on above the threshold (`count` if none),
    // noting a swing below the band past the hold-off on the way.
    std::int32_t untilDark(const char* buffer, std::int32_t i, std::int32_t count,
                           std::int64_t base, std::int32_t threshold);
    void darkEdge(std::int64_t index);
    void brightEdge(std::int64_t index);
    double timeOf(std::int64_t index) const;
    void updateStatus();

    void endRun(bool complete);

    MeasurementStore& store_;
    DetectionOutput& output_;
    SignalKind kind_;
    RunLength length_;
    RunLength nextLength_;
    bool ended_ = false;
    std::int64_t lastEdgeIndex_ = 0;
    EdgeRule edges_;
    // What tells a steady voltage read by the tone's rule.
    std::int64_t phaseStart_ = 0;
    std::int64_t longestPhase_ = 0;
    int swingsAfterPhases_ = 0;
    bool swingSeen_ = false;
};

} // namespace kelmot
