// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/simulatedtrack.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace kelmot::platform {

// The input a light barrier's interface box drives: a level while the beam
// is dark, and a little uniform noise always (the same generator for every
// simulated object, so that each seed gives the same samples as ever).
class DarkPhaseSignal {
public:
    DarkPhaseSignal(double noise, std::uint32_t seed) : noise_(noise), rng_(seed | 1u) {}

    // One sample of `level` with its noise, within 16 bits.
    std::int16_t sample(double level) {
        if (noise_ > 0) {
            rng_ = rng_ * 1664525u + 1013904223u;
            level += noise_ * ((rng_ >> 8) / double(1u << 24) * 2 - 1);
        }
        return static_cast<std::int16_t>(std::clamp(std::lround(level), -32768L, 32767L));
    }

    // The next `count` samples: `amplitude` from the first to the last dark
    // sample of each phase (in order), nothing between them.
    void read(const std::vector<EdgeSamples>& phases, double amplitude, std::int16_t* out,
              std::size_t count) {
        for (std::size_t i = 0; i < count; ++i, ++next_) {
            while (cursor_ < phases.size() && phases[cursor_].second < next_)
                ++cursor_;
            const bool dark = cursor_ < phases.size() && phases[cursor_].first <= next_;
            out[i] = sample(dark ? amplitude : 0.0);
        }
    }

private:
    double noise_;
    std::uint32_t rng_;
    std::int64_t next_ = 0;
    std::size_t cursor_ = 0;
};

} // namespace kelmot::platform
