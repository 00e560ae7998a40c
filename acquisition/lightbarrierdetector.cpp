// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/lightbarrierdetector.h"

#include <QCoreApplication>
#include <algorithm>
#include <bit>
#include <cstring>

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
            for (; i < count; ++i) {
                const std::int32_t v = sampleAt(buffer, i);
                if (v > threshold) break;
                if (v < -threshold && EventCount > 0 &&
                    base + i > LastDarkIndex + EdgeRule::HoldOffSamples)
                    swingSeen_ = true;
            }
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

void LightBarrierDetector::analyseEdges(const char* buffer, std::int32_t count, std::int64_t base) {
    for (std::int32_t i = 0; i < count && EventCount < length_.events; ++i) {
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
