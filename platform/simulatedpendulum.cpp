// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/simulatedpendulum.h"

#include "platform/scatter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelmot::platform {

namespace {

constexpr double Degree = std::numbers::pi / 180;
// Steps per sample: the bob moves under 0.1 mm per step at a few m/s.
constexpr int Substeps = 4;

} // namespace

SimulatedPendulum::SimulatedPendulum(const PendulumParameters& parameters, int frameRate)
    : p_(parameters), rate_(frameRate > 0 ? frameRate : 22050),
      signal_(parameters.noise, parameters.seed) {
    Scatter scatter(0x9E3779B97F4A7C15ull * (p_.seed + 11ull));
    theta0_ = (p_.amplitudeDeg + scatter.within(p_.amplitudeScatterDeg)) * Degree;
    theta_ = theta0_;
}

double SimulatedPendulum::bobPosition() const {
    return p_.lengthMm / 1000 * std::sin(theta_) - p_.beamOffsetMm / 1000;
}

void SimulatedPendulum::step(double dt) {
    // Classic Runge-Kutta on (θ, ω).
    const double k = p_.g / (p_.lengthMm / 1000);
    const double damping = p_.tau > 0 ? 2 / p_.tau : 0;
    auto accel = [&](double th, double om) { return -k * std::sin(th) - damping * om; };
    const double a1 = accel(theta_, omega_);
    const double t2 = theta_ + dt / 2 * omega_, o2 = omega_ + dt / 2 * a1;
    const double a2 = accel(t2, o2);
    const double t3 = theta_ + dt / 2 * o2, o3 = omega_ + dt / 2 * a2;
    const double a3 = accel(t3, o3);
    const double t4 = theta_ + dt * o3, o4 = omega_ + dt * a3;
    const double a4 = accel(t4, o4);
    theta_ += dt / 6 * (omega_ + 2 * o2 + 2 * o3 + o4);
    omega_ += dt / 6 * (a1 + 2 * a2 + 2 * a3 + a4);
}

void SimulatedPendulum::read(std::int16_t* out, std::size_t count) {
    const double dt = 1.0 / rate_;
    const double half = p_.bobWidthMm / 2000;
    const double soft = std::max(p_.softEdgeMm / 1000, 1e-9);
    for (std::size_t i = 0; i < count; ++i, ++next_) {
        const double t = double(next_) * dt; // this sample's time
        const double released = t - p_.startDelay;
        const bool stopped = p_.stopAfter > 0 && released > p_.stopAfter;
        if (released > 0 && !stopped) {
            for (int s = 0; s < Substeps; ++s) {
                const double before = bobPosition();
                step(dt / Substeps);
                const double after = bobPosition();
                if ((before < 0) != (after < 0) && before != after)
                    crossings_.push_back(t - dt + dt * (s + before / (before - after)) / Substeps);
            }
        }
        // A hand stops the bob beside the beam, out of its way.
        const double x = stopped ? 1.0 : bobPosition();
        // How much of the beam the bob covers: a ramp over the soft edge
        // centred on the edge's nominal place.
        const double cover = std::clamp((half - std::abs(x)) / soft + 0.5, 0.0, 1.0);
        out[i] = signal_.sample(cover * p_.signal);
    }
}

std::function<std::unique_ptr<SampleSource>(int, std::string&)>
demonstrationSwings(std::function<PendulumParameters()> parameters) {
    return [parameters = std::move(parameters),
            swings = std::make_shared<std::uint32_t>(0)](int rate, std::string&) {
        PendulumParameters p = parameters();
        p.seed = ++*swings;
        return std::make_unique<SimulatedPendulum>(p, rate);
    };
}

} // namespace kelmot::platform
