// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/curvefit.h"

#include "evaluation/evaluationtable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace kelmot {

namespace {

constexpr int MaxParameters = 3;

struct PolynomialFit {
    std::array<double, MaxParameters> c{};                              // in powers of t
    std::array<std::array<double, MaxParameters>, MaxParameters> cov{}; // of c
    double rSquared = 0;
};

int distinctTimes(std::vector<double> t) {
    std::sort(t.begin(), t.end());
    return int(std::unique(t.begin(), t.end()) - t.begin());
}

using Matrix = std::array<std::array<double, MaxParameters>, MaxParameters>;
using Coefficients = std::array<double, MaxParameters>;
// A row of the design: 1, x, x², and y beside them.
using DesignRow = std::array<double, MaxParameters + 1>;

// Householder reflections turn the first p columns into R (upper
// triangular) and the last into Qᵀy. False when the columns are dependent.
bool triangularise(std::vector<DesignRow>& a, int n, int p) {
    for (int j = 0; j < p; ++j) {
        double norm = 0;
        for (int i = j; i < n; ++i)
            norm += a[std::size_t(i)][std::size_t(j)] * a[std::size_t(i)][std::size_t(j)];
        norm = std::sqrt(norm);
        if (!(norm > 0)) return false;
        const double alpha = a[std::size_t(j)][std::size_t(j)] > 0 ? -norm : norm;
        std::vector<double> v(std::size_t(n), 0);
        for (int i = j; i < n; ++i)
            v[std::size_t(i)] = a[std::size_t(i)][std::size_t(j)];
        v[std::size_t(j)] -= alpha;
        double vv = 0;
        for (int i = j; i < n; ++i)
            vv += v[std::size_t(i)] * v[std::size_t(i)];
        if (!(vv > 0)) return false;
        for (int k = j; k <= p; ++k) {
            double dot = 0;
            for (int i = j; i < n; ++i)
                dot += v[std::size_t(i)] * a[std::size_t(i)][std::size_t(k)];
            const double f = 2 * dot / vv;
            for (int i = j; i < n; ++i)
                a[std::size_t(i)][std::size_t(k)] -= f * v[std::size_t(i)];
        }
    }
    return true;
}

// R c = Qᵀy (the first p rows).
std::optional<Coefficients> solveTriangular(const std::vector<DesignRow>& a, int p) {
    Coefficients cx{};
    for (int j = p - 1; j >= 0; --j) {
        double sum = a[std::size_t(j)][std::size_t(p)];
        for (int k = j + 1; k < p; ++k)
            sum -= a[std::size_t(j)][std::size_t(k)] * cx[std::size_t(k)];
        const double r = a[std::size_t(j)][std::size_t(j)];
        if (r == 0) return std::nullopt;
        cx[std::size_t(j)] = sum / r;
    }
    return cx;
}

// s² (RᵀR)⁻¹ = s² R⁻¹ R⁻ᵀ, from R⁻¹ (upper triangular).
Matrix covarianceOf(const std::vector<DesignRow>& a, int p, double s2) {
    Matrix rInv{};
    for (int j = 0; j < p; ++j) {
        rInv[std::size_t(j)][std::size_t(j)] = 1 / a[std::size_t(j)][std::size_t(j)];
        for (int i = j - 1; i >= 0; --i) {
            double sum = 0;
            for (int k = i + 1; k <= j; ++k)
                sum += a[std::size_t(i)][std::size_t(k)] * rInv[std::size_t(k)][std::size_t(j)];
            rInv[std::size_t(i)][std::size_t(j)] = -sum / a[std::size_t(i)][std::size_t(i)];
        }
    }
    Matrix cov{};
    for (int i = 0; i < p; ++i)
        for (int j = 0; j < p; ++j) {
            double sum = 0;
            for (int k = 0; k < p; ++k)
                sum += rInv[std::size_t(i)][std::size_t(k)] * rInv[std::size_t(j)][std::size_t(k)];
            cov[std::size_t(i)][std::size_t(j)] = s2 * sum;
        }
    return cov;
}

// Back from x = t - m: c(t) = J c(x), cov(t) = J cov(x) Jᵀ, with J from the
// binomial expansion.
PolynomialFit inPowersOfT(const Coefficients& cx, const Matrix& covX, double m, int p) {
    Matrix jac{};
    for (int k = 0; k < p; ++k)        // coefficient of x^k ...
        for (int i = 0; i <= k; ++i) { // ... gives to t^i
            double binom = 1;
            for (int b = 0; b < i; ++b)
                binom = binom * (k - b) / (b + 1);
            jac[std::size_t(i)][std::size_t(k)] = binom * std::pow(-m, k - i);
        }
    PolynomialFit fit;
    for (int i = 0; i < p; ++i)
        for (int k = 0; k < p; ++k)
            fit.c[std::size_t(i)] += jac[std::size_t(i)][std::size_t(k)] * cx[std::size_t(k)];
    for (int i = 0; i < p; ++i)
        for (int j = 0; j < p; ++j) {
            double sum = 0;
            for (int k = 0; k < p; ++k)
                for (int l = 0; l < p; ++l)
                    sum += jac[std::size_t(i)][std::size_t(k)] *
                           covX[std::size_t(k)][std::size_t(l)] *
                           jac[std::size_t(j)][std::size_t(l)];
            fit.cov[std::size_t(i)][std::size_t(j)] = sum;
        }
    return fit;
}

double rSquaredOf(const double* y, int n, double sse) {
    double ym = 0;
    for (int i = 0; i < n; ++i)
        ym += y[i];
    ym /= n;
    double sst = 0;
    for (int i = 0; i < n; ++i)
        sst += (y[i] - ym) * (y[i] - ym);
    return sst > 0 ? 1 - sse / sst : 1;
}

// y = c0 + c1 t + ... + c(p-1) t^(p-1) by Householder QR of the design in
// centred times x = t - m; the parameters and their covariance are then
// carried back to powers of t.
std::optional<PolynomialFit> fitPolynomial(const double* t, const double* y, int n, int p) {
    if (n < p + 1) return std::nullopt;
    std::vector<double> times(t, t + n);
    for (int i = 0; i < n; ++i)
        if (!std::isfinite(t[i]) || !std::isfinite(y[i])) return std::nullopt;
    if (distinctTimes(times) < std::max(3, p + 1)) return std::nullopt;
    double m = 0;
    for (double v : times)
        m += v;
    m /= n;
    std::vector<DesignRow> a(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double x = t[i] - m;
        double power = 1;
        for (int j = 0; j < p; ++j) {
            a[std::size_t(i)][std::size_t(j)] = power;
            power *= x;
        }
        a[std::size_t(i)][std::size_t(p)] = y[i];
    }
    if (!triangularise(a, n, p)) return std::nullopt;
    const auto cx = solveTriangular(a, p);
    if (!cx) return std::nullopt;
    // The rest of Qᵀy is the residual.
    double sse = 0;
    for (int i = p; i < n; ++i)
        sse += a[std::size_t(i)][std::size_t(p)] * a[std::size_t(i)][std::size_t(p)];
    PolynomialFit fit = inPowersOfT(*cx, covarianceOf(a, p, sse / (n - p)), m, p);
    fit.rSquared = rSquaredOf(y, n, sse);
    for (double c : fit.c)
        if (!std::isfinite(c)) return std::nullopt;
    return fit;
}

FitParameter parameter(const PolynomialFit& f, int i, double factor = 1) {
    return {factor * f.c[std::size_t(i)],
            std::abs(factor) * std::sqrt(std::max(0.0, f.cov[std::size_t(i)][std::size_t(i)]))};
}

} // namespace

std::optional<LineFit> fitLine(const double* t, const double* y, int n) {
    const auto f = fitPolynomial(t, y, n, 2);
    if (!f) return std::nullopt;
    return LineFit{parameter(*f, 0), parameter(*f, 1), f->rSquared};
}

std::optional<ParabolaFit> fitParabola(const double* t, const double* s, int n) {
    const auto f = fitPolynomial(t, s, n, 3);
    if (!f) return std::nullopt;
    return ParabolaFit{parameter(*f, 0), parameter(*f, 1), parameter(*f, 2, 2), f->rSquared};
}

namespace {

std::array<double, BarrierCount> distances() {
    std::array<double, BarrierCount> s{};
    for (int k = 0; k < BarrierCount; ++k)
        s[std::size_t(k)] = k / 10.0;
    return s;
}

bool validSeries(int series) {
    return series >= 0 && series < 3;
}

} // namespace

std::optional<LineFit> fitStLine(const MeasurementStore& store, int series) {
    if (!validSeries(series)) return std::nullopt;
    return fitLine(store.SeriesDarkTimes[series], distances().data(), BarrierCount);
}

std::optional<ParabolaFit> fitStParabola(const MeasurementStore& store, int series) {
    if (!validSeries(series)) return std::nullopt;
    return fitParabola(store.SeriesDarkTimes[series], distances().data(), BarrierCount);
}

std::optional<LineFit> fitVtLine(const MeasurementStore& store, int series,
                                 double flagWidthMetres) {
    if (!validSeries(series)) return std::nullopt;
    const double* dark = store.SeriesDarkTimes[series];
    const double* bright = store.SeriesBrightTimes[series];
    std::vector<double> t, v;
    for (int k = 0; k < BarrierCount; ++k) {
        const auto speed = barrierSpeed(flagWidthMetres, dark[k], bright[k]);
        if (!speed) continue;
        t.push_back((dark[k] + bright[k]) / 2);
        v.push_back(*speed);
    }
    return fitLine(t.data(), v.data(), int(t.size()));
}

} // namespace kelmot
