// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/measurementstore.h"

#include <optional>

namespace kelmot {

// Least-squares fits over the ten barriers of a series, with the standard
// uncertainty of each parameter and R². They answer what the mean quotient
// through the origin cannot: the acceleration of a cart that reaches
// barrier 0 with a speed, and that speed.
struct FitParameter {
    double value = 0;
    double uncertainty = 0; // one standard deviation
};

// y = intercept + slope · t
struct LineFit {
    FitParameter intercept;
    FitParameter slope;
    double rSquared = 0;
};

// s = s0 + v0 · t + ½ a · t²
struct ParabolaFit {
    FitParameter s0;
    FitParameter v0;
    FitParameter a;
    double rSquared = 0;
};

// No fit ("nothing to show") for fewer points than parameters + 1 or fewer
// than 3 distinct times (a parabola needs 4), or values that are not finite:
// never a NaN on screen. Times are centred before the QR decomposition, so
// times of any offset fit as well as times from 0.
std::optional<LineFit> fitLine(const double* t, const double* y, int n);
std::optional<ParabolaFit> fitParabola(const double* t, const double* s, int n);

// The series' distances (k/10 m at its dark times) as a line and a parabola.
std::optional<LineFit> fitStLine(const MeasurementStore& store, int series);
std::optional<ParabolaFit> fitStParabola(const MeasurementStore& store, int series);
// The speeds of the series (flag width / dark interval, as the table computes
// them) at the midpoints of the dark intervals, as v = v0 + a t. Barriers
// whose beam was never dark for a positive time are left out.
std::optional<LineFit> fitVtLine(const MeasurementStore& store, int series, double flagWidthMetres);

} // namespace kelmot
