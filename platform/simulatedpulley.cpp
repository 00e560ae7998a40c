// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/simulatedpulley.h"

#include "platform/scatter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelmot::platform {

double PulleyParameters::acceleration() const {
    const double pull = std::abs(mass1G - mass2G) - frictionG;
    return std::max(0.0, pull) * g / (mass1G + mass2G + inertiaG);
}

SimulatedPulley::SimulatedPulley(const PulleyParameters& parameters, int frameRate)
    : p_(parameters), rate_(frameRate > 0 ? frameRate : 22050),
      signal_(parameters.noise, parameters.seed) {
    Scatter scatter(0x9E3779B97F4A7C15ull * (p_.seed + 11ull));
    const double a = p_.acceleration();
    if (a <= 0 || p_.spokes < 1) return; // the masses balance: nothing turns
    const double gap =
        (p_.startGapMinMm + (p_.startGapMaxMm - p_.startGapMinMm) * scatter.unit()) / 1000;
    const double arc = 2 * std::numbers::pi * p_.radiusMm / 1000 / p_.spokes;
    const auto timeAt = [&](double x) { return p_.startDelay + std::sqrt(2 * x / a); };
    for (int k = 0; k < p_.spokes * p_.turns + 3; ++k) {
        const double lead = gap + k * arc + scatter.within(p_.edgeScatterMm) / 1000;
        const double trail = lead + (p_.spokeWidthMm + scatter.within(p_.edgeScatterMm)) / 1000;
        const auto first = static_cast<std::int64_t>(std::ceil(timeAt(lead) * rate_));
        // The beam is free again from the trailing edge on; at least one dark sample.
        const auto last =
            std::max(first, static_cast<std::int64_t>(std::ceil(timeAt(trail) * rate_)) - 1);
        edges_.emplace_back(first, last);
    }
}

void SimulatedPulley::read(std::int16_t* out, std::size_t count) {
    signal_.read(edges_, p_.amplitude, out, count);
}

std::function<std::unique_ptr<SampleSource>(int, std::string&)>
demonstrationTurns(std::function<PulleyParameters()> parameters) {
    return [parameters = std::move(parameters),
            turns = std::make_shared<std::uint32_t>(0)](int rate, std::string&) {
        PulleyParameters p = parameters();
        p.seed = ++*turns;
        return std::make_unique<SimulatedPulley>(p, rate);
    };
}

} // namespace kelmot::platform
