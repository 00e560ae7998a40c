#pragma once

#include "platform/samplesource.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace kelmot::platform {

// What the virtual track does: a cart with a flag passes ten light barriers
// 0.1 m apart, and the interface box drives the sound card input while a beam
// is dark.
struct TrackParameters {
    double startDelay = 0.6;     // s until the flag reaches barrier 0
    double startSpeed = 0.35;    // m/s at barrier 0
    double acceleration = 0.15;  // m/s², from the incline of the track
    double friction = 0.02;      // m/s², always against the motion
    double flagWidthMm = 20.0;   // width of the flag on the cart
    bool toneBurst = false;      // false: a DC level while dark
    double toneFrequency = 5000; // Hz; high enough that no half wave lasts 8 samples
    double amplitude = 12000;    // sample units while dark
    double noise = 200;          // peak of the uniform noise, sample units
    bool acCoupling = false;     // the input's high-pass, as on most sound cards
    double acCutoff = 3.0;       // Hz
    std::uint32_t seed = 1;
};

// First and last dark sample of one barrier, counted from the first sample.
using EdgeSamples = std::pair<std::int64_t, std::int64_t>;

class SimulatedTrack : public SampleSource {
public:
    SimulatedTrack(const TrackParameters& parameters, int frameRate);
    void read(std::int16_t* out, std::size_t count) override;

    // Where the beams are dark, in sample indexes; fewer than ten when the
    // cart stops before the last barrier.
    const std::vector<EdgeSamples>& edges() const { return edges_; }
    // Time in s at which the cart's front is at position x (m), or < 0 if never.
    double timeAt(double x) const;

private:
    double darkLevel(std::int64_t n) const;

    TrackParameters p_;
    int rate_;
    std::vector<EdgeSamples> edges_;
    std::int64_t next_ = 0;
    std::size_t edgeCursor_ = 0;
    std::uint32_t rng_;
    double hpPrevIn_ = 0;
    double hpPrevOut_ = 0;
};

} // namespace kelmot::platform
