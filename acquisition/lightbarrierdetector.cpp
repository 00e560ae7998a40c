#include "acquisition/lightbarrierdetector.h"

#include "store/numberformat.h"

#include <cstring>

namespace kelmot {

double LightBarrierDetector::timeOf(std::int64_t index) const {
    const long double t =
        static_cast<long double>(index - StartIndex) / static_cast<long double>(SampleRate) -
        Correction;
    return static_cast<double>(t);
}

void LightBarrierDetector::showTime(int column, double time) {
    output_.setCell(column, EventCount + 1,
                    formatFixed(time, decimalsForResolution(store_.SeriesResolution[0])));
}

void LightBarrierDetector::analyse(const char* buffer, int size) {
    SamplesPerBuffer = size / 2;
    const bool runOpen = EventCount < EventsPerRun;
    if (BufferCount > 0) {
        const std::int64_t base = static_cast<std::int64_t>(BufferCount) * SamplesPerBuffer;
        for (std::int32_t i = 0; i < SamplesPerBuffer && EventCount < EventsPerRun; ++i) {
            // Little-endian 16-bit, read byte-wise: the buffer need not be aligned.
            const auto lo = static_cast<unsigned char>(buffer[2 * i]);
            const auto hi = static_cast<unsigned char>(buffer[2 * i + 1]);
            SampleValue = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
            SampleIndex = base + i;
            const std::int32_t threshold = store_.Threshold;
            if (Dark == 0 && SampleValue > threshold) {
                Dark = 1;
                if (EventCount == 0)
                    StartIndex = SampleIndex;
                LastDarkIndex = SampleIndex;
                const double t = timeOf(LastDarkIndex);
                store_.RunTimes[0][EventCount] = t;
                showTime(1, t);
            }
            if (Dark == 1) {
                if (SampleValue > threshold)
                    LastDarkIndex = SampleIndex;
                if (SampleIndex - LastDarkIndex > BrightConfirmation) {
                    Dark = 0;
                    const double t = timeOf(LastDarkIndex);
                    store_.RunTimes[1][EventCount] = t;
                    showTime(2, t);
                    EventCount += 1;
                }
            }
        }
    }
    BufferCount += 1;
    updateStatus();
    // Only the buffer that completes the tenth event ends the run: a buffer
    // that still arrives after "Abbrechen" must not store the partial run.
    if (runOpen && EventCount >= EventsPerRun) {
        output_.stopCapture();
        store_.commitRun(output_.seriesSelector());
    }
}

void LightBarrierDetector::updateStatus() {
    if (EventCount >= EventsPerRun)
        output_.setStatus(StatusEnded, Red);
    else if (EventCount >= 1)
        output_.setStatus(StatusRunning, Green);
    else
        output_.setStatus(StatusWaiting, Red);
}

} // namespace kelmot
