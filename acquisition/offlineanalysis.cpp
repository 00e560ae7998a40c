// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/offlineanalysis.h"

#include "acquisition/capturesetup.h"
#include "acquisition/lightbarrierdetector.h"
#include "platform/wavstream.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace kelmot {

namespace {

// The detection's output without a window: it counts the edges and notes
// the end of a run; the series it commits go nowhere else.
class RunCollector : public DetectionOutput {
public:
    void setCell(int column, int, const QString&) override {
        if (column == 1 || column == 2) ++edges;
    }
    void setStatus(const QString&, Rgb) override {}
    void stopCapture() override {}
    SeriesSelector& seriesSelector() override { return selector_; }

    int edges = 0;

private:
    NullSeriesSelector selector_;
};

// In the buffers a run's capture hands over, so that a recording is
// detected exactly as it was live.
constexpr std::size_t BufferSamples = CaptureBufferBytes / 2;

} // namespace

RecordingAnalysis analyseRecording(platform::WavStream& stream, std::int32_t threshold,
                                   const RunFound& onRun, SignalKind kind) {
    MeasurementStore store;
    store.Threshold = threshold;
    store.Signal = kind;
    store.SeriesResolution[0] = 1;
    RunCollector collector;
    LightBarrierDetector detector(store, collector);
    detector.reset();

    RecordingAnalysis result;
    std::vector<std::int16_t> buffer(BufferSamples);
    while (const std::size_t n = stream.read(buffer.data(), BufferSamples)) {
        // The end of the recording is followed by silence, as a sound card
        // input gives it: the last buffer is as long as every other.
        std::fill(buffer.begin() + std::ptrdiff_t(n), buffer.end(), std::int16_t{0});
        if constexpr (std::endian::native == std::endian::big) // the driver's byte order
            for (std::int16_t& s : buffer)
                s = std::int16_t(std::uint16_t(s) << 8 | std::uint16_t(s) >> 8);
        const int before = store.MeasurementNumber;
        detector.analyse(reinterpret_cast<const char*>(buffer.data()),
                         int(BufferSamples * sizeof(std::int16_t)));
        if (store.MeasurementNumber != before) {
            result.runs = store.MeasurementNumber;
            if (detector.looksLikeSteadyVoltage()) ++result.steadyVoltageRuns;
            onRun(result.runs, store.RunTimes);
            detector.reset();
        }
        if (n < BufferSamples) break;
    }
    result.edges = collector.edges;
    result.error = stream.error();
    return result;
}

} // namespace kelmot
