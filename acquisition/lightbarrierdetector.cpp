// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/lightbarrierdetector.h"

#include <QCoreApplication>
#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelmot {

QString steadyVoltageHint() {
    return QCoreApplication::translate(
        "LightBarrierDetector",
        "Die Lichtschranke scheint eine Gleichspannung zu geben; „Gleichspannung (Flanken)“ in "
        "den Einstellungen misst sie richtig.");
}

QString steadyVoltageAdvice() {
    return QCoreApplication::translate(
        "LightBarrierDetector",
        "Die Lichtschranke scheint eine Gleichspannung zu geben: Jede Dunkelphase endet kurz "
        "nach ihrem Beginn, und danach schlägt das Signal zur anderen Seite aus. So gemessen "
        "stimmen die Zeiten nicht; --signal edges („Gleichspannung (Flanken)“ in den "
        "Einstellungen) misst sie richtig.");
}

double LightBarrierDetector::timeOf(std::int64_t index) const {
    const long double t =
        static_cast<long double>(index - StartIndex) / static_cast<long double>(SampleRate) -
        Correction;
    return static_cast<double>(t);
}

namespace {

// One 16-bit little-endian signed sample; the buffer need not be aligned.
inline std::int32_t sampleAt(const char* buffer, std::int32_t i) {
    std::int16_t v;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&v, buffer + 2 * i, sizeof v);
    } else {
        const auto lo = static_cast<unsigned char>(buffer[2 * i]);
        const auto hi = static_cast<unsigned char>(buffer[2 * i + 1]);
        v = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
    }
    return v;
}

// Samples are looked at in blocks where nothing can happen: a block whose
// samples all lie within the band is passed over in one go, through loops
// without an exit the compiler turns into vector instructions; only a block
// that leaves the band is read sample by sample.
constexpr std::int32_t Block = 64;

// Whether any of `Block` samples from `from` on lies above `threshold`, and
// whether any lies below −threshold (0 <= threshold <= 32767).
struct BlockExcess {
    bool above = false;
    bool below = false;
};

#if defined(__SSE2__)
// Eight samples from `i` on; the buffer need not be aligned.
inline __m128i samplesAt(const char* buffer, std::int32_t i) {
    __m128i v;
    std::memcpy(&v, buffer + 2 * i, sizeof v);
    return v;
}

inline BlockExcess blockExcess(const char* buffer, std::int32_t from, std::int32_t threshold) {
    __m128i high = samplesAt(buffer, from);
    __m128i low = high;
    for (std::int32_t k = 8; k < Block; k += 8) {
        const __m128i v = samplesAt(buffer, from + k);
        high = _mm_max_epi16(high, v);
        low = _mm_min_epi16(low, v);
    }
    const __m128i band = _mm_set1_epi16(static_cast<std::int16_t>(threshold));
    const __m128i negative = _mm_set1_epi16(static_cast<std::int16_t>(-threshold));
    return {_mm_movemask_epi8(_mm_cmpgt_epi16(high, band)) != 0,
            _mm_movemask_epi8(_mm_cmplt_epi16(low, negative)) != 0};
}

// Whether any jump over `EdgeRule::JumpSamples` within `Block` samples from
// `from` on exceeds the threshold either way (from at least JumpSamples, so
// that every sample a jump is measured from lies in the buffer; 0 <=
// threshold < 32767, so a difference clipped to 16 bits still exceeds it).
inline bool jumpBeyond(const char* buffer, std::int32_t from, std::int32_t threshold) {
    __m128i high = _mm_set1_epi16(0);
    __m128i low = high;
    for (std::int32_t k = 0; k < Block; k += 8) {
        const __m128i jump = _mm_subs_epi16(samplesAt(buffer, from + k),
                                            samplesAt(buffer, from + k - EdgeRule::JumpSamples));
        high = _mm_max_epi16(high, jump);
        low = _mm_min_epi16(low, jump);
    }
    const __m128i band = _mm_set1_epi16(static_cast<std::int16_t>(threshold));
    const __m128i negative = _mm_set1_epi16(static_cast<std::int16_t>(-threshold));
    return _mm_movemask_epi8(
               _mm_or_si128(_mm_cmpgt_epi16(high, band), _mm_cmplt_epi16(low, negative))) != 0;
}

constexpr bool BlocksReadable = std::endian::native == std::endian::little;
#else
// Without vector instructions every sample is read one by one.
inline BlockExcess blockExcess(const char*, std::int32_t, std::int32_t) {
    return {true, true};
}
inline bool jumpBeyond(const char*, std::int32_t, std::int32_t) {
    return true;
}
constexpr bool BlocksReadable = false;
#endif

} // namespace

void LightBarrierDetector::analyse(const char* buffer, int size) {
    SamplesPerBuffer = size / 2;
    const bool runOpen = !ended();
    if (BufferCount > 0 && runOpen) {
        const std::int64_t base = static_cast<std::int64_t>(BufferCount) * SamplesPerBuffer;
        if (kind_ == SignalKind::Edges)
            analyseEdges(buffer, SamplesPerBuffer, base);
        else
            analyseTone(buffer, SamplesPerBuffer, base);
        // A one-barrier run also ends when its object has passed: no edge
        // for a while after the first.
        if (!ended() && length_.quietSamples > 0 && EventCount + Dark > 0 &&
            base + SamplesPerBuffer - 1 - lastEdgeIndex_ > length_.quietSamples)
            ended_ = true;
    }
    BufferCount += 1;
    // Only the buffer that completes the last event ends the run: a buffer
    // that still arrives after "Abbrechen" must not store the partial run.
    if (runOpen && ended()) {
        endRun(EventCount >= length_.events);
        return;
    }
    updateStatus();
}

void LightBarrierDetector::endRun(bool complete) {
    output_.stopCapture();
    if (!length_.track()) {
        // The experiment's window takes the run and says how it ended.
        output_.runEnded(EventCount, complete);
        return;
    }
    // The run is committed (and kept on disk) before the status line says
    // it ended: what the user is told has ended is never lost.
    store_.commitRun(output_.seriesSelector());
    output_.runCommitted();
    updateStatus();
    // The run stands as found; what looks wrong about it is said beside it.
    if (looksLikeSteadyVoltage()) output_.showHint(steadyVoltageHint());
}

void LightBarrierDetector::analyseTone(const char* buffer, std::int32_t count, std::int64_t base) {
    for (std::int32_t i = 0; i < count && EventCount < length_.events; ++i) {
        const std::int32_t threshold = store_.Threshold;
        if (Dark == 0) {
            // Between beams nothing but the dark edge can happen: find it
            // without touching the state for every quiet sample. A swing
            // the other way is noted: a tone has none between its bursts.
            i = untilDark(buffer, i, count, base, threshold);
            if (i == count) {
                SampleValue = sampleAt(buffer, i - 1);
                SampleIndex = base + i - 1;
                break;
            }
        }
        SampleValue = sampleAt(buffer, i);
        SampleIndex = base + i;
        if (Dark == 0 && SampleValue > threshold) darkEdge(SampleIndex);
        if (Dark == 1) {
            if (SampleValue > threshold) LastDarkIndex = SampleIndex;
            if (SampleIndex - LastDarkIndex > BrightConfirmation) brightEdge(LastDarkIndex);
        }
    }
}

std::int32_t LightBarrierDetector::untilDark(const char* buffer, std::int32_t i, std::int32_t count,
                                             std::int64_t base, std::int32_t threshold) {
    const bool blockable = threshold >= 0 && threshold <= 32767;
    while (i < count) {
        if (BlocksReadable && blockable && i + Block <= count) {
            const BlockExcess excess = blockExcess(buffer, i, threshold);
            // A swing below the band counts only past the hold-off: that
            // block is read sample by sample.
            if (!excess.above && (!excess.below || EventCount == 0)) {
                i += Block;
                continue;
            }
        }
        for (const std::int32_t end = std::min(count, i + Block); i < end; ++i) {
            const std::int32_t v = sampleAt(buffer, i);
            if (v > threshold) return i;
            if (v < -threshold && EventCount > 0 &&
                base + i > LastDarkIndex + EdgeRule::HoldOffSamples)
                swingSeen_ = true;
        }
    }
    return count;
}

void LightBarrierDetector::analyseEdges(const char* buffer, std::int32_t count, std::int64_t base) {
    for (std::int32_t i = 0; i < count && EventCount < length_.events; ++i) {
        // No jump beyond the threshold in a block: no change in it, and the
        // rule need only remember its last samples.
        const std::int32_t threshold = store_.Threshold;
        const std::int32_t from = i;
        if (BlocksReadable && threshold >= 0 && threshold < 32767 && edges_.watching(base + i))
            while (i >= EdgeRule::JumpSamples && i + Block <= count &&
                   !jumpBeyond(buffer, i, threshold))
                i += Block;
        if (i > from) {
            for (std::int32_t k = i - EdgeRule::JumpSamples; k < i; ++k)
                edges_.remember(sampleAt(buffer, k));
            SampleValue = sampleAt(buffer, i - 1);
            SampleIndex = base + i - 1;
        }
        if (i == count) break;
        SampleValue = sampleAt(buffer, i);
        SampleIndex = base + i;
        switch (edges_.feed(SampleIndex, SampleValue, store_.Threshold)) {
        case EdgeRule::Change::Dark:
            darkEdge(SampleIndex);
            break;
        case EdgeRule::Change::Bright:
            brightEdge(SampleIndex);
            break;
        case EdgeRule::Change::None:
            break;
        }
    }
}

void LightBarrierDetector::darkEdge(std::int64_t index) {
    if (EventCount > 0 && swingSeen_) ++swingsAfterPhases_;
    swingSeen_ = false;
    Dark = 1;
    if (EventCount == 0) StartIndex = index;
    LastDarkIndex = index;
    phaseStart_ = index;
    lastEdgeIndex_ = index;
    const double t = timeOf(index);
    if (length_.track()) store_.RunTimes[0][EventCount] = t;
    DarkTimes.push_back(t);
    output_.edgeFound(EdgeKind::Dark, EventCount, t);
}

void LightBarrierDetector::brightEdge(std::int64_t index) {
    Dark = 0;
    longestPhase_ = std::max(longestPhase_, index - phaseStart_);
    lastEdgeIndex_ = index;
    const double t = timeOf(index);
    if (length_.track()) store_.RunTimes[1][EventCount] = t;
    BrightTimes.push_back(t);
    output_.edgeFound(EdgeKind::Bright, EventCount, t);
    EventCount += 1;
}

bool LightBarrierDetector::looksLikeSteadyVoltage() const {
    return kind_ == SignalKind::Tone && EventCount >= length_.events &&
           swingsAfterPhases_ >= length_.events - 1 && longestPhase_ <= SteadyVoltagePhaseSamples;
}

void LightBarrierDetector::updateStatus() {
    if (ended())
        output_.phaseChanged(SessionPhase::Ended);
    else if (EventCount >= 1)
        output_.phaseChanged(SessionPhase::Running);
    else
        output_.phaseChanged(SessionPhase::Waiting);
}

} // namespace kelmot
