// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "evaluation/curvefit.h"
#include "experiments/picketfence.h"

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

namespace kelmot {

// One drop of the fence: the dark and bright time of each band seen, in the
// order the bands passed, from the first dark edge less 0.3 ms.
struct FallDrop {
    std::vector<double> darkTimes;
    std::vector<double> brightTimes;
    bool complete = false; // every band of the fence was seen

    int bands() const { return int(std::min(darkTimes.size(), brightTimes.size())); }
};

// Band k's leading edge has fallen k pitches when it darkens the beam; its
// speed is the band width over its dark interval, at the interval's middle.
struct FallPoint {
    double position = 0; // m
    double darkTime = 0; // s
    double brightTime = 0;
    double speedTime = 0; // s, the middle of the dark interval
    double speed = 0;     // m/s; 0 where the beam was never dark for a positive time
};
std::vector<FallPoint> fallPoints(const FallDrop& drop, const FenceGeometry& fence);

// g from the drop: the parabola s = s0 + v0 t + ½ g t² through the leading
// edges, and the line v = v0 + g t through the speeds, each with its
// standard uncertainty and R². None from fewer than MinBands bands.
struct FallResult {
    static constexpr int MinBands = 4;
    static constexpr double StandardG = 9.81; // m/s², what the difference is told against

    ParabolaFit parabola;
    std::optional<LineFit> line; // none where fewer than three bands have a speed
    FitParameter g() const { return parabola.a; }
    // The parabola's g against 9.81 m/s², in percent.
    double differencePercent() const { return (g().value - StandardG) / StandardG * 100; }
};
std::optional<FallResult> fitFall(const FallDrop& drop, const FenceGeometry& fence);
// The same through points of any object whose leading edges are spaced
// along its path (a fence's bands, a pulley's spokes).
std::optional<FallResult> fitFallPoints(const std::vector<FallPoint>& points);

// Over several drops, as "Messreihe auswerten" does for the track's runs:
// the mean of their g (each from its parabola), the sample standard
// deviation and the uncertainty of the mean (the larger of s/√n and what
// the drops' own uncertainties allow). None from fewer than two.
struct FallSeries {
    int drops = 0;
    FitParameter meanG;
    double deviation = 0;
};
std::optional<FallSeries> fallSeries(const std::vector<FitParameter>& gOfEachDrop);

// "g = (9,806 ± 0,012) m/s²" in the locale's number format.
QString gText(const FitParameter& g, const QLocale& locale = QLocale());

} // namespace kelmot
