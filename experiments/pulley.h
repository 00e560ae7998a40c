// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/lightbarrierdetector.h"
#include "experiments/falldrop.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kelmot {

// A spoked pulley turning through one light barrier: each spoke darkens the
// beam once, the string in the groove moves one spoke's arc between two.
// Over the pulley an Atwood machine's two masses, or a cart pulled by a
// falling weight.
struct PulleySetup {
    static constexpr int MinSpokes = 2;
    static constexpr int MaxSpokes = 36;
    static constexpr int MaxTurns = 20;

    int spokes = 10;
    double radiusMm = 25;             // of the string's groove
    double radiusUncertaintyMm = 0.1; // as measured with a calliper
    int turns = 2;                    // to measure
    double mass1G = 0, mass2G = 0;    // the two masses; 0 and 0: not given

    double radius() const { return radiusMm / 1000; }
    // The string's travel from one spoke's leading edge to the next's.
    double spokeArc() const;
    // Leading edges that span `turns` turns: one more than the spokes passed.
    int events() const { return spokes * turns + 1; }
    bool massesGiven() const { return mass1G > 0 || mass2G > 0; }
};

// Why a setup cannot be measured with (which value, and its range), or
// nothing when it can.
std::optional<QString> pulleySetupProblem(const PulleySetup& setup);
PulleySetup rememberedPulley();
std::optional<QString> rememberPulley(const PulleySetup& setup);

// A turn's run: one event per spoke; a beam clear for a second (the weight
// has landed, a hand stopped the wheel) ends it with the spokes seen.
RunLength pulleyRunLength(const PulleySetup& setup);

// Spoke k's leading edge has moved the string k arcs when it darkens the
// beam. Its speed is the arc from the spoke before over the time between
// their leading edges, at the middle of that time: for a steady
// acceleration the mean speed over an interval is the speed at its middle.
// The first spoke has none.
std::vector<FallPoint> pulleyPoints(const std::vector<double>& darkTimes,
                                    const std::vector<double>& brightTimes,
                                    const PulleySetup& setup);

// The string's acceleration from the parabola through the leading edges
// and the line through the speeds as a check, each uncertainty the fit's and
// the radius's (the arcs scale with it), the wheel's angular acceleration, and
// with masses given what a frictionless, massless pulley would give.
struct PulleyResult {
    static constexpr int MinSpokes = 4;
    static constexpr double StandardG = 9.81;

    FallResult fit;
    FitParameter a;                  // m/s²
    FitParameter alpha;              // rad/s²
    std::optional<double> predicted; // g (m₁ − m₂)/(m₁ + m₂), m/s²
    double differencePercent() const;
};
std::optional<PulleyResult> fitPulley(const std::vector<FallPoint>& points,
                                      const PulleySetup& setup);

// The result as the window and the command print it.
QStringList pulleyResultLines(const PulleyResult& result, const QLocale& locale = QLocale());
// "a = (0,8271 ± 0,0012) m/s²"
QString accelerationText(const FitParameter& a, const QLocale& locale = QLocale());

} // namespace kelmot
