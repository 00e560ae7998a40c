// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/lightbarrierdetector.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

namespace kelmot {

// What the settings dialog shows of the live input: the last two seconds of
// the signal in 5 ms slices, the level it stays under while the beams are
// free (noise), the highest value (peak, a beam blocked), a threshold
// halfway between the two, and whether a beam is dark now by the rule the
// detection of a run applies ("Strahl unterbrochen").
//
// For a barrier with a steady voltage (SignalKind::Edges) the values are
// the swings either way: the noise is the median of the slices' largest
// swing, the peak the largest swing, the suggested threshold half the
// typical swing (the median of the swings of the slices that hold an edge),
// and the beam is dark between a change to dark and the next change back,
// by the detection's EdgeRule.
class SignalMonitor {
public:
    static constexpr int SliceSamples = 110; // 5 ms at 22050 Hz
    static constexpr int Slices = 400;       // 2 s
    // The peak must stand this far above the noise before a threshold is
    // suggested: nothing else tells a blocked beam from noise.
    static constexpr int SuggestionMargin = 1000;

    struct Slice {
        std::int16_t low = 0;
        std::int16_t high = 0;
    };

    // The rule the next samples are read by; a new kind starts with a free
    // beam. The threshold of the edges' rule is the one at the time of a sample.
    void setRule(SignalKind kind, int threshold);
    SignalKind kind() const { return kind_; }

    void add(const std::int16_t* samples, std::size_t count);
    void clear();

    const std::deque<Slice>& slices() const { return slices_; }
    bool empty() const { return slices_.empty(); }
    int peak() const;
    // The median of the slices' highest values: most of the time the beams
    // are free.
    int noise() const;
    std::optional<int> suggestedThreshold() const;
    // A beam is dark now as a run would see it: a sample above the threshold
    // darkens it, and only RecentSamples in a row at or below bring it back.
    // A beam signal modulated with a tone (as AC-coupled inputs need) swings
    // below the threshold every half period and still reads dark.
    bool dark(int threshold) const;

    static constexpr int RecentSamples = LightBarrierDetector::BrightConfirmation + 1;

private:
    // How far a slice reaches: above zero for the tone, either way for edges.
    int reach(const Slice& s) const;
    std::optional<int> typicalSwing(int noiseLevel) const;

    SignalKind kind_ = SignalKind::Tone;
    int edgeThreshold_ = 0;
    EdgeRule edges_;
    std::int64_t sampleIndex_ = 0;
    std::deque<Slice> slices_;
    Slice partial_{};
    int partialCount_ = 0;
    std::array<std::int16_t, RecentSamples> recent_{}; // the latest samples, a ring
    std::size_t recentNext_ = 0;
    std::size_t recentCount_ = 0;
};

} // namespace kelmot
