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

// A spoked pulley under an Atwood machine: the heavier mass falls from
// rest, pulling the string through the groove; the wheel's own inertia
// (as a mass at the groove, I/r²) and a little friction in its bearing
// (as a force at the groove) make a smaller than g (m₁ − m₂)/(m₁ + m₂).
// The beam lies where the spokes cross it; the first spoke starts a few
// millimetres (of string) before it. Each spoke darkens the beam while its
// width passes, its place up to `edgeScatterMm` off. After `turns` turns
// and two more spokes the weight lands and the wheel is stopped by hand.
// All of it follows from `seed`.
struct PulleyParameters {
    int spokes = 10;
    double radiusMm = 25;
    double spokeWidthMm = 3; // at the groove's radius
    double mass1G = 60;
    double mass2G = 50;
    double inertiaG = 8;    // I/r², g
    double frictionG = 0.5; // the bearing's friction as a weight at the groove, g
    int turns = 2;
    double startDelay = 0.6;  // s until the masses are let go
    double startGapMinMm = 2; // the first spoke's leading edge before the beam
    double startGapMaxMm = 6;
    double g = 9.81;
    double edgeScatterMm = 0.05;
    double amplitude = 12000;
    double noise = 200;
    std::uint32_t seed = 1;

    // The string's acceleration, m/s².
    double acceleration() const;
};

class SimulatedPulley : public SampleSource {
public:
    SimulatedPulley(const PulleyParameters& parameters, int frameRate);
    void read(std::int16_t* out, std::size_t count) override;

    // First and last dark sample of each spoke, counted from the first sample.
    const std::vector<EdgeSamples>& edges() const { return edges_; }

private:
    PulleyParameters p_;
    int rate_;
    std::vector<EdgeSamples> edges_;
    DarkPhaseSignal signal_;
};

// The demonstration's turns: each opening of the capture a turn of its own,
// seeded with its number, of the pulley typed in the window.
std::function<std::unique_ptr<SampleSource>(int frameRate, std::string& error)>
demonstrationTurns(std::function<PulleyParameters()> parameters);

} // namespace kelmot::platform
