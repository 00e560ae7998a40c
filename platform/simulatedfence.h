// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/darkphases.h"
#include "platform/samplesource.h"
#include "platform/simulatedtrack.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelmot::platform {

// A picket fence dropped by hand through one light barrier: let go from rest
// with its first band's leading edge `dropHeightMm` above the beam (1 to 3 cm,
// by the seed), falling with g against a little air drag (a = g - k v², the
// drag of a plastic fence: a few tenths of a percent at 3 m/s), each band's
// edges up to `edgeScatterMm` off. The interface box drives the input while
// a band darkens the beam, as on the track. All of it follows from `seed`.
struct FenceDropParameters {
    int bands = 8;
    double pitchMm = 50;
    double bandWidthMm = 25;
    double startDelay = 0.6;     // s until the fence is let go
    double dropHeightMinMm = 10; // the first band's leading edge above the beam
    double dropHeightMaxMm = 30;
    double g = 9.81;             // m/s²
    double dragPerMetre = 0.003; // k, 1/m
    double edgeScatterMm = 0.1;
    double amplitude = 12000; // sample units while dark
    double noise = 200;       // peak of the uniform noise
    std::uint32_t seed = 1;
};

class SimulatedFence : public SampleSource {
public:
    SimulatedFence(const FenceDropParameters& parameters, int frameRate);
    void read(std::int16_t* out, std::size_t count) override;

    // First and last dark sample of each band, counted from the first sample.
    const std::vector<EdgeSamples>& edges() const { return edges_; }
    // Time in s after the release at which the fence has fallen x metres.
    double timeToFall(double x) const;

private:
    FenceDropParameters p_;
    int rate_;
    std::vector<EdgeSamples> edges_;
    DarkPhaseSignal signal_;
};

// The demonstration's drops: every opening of the capture a drop of its own,
// seeded with its number. A factory for a paced back end.
std::function<std::unique_ptr<SampleSource>(int frameRate, std::string& error)>
demonstrationDrops(FenceDropParameters parameters = {});

} // namespace kelmot::platform
