// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/fallanalysis.h"

#include "acquisition/offlineanalysis.h"
#include "platform/wavstream.h"

namespace kelmot {

FallAnalysis analyseFallRecording(platform::WavStream& stream, std::int32_t threshold,
                                  SignalKind kind, const FenceGeometry& fence,
                                  const DropFound& onDrop) {
    return analyseOneBarrierRecording(stream, threshold, kind, fenceRunLength(fence), onDrop);
}

FallAnalysis analyseOneBarrierRecording(platform::WavStream& stream, std::int32_t threshold,
                                        SignalKind kind, const RunLength& length,
                                        const DropFound& onDrop) {
    RecordingDetection detection(threshold, kind, length);
    LightBarrierDetector& detector = detection.detector;
    CountingOutput& collector = detection.collector;

    // Where each drop lies in the recording, in samples: edges that start
    // within a quiet second of a complete drop are its bounce, not a drop.
    std::int64_t fed = 0;
    std::int64_t resetAt = 0;
    std::int64_t completeEnd = -LightBarrierDetector::SampleRate;
    FallAnalysis result;
    result.error = feedRecording(stream, [&](const char* buffer, int size) {
        detector.analyse(buffer, size);
        fed += size / 2;
        if (collector.ended == CountingOutput::Running) return;
        FallDrop drop;
        drop.complete = collector.ended == CountingOutput::Complete;
        drop.darkTimes = detector.DarkTimes;
        drop.brightTimes = detector.BrightTimes;
        drop.darkTimes.resize(std::size_t(drop.bands())); // a band still dark at the end is not one
        const bool bounce =
            resetAt + detector.StartIndex - completeEnd < LightBarrierDetector::SampleRate;
        if (drop.bands() > 0 && !bounce) onDrop(++result.drops, drop);
        if (drop.complete || bounce) completeEnd = fed;
        collector.ended = CountingOutput::Running;
        detector.reset();
        resetAt = fed;
    });
    result.edges = collector.edges;
    return result;
}

} // namespace kelmot
