// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/simulatedfence.h"
#include "platform/wavfilesource.h"

#include <QString>
#include <cmath>
#include <numbers>
#include <vector>

namespace kelmot::test {

// A recording of drops of a picket fence, 3 s apart, each the simulated
// fence of its own seed; hum (50 Hz) added where asked. The bands' edges of
// each drop, in the recording's samples.
struct FenceRecording {
    std::vector<std::int16_t> samples;
    std::vector<std::vector<platform::EdgeSamples>> drops;

    FenceRecording(platform::FenceDropParameters p, int count, double hum = 0) {
        const std::size_t each = 22050 * 3;
        const std::uint32_t firstSeed = p.seed;
        for (int d = 0; d < count; ++d) {
            p.seed = firstSeed + std::uint32_t(d);
            platform::SimulatedFence fence(p, 22050);
            std::vector<std::int16_t> part(each);
            fence.read(part.data(), each);
            const std::int64_t offset = std::int64_t(samples.size());
            samples.insert(samples.end(), part.begin(), part.end());
            auto edges = fence.edges();
            for (auto& e : edges) {
                e.first += offset;
                e.second += offset;
            }
            drops.push_back(edges);
        }
        for (std::size_t n = 0; n < samples.size(); ++n)
            samples[n] = std::int16_t(
                samples[n] +
                std::lround(hum * std::sin(2 * std::numbers::pi * 50 * double(n) / 22050)));
    }

    std::string write(const QString& path) const {
        return platform::writeWavFile(path.toStdString(), samples, 22050);
    }
};

} // namespace kelmot::test
