// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/simulatedtrack.h"

#include "platform/scatter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelmot::platform {

SimulatedTrack::SimulatedTrack(const TrackParameters& parameters, int frameRate)
    : p_(parameters), rate_(frameRate > 0 ? frameRate : 22050), rng_(parameters.seed | 1u) {
    if (p_.polarityBySeed) p_.highWhileBright = p_.seed % 2 == 0;
    // The input was connected long before: its high-pass has settled on
    // the level of a free beam.
    hpPrevIn_ = freeLevel();
    Scatter scatter(0x9E3779B97F4A7C15ull * (p_.seed + 1ull));
    startSpeed_ = p_.startSpeed + scatter.within(p_.startSpeedSpread);
    const double width = std::max(p_.flagWidthMm, 0.0) / 1000.0;
    for (int k = 0; k < 10; ++k) {
        const double x = k * 0.1 + scatter.within(p_.barrierScatterMm) / 1000.0;
        const double edge = scatter.within(p_.edgeScatterMm) / 1000.0;
        const double tDark = timeAt(x);
        const double tBright = timeAt(x + std::max(width + edge, 0.0));
        if (tDark < 0 || tBright < 0) break;
        const auto first = static_cast<std::int64_t>(std::ceil(tDark * rate_));
        // The beam is free again from tBright on; at least one dark sample.
        const auto last =
            std::max(first, static_cast<std::int64_t>(std::ceil(tBright * rate_)) - 1);
        edges_.emplace_back(first, last);
    }
}

double SimulatedTrack::timeAt(double x) const {
    // Uniform acceleration a - friction from startSpeed at barrier 0.
    const double a = p_.acceleration - p_.friction;
    const double v0 = startSpeed_;
    if (x <= 0) return p_.startDelay + (v0 > 0 ? x / v0 : 0);
    if (std::abs(a) < 1e-12) return v0 > 0 ? p_.startDelay + x / v0 : -1;
    const double disc = v0 * v0 + 2 * a * x;
    if (disc < 0) return -1; // the cart stops before it gets there
    const double t = (-v0 + std::sqrt(disc)) / a;
    return t >= 0 ? p_.startDelay + t : -1;
}

double SimulatedTrack::freeLevel() const {
    return !p_.toneBurst && p_.highWhileBright ? p_.amplitude : 0.0;
}

double SimulatedTrack::darkLevel(std::int64_t n) const {
    if (!p_.toneBurst) return p_.highWhileBright ? 0.0 : p_.amplitude;
    return p_.amplitude * std::sin(2 * std::numbers::pi * p_.toneFrequency * n / rate_);
}

void SimulatedTrack::read(std::int16_t* out, std::size_t count) {
    const double alpha = 1.0 / (1.0 + 2 * std::numbers::pi * p_.acCutoff / rate_);
    for (std::size_t i = 0; i < count; ++i, ++next_) {
        while (edgeCursor_ < edges_.size() && edges_[edgeCursor_].second < next_)
            ++edgeCursor_;
        const bool dark = edgeCursor_ < edges_.size() && edges_[edgeCursor_].first <= next_;
        double v = dark ? darkLevel(next_) : freeLevel();
        if (p_.noise > 0) {
            rng_ = rng_ * 1664525u + 1013904223u;
            v += p_.noise * ((rng_ >> 8) / double(1u << 24) * 2 - 1);
        }
        if (p_.acCoupling) {
            const double y = alpha * (hpPrevOut_ + v - hpPrevIn_);
            hpPrevIn_ = v;
            hpPrevOut_ = y;
            v = y;
        }
        out[i] = static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
    }
}

TrackParameters steadyVoltageBarrier() {
    TrackParameters p;
    p.toneBurst = false;
    p.acCoupling = true;
    p.acCutoff = 20.0;
    p.polarityBySeed = true;
    return p;
}

std::function<std::unique_ptr<SampleSource>(int, std::string&)>
demonstrationRuns(TrackParameters parameters) {
    return [parameters, runs = std::make_shared<std::uint32_t>(0)](int rate, std::string&) {
        TrackParameters p = parameters;
        p.seed = ++*runs;
        return std::make_unique<SimulatedTrack>(p, rate);
    };
}

} // namespace kelmot::platform
