// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/simulatedfence.h"

#include "platform/scatter.h"

#include <algorithm>
#include <cmath>

namespace kelmot::platform {

SimulatedFence::SimulatedFence(const FenceDropParameters& parameters, int frameRate)
    : p_(parameters), rate_(frameRate > 0 ? frameRate : 22050),
      signal_(parameters.noise, parameters.seed) {
    Scatter scatter(0xD1B54A32D192ED03ull * (p_.seed + 7ull));
    const double height =
        (p_.dropHeightMinMm + (p_.dropHeightMaxMm - p_.dropHeightMinMm) * scatter.unit()) / 1000;
    for (int k = 0; k < p_.bands; ++k) {
        const double lead =
            height + k * p_.pitchMm / 1000 + scatter.within(p_.edgeScatterMm) / 1000;
        const double trail = lead + (p_.bandWidthMm + scatter.within(p_.edgeScatterMm)) / 1000;
        const double tDark = p_.startDelay + timeToFall(lead);
        const double tBright = p_.startDelay + timeToFall(trail);
        const auto first = static_cast<std::int64_t>(std::ceil(tDark * rate_));
        // The beam is free again from tBright on; at least one dark sample.
        const auto last =
            std::max(first, static_cast<std::int64_t>(std::ceil(tBright * rate_)) - 1);
        edges_.emplace_back(first, last);
    }
}

double SimulatedFence::timeToFall(double x) const {
    if (x <= 0) return 0;
    if (p_.dragPerMetre <= 0) return std::sqrt(2 * x / p_.g);
    // From rest against v² drag: x = (vT²/g) ln cosh(g t / vT), vT = √(g/k).
    const double terminal = std::sqrt(p_.g / p_.dragPerMetre);
    return terminal / p_.g * std::acosh(std::exp(x * p_.g / (terminal * terminal)));
}

void SimulatedFence::read(std::int16_t* out, std::size_t count) {
    signal_.read(edges_, p_.amplitude, out, count);
}

std::function<std::unique_ptr<SampleSource>(int, std::string&)>
demonstrationDrops(FenceDropParameters parameters) {
    return [parameters, drops = std::make_shared<std::uint32_t>(0)](int rate, std::string&) {
        FenceDropParameters p = parameters;
        p.seed = ++*drops;
        return std::make_unique<SimulatedFence>(p, rate);
    };
}

} // namespace kelmot::platform
