// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/darkphases.h"
#include "platform/samplesource.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelmot::platform {

// A pendulum let go from rest and swinging through one light barrier at its
// lowest point: θ'' = −(g/l)·sin θ − (2/τ)·θ', so that the amplitude dies
// away as e^(−t/τ), integrated sample by sample. The beam is darkened in
// proportion to how much of it the bob covers: a bob edge is soft over
// `softEdgeMm` (its rounding and the beam's own width), so the interface's
// signal rises and falls over a few samples as on a real barrier. The
// amplitude varies by the seed within ±`amplitudeScatterDeg`.
struct PendulumParameters {
    double lengthMm = 500; // pivot to the bob's centre
    double bobWidthMm = 20;
    double amplitudeDeg = 10;
    double amplitudeScatterDeg = 0.5;
    double tau = 60;         // s, the amplitude's decay time
    double g = 9.81;         // m/s²
    double beamOffsetMm = 0; // the beam beside the lowest point
    double softEdgeMm = 0.4;
    double startDelay = 0.5; // s until the bob is let go
    double stopAfter = 0;    // s after the release at which a hand stops it; 0: never
    double signal = 12000;   // sample units while the beam is wholly dark
    double noise = 200;      // peak of the uniform noise
    std::uint32_t seed = 1;
};

class SimulatedPendulum : public SampleSource {
public:
    SimulatedPendulum(const PendulumParameters& parameters, int frameRate);
    void read(std::int16_t* out, std::size_t count) override;

    // When the bob's centre crossed the beam, in s from the first sample,
    // for the samples read so far: the true passages.
    const std::vector<double>& crossings() const { return crossings_; }
    // The amplitude it was let go with, in rad.
    double releaseAmplitude() const { return theta0_; }

private:
    void step(double dt);
    double bobPosition() const; // m, the bob's centre from the beam, along the swing

    PendulumParameters p_;
    int rate_;
    double theta0_;
    double theta_;
    double omega_ = 0;
    std::int64_t next_ = 0;
    std::vector<double> crossings_;
    DarkPhaseSignal signal_;
};

// The demonstration's pendulum: every opening of the capture a swing of its
// own, seeded with its number, with the parameters `parameters` gives then
// (the length and bob the user has typed). A factory for a paced back end.
std::function<std::unique_ptr<SampleSource>(int frameRate, std::string& error)>
demonstrationSwings(std::function<PendulumParameters()> parameters);

} // namespace kelmot::platform
