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
    // Read many buffers at a time: one read per buffer would be most of the
    // analysis' time.
    constexpr std::size_t BuffersPerRead = 64;
    std::vector<std::int16_t> chunk(BufferSamples * BuffersPerRead);
    while (const std::size_t n = stream.read(chunk.data(), chunk.size())) {
        const std::size_t buffers = (n + BufferSamples - 1) / BufferSamples;
        const auto used = chunk.begin() + std::ptrdiff_t(buffers * BufferSamples);
        // The end of the recording is followed by silence, as a sound card
        // input gives it: the last buffer is as long as every other.
        std::fill(chunk.begin() + std::ptrdiff_t(n), used, std::int16_t{0});
        if constexpr (std::endian::native == std::endian::big) // the driver's byte order
            for (auto s = chunk.begin(); s != used; ++s)
                *s = std::int16_t(std::uint16_t(*s) << 8 | std::uint16_t(*s) >> 8);
        for (std::size_t b = 0; b < buffers; ++b)
            analyse(reinterpret_cast<const char*>(chunk.data() + b * BufferSamples),
                    int(BufferSamples * sizeof(std::int16_t)));
        if (n < chunk.size()) break;
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
