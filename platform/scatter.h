// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kelmot::platform {

// The simulations' imperfections from a seed alone: a small generator of
// their own (splitmix64), so that a run or a drop repeats whatever the
// standard library. `start` is the seed already mixed, each simulation its own way.
class Scatter {
public:
    explicit Scatter(std::uint64_t start) : state_(start) {}
    // Uniform in [0, 1).
    double unit() {
        state_ += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return (z >> 11) * 0x1.0p-53;
    }
    // Uniform in [-limit, limit].
    double within(double limit) { return limit * (unit() * 2 - 1); }

private:
    std::uint64_t state_;
};

} // namespace kelmot::platform
