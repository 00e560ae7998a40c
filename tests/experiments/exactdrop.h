// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "experiments/falldrop.h"

#include <cmath>

namespace kelmot::test {

// A drop without any error: s = v0 t + ½ g t² from the first band's dark
// edge, leading edges at k pitches, bright edges one band width further on.
inline FallDrop exactDrop(const FenceGeometry& fence, double g, double v0) {
    auto timeAt = [&](double s) { return (-v0 + std::sqrt(v0 * v0 + 2 * g * s)) / g; };
    FallDrop drop;
    for (int k = 0; k < fence.bands; ++k) {
        drop.darkTimes.push_back(timeAt(k * fence.pitch()));
        drop.brightTimes.push_back(timeAt(k * fence.pitch() + fence.bandWidth()));
    }
    drop.complete = true;
    return drop;
}

} // namespace kelmot::test
