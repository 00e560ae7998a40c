// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/lightbarrierdetector.h"

#include <QString>
#include <optional>

namespace kelmot {

// A picket fence: a transparent plate with opaque bands at a fixed pitch,
// dropped through one light barrier. Each band darkens the beam in turn.
struct FenceGeometry {
    static constexpr int MinBands = 2;
    static constexpr int MaxBands = 30;
    static constexpr double MaxPitchMm = 500;

    int bands = 8;
    double pitchMm = 50;     // from one band's leading edge to the next one's
    double bandWidthMm = 25; // along the fall

    double pitch() const { return pitchMm / 1000; }
    double bandWidth() const { return bandWidthMm / 1000; }
};

// Why a geometry cannot be a fence's (which value, and its range), or
// nothing when it can: 2 to 30 bands, a pitch above 0 and up to 500 mm, a
// band width above 0 and below the pitch (the beam must see a gap).
std::optional<QString> fenceGeometryProblem(const FenceGeometry& fence);

// A drop's run: one event per band, and once the fence has passed, no edge
// for a second ends it with the bands seen so far.
RunLength fenceRunLength(const FenceGeometry& fence);

// The last geometry used, from the program's own settings; the defaults
// where there is none or it is not a fence's.
FenceGeometry rememberedFence();
// Remembers it; on failure, why.
std::optional<QString> rememberFence(const FenceGeometry& fence);

} // namespace kelmot
