// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/measurementstore.h"

#include <QString>
#include <cstdint>

namespace kelmot {

// Where the detection shows its progress: the live grid, the status line,
// the capture to stop, and the selector that lists the committed series.
class DetectionOutput {
public:
    virtual ~DetectionOutput() = default;
    virtual void setCell(int column, int row, const QString& text) = 0;
    virtual void setStatus(const QString& caption, Rgb colour) = 0;
    virtual void stopCapture() = 0;
    virtual SeriesSelector& seriesSelector() = 0;
    // The run has just been committed to the store as the newest series;
    // called before the status line says it ended.
    virtual void runCommitted() {}
};

// The status line of a run: waiting for the first dark edge, running, ended.
QString statusWaiting();
QString statusRunning();
QString statusEnded();

// Turns the captured samples into the dark and bright times of the ten
// light barriers. One object lives as long as the measurement window.
class LightBarrierDetector {
public:
    static constexpr int SampleRate = 22050; // fixed divisor of the time formula
    static constexpr long double Correction = 0.0003L;
    static constexpr int BrightConfirmation = 7; // the 8th sample at or below ends a phase
    static constexpr int EventsPerRun = 10;

    LightBarrierDetector(MeasurementStore& store, DetectionOutput& output)
        : store_(store), output_(output) {}

    // "Messen": a new run; the next buffer is the first and is ignored.
    void reset() {
        Dark = 0;
        EventCount = 0;
        BufferCount = 0;
    }
    // "Abbrechen": no further event is recorded.
    void abort() { EventCount = EventsPerRun; }

    // One delivered buffer of 16-bit little-endian signed samples.
    void analyse(const char* buffer, int size);

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

private:
    double timeOf(std::int64_t index) const;
    void showTime(int column, double time);
    void updateStatus();

    MeasurementStore& store_;
    DetectionOutput& output_;
};

} // namespace kelmot
