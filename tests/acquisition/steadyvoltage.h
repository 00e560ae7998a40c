// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>
#include <vector>

namespace kelmot::test {

// What a light barrier with a steady output gives through a sound card's
// AC-coupled input: ten beams, each dark for its own time, the level high
// while dark (or while bright), passed through one or two first-order
// high-passes (one coupling capacitor, or two), with hum, noise and a
// drifting offset added after the input as a real card adds them.
struct SteadyVoltageRecording {
    int rate = 22050;
    std::int64_t start = 11025;   // first dark sample of beam 0
    std::vector<int> darkSamples; // per beam
    std::vector<int> gapSamples;  // from one beam's first dark sample to the next one's
    double amplitude = 12000;     // the step of the barrier's output
    bool highWhileBright = false;
    double cutoffHz = 20; // 0: no high-pass (a DC-coupled input)
    int order = 1;
    double humAmplitude = 0;             // 50 Hz
    double noiseAmplitude = 0;           // uniform, peak
    double offsetFrom = 0, offsetTo = 0; // a linear drift over the recording
    std::size_t total = 22050 * 4;

    // First and last dark sample of each beam: where the unfiltered signal changes.
    std::vector<std::pair<std::int64_t, std::int64_t>> edges() const {
        std::vector<std::pair<std::int64_t, std::int64_t>> e;
        std::int64_t at = start;
        for (std::size_t k = 0; k < darkSamples.size(); ++k) {
            e.emplace_back(at, at + darkSamples[k] - 1);
            at += gapSamples[k];
        }
        return e;
    }

    std::vector<std::int16_t> samples() const {
        std::vector<double> x(total, highWhileBright ? amplitude : 0.0);
        for (const auto& [first, last] : edges())
            for (std::int64_t i = first; i <= last; ++i)
                x[std::size_t(i)] = highWhileBright ? 0.0 : amplitude;
        if (cutoffHz > 0) {
            const double tau = 1 / (2 * std::numbers::pi * cutoffHz);
            const double alpha = tau / (tau + 1.0 / rate);
            for (int stage = 0; stage < order; ++stage) {
                double previousIn = x[0]; // settled on the resting level
                double previousOut = 0;
                for (double& v : x) {
                    const double y = alpha * (previousOut + v - previousIn);
                    previousIn = v;
                    previousOut = y;
                    v = y;
                }
            }
        }
        std::uint32_t rng = 12345;
        std::vector<std::int16_t> out(total);
        for (std::size_t n = 0; n < total; ++n) {
            rng = rng * 1664525u + 1013904223u;
            const double noise = noiseAmplitude * ((rng >> 8) / double(1u << 24) * 2 - 1);
            const double hum = humAmplitude * std::sin(2 * std::numbers::pi * 50 * n / rate);
            const double offset = offsetFrom + (offsetTo - offsetFrom) * double(n) / double(total);
            out[n] =
                std::int16_t(std::clamp(std::lround(x[n] + noise + hum + offset), -32768L, 32767L));
        }
        return out;
    }
};

// A cart's flag through ten barriers: dark for `darkMs` at the first and
// shorter at the later ones (the cart speeds up), 0.2 s apart.
inline SteadyVoltageRecording cartRun(double darkMs, double cutoffHz, int order,
                                      bool highWhileBright) {
    SteadyVoltageRecording r;
    r.cutoffHz = cutoffHz;
    r.order = order;
    r.highWhileBright = highWhileBright;
    for (int k = 0; k < 10; ++k) {
        r.darkSamples.push_back(int(darkMs * 22.05 * (1.0 - 0.04 * k)) + k % 3);
        r.gapSamples.push_back(4410 - 100 * k + 7 * (k % 2));
    }
    return r;
}

} // namespace kelmot::test
