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

// In the buffers a run's capture hands over, so that a recording is
// detected exactly as it was live.
constexpr std::size_t BufferSamples = CaptureBufferBytes / 2;

} // namespace

std::string feedRecording(platform::WavStream& stream,
                          const std::function<void(const char* buffer, int size)>& analyse) {
    std::vector<std::int16_t> buffer(BufferSamples);
    while (const std::size_t n = stream.read(buffer.data(), BufferSamples)) {
        // The end of the recording is followed by silence, as a sound card
        // input gives it: the last buffer is as long as every other.
        std::fill(buffer.begin() + std::ptrdiff_t(n), buffer.end(), std::int16_t{0});
        if constexpr (std::endian::native == std::endian::big) // the driver's byte order
            for (std::int16_t& s : buffer)
                s = std::int16_t(std::uint16_t(s) << 8 | std::uint16_t(s) >> 8);
        analyse(reinterpret_cast<const char*>(buffer.data()),
                int(BufferSamples * sizeof(std::int16_t)));
        if (n < BufferSamples) break;
    }
    return stream.error();
}

RecordingAnalysis analyseRecording(platform::WavStream& stream, std::int32_t threshold,
                                   const RunFound& onRun, SignalKind kind) {
    MeasurementStore store;
    store.Threshold = threshold;
    store.Signal = kind;
    store.SeriesResolution[0] = 1;
    CountingOutput collector;
    LightBarrierDetector detector(store, collector);
    detector.reset();

    RecordingAnalysis result;
    result.error = feedRecording(stream, [&](const char* buffer, int size) {
        const int before = store.MeasurementNumber;
        detector.analyse(buffer, size);
        if (store.MeasurementNumber != before) {
            result.runs = store.MeasurementNumber;
            if (detector.looksLikeSteadyVoltage()) ++result.steadyVoltageRuns;
            onRun(result.runs, store.RunTimes);
            detector.reset();
        }
    });
    result.edges = collector.edges;
    return result;
}

} // namespace kelmot
