// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/flagwidth.h"
#include "platform/samplesource.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kelmot::platform {

// What the virtual track does: a cart with a flag passes ten light barriers
// 0.1 m apart, and the interface box drives the sound card input while a beam
// is dark. Like a real track it is not perfect, and no two runs are equal:
// where a beam is cut varies by up to `barrierScatterMm` (a barrier mounted
// a little off, the beam's width), the flag's rear edge cuts it up to
// `edgeScatterMm` off its nominal width (edges are not sharp), and the cart
// starts up to `startSpeedSpread` faster or slower. All of it follows from
// `seed`: the same seed, the same run.
struct TrackParameters {
    double startDelay = 0.6;               // s until the flag reaches barrier 0
    double startSpeed = 0.35;              // m/s at barrier 0
    double acceleration = 0.15;            // m/s², from the incline of the track
    double friction = 0.02;                // m/s², always against the motion
    double flagWidthMm = UsualFlagWidthMm; // width of the flag on the cart
    double barrierScatterMm = 0.5;
    double edgeScatterMm = 0.03;
    double startSpeedSpread = 0.01; // m/s
    bool toneBurst = false;         // false: a DC level while dark
    double toneFrequency = 5000;    // Hz; high enough that no half wave lasts 8 samples
    double amplitude = 12000;       // sample units while dark
    double noise = 200;             // peak of the uniform noise, sample units
    bool acCoupling = false;        // the input's high-pass, as on most sound cards
    double acCutoff = 3.0;          // Hz
    // Without a tone: a barrier whose steady output is high while the beam
    // is free and low while it is dark (a logic output read the other way).
    bool highWhileBright = false;
    // The demonstration: highWhileBright from the seed, even seeds high while bright.
    bool polarityBySeed = false;
    std::uint32_t seed = 1;
};

// The track's barriers with a steady output instead of the tone (a logic
// output through a voltage divider), as a sound card's AC-coupled line input
// passes it: a first-order high-pass at 20 Hz. Either polarity by the seed.
TrackParameters steadyVoltageBarrier();

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
    // The acceleration of the cart: incline less friction.
    double modelAcceleration() const { return p_.acceleration - p_.friction; }
    // The speed at barrier 0 of this run.
    double runStartSpeed() const { return startSpeed_; }

private:
    double darkLevel(std::int64_t n) const;
    double freeLevel() const;

    TrackParameters p_;
    double startSpeed_ = 0;
    int rate_;
    std::vector<EdgeSamples> edges_;
    std::int64_t next_ = 0;
    std::size_t edgeCursor_ = 0;
    std::uint32_t rng_;
    double hpPrevIn_ = 0;
    double hpPrevOut_ = 0;
};

// The demonstration's track: every opening of the capture a run of its
// own, seeded with its number (1, 2, 3, ...), so that repeated runs differ
// and the same session repeats. A factory for a paced back end.
std::function<std::unique_ptr<SampleSource>(int frameRate, std::string& error)>
demonstrationRuns(TrackParameters parameters = {});

} // namespace kelmot::platform
