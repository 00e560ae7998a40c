// SPDX-License-Identifier: GPL-3.0-or-later
// The spoked pulley, checked on recordings made here from the exact motion
// of a wheel under a steady acceleration (spokes of a real width, a tone of
// 3 kHz with its own phase at every spoke), not from the program's own
// simulation; and the demonstration's pulley against its own physics.
#include "acquisition/offlineanalysis.h"
#include "experiments/pulley.h"
#include "experiments/pulleytable.h"
#include "platform/simulatedpulley.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

using namespace kelmot;

namespace {

constexpr int Rate = 22050;

struct ExactTurn {
    double a = 0.8; // m/s²
    double radiusMm = 25;
    int spokes = 10;
    int turns = 2;
    double spokeWidthMm = 3; // at the groove
    double gapMm = 4;        // the first spoke's leading edge before the beam
    double releaseS = 0.5;
    double toneHz = 3000;
    std::uint32_t seed = 1;
};

// The samples of the turn: the tone while a spoke is in the beam, a little
// noise always; the wheel is stopped after the spokes measured and one more.
std::vector<std::int16_t> recordingOf(const ExactTurn& w) {
    const double arc = 2 * std::numbers::pi * w.radiusMm / 1000 / w.spokes;
    const auto timeAt = [&](double x) { return w.releaseS + std::sqrt(2 * x / w.a); };
    const int spokesSeen = w.spokes * w.turns + 2;
    const double end = timeAt(w.gapMm / 1000 + spokesSeen * arc) + 2.5;
    std::vector<std::int16_t> s(std::size_t(end * Rate), 0);
    std::mt19937 rng(w.seed);
    std::uniform_real_distribution<double> phase(0, 2 * std::numbers::pi);
    std::uniform_real_distribution<double> noise(-150, 150);
    for (auto& v : s)
        v = std::int16_t(noise(rng));
    for (int k = 0; k < spokesSeen; ++k) {
        const double lead = w.gapMm / 1000 + k * arc;
        const double from = timeAt(lead), to = timeAt(lead + w.spokeWidthMm / 1000);
        const double phi = phase(rng);
        for (auto i = std::size_t(std::ceil(from * Rate)); double(i) < to * Rate; ++i)
            s[i] = std::int16_t(12000 *
                                std::sin(2 * std::numbers::pi * w.toneHz * double(i) / Rate + phi));
    }
    return s;
}

struct Detected {
    std::vector<double> dark, bright;
    bool complete = false;
};

// The turn through the detection as a live one goes: the first buffer left out.
Detected detect(const std::vector<std::int16_t>& samples, const PulleySetup& setup) {
    RecordingDetection detection(5000, SignalKind::Tone, pulleyRunLength(setup));
    std::vector<std::int16_t> settling(4410, 0);
    detection.detector.analyse(reinterpret_cast<const char*>(settling.data()), 4410 * 2);
    for (std::size_t at = 0;
         at + 4410 <= samples.size() && detection.collector.ended == CountingOutput::Running;
         at += 4410)
        detection.detector.analyse(reinterpret_cast<const char*>(samples.data() + at), 4410 * 2);
    return {detection.detector.DarkTimes, detection.detector.BrightTimes,
            detection.collector.ended == CountingOutput::Complete};
}

PulleySetup setupOf(const ExactTurn& w) {
    PulleySetup s;
    s.spokes = w.spokes;
    s.radiusMm = w.radiusMm;
    s.radiusUncertaintyMm = 0;
    s.turns = w.turns;
    return s;
}

} // namespace

// Two accelerations and two wheels: a from the parabola within 0.3 % and
// within three of its uncertainties, α = a / r, each spoke's speed that of
// the middle of its interval.
TEST(Pulley, TheStringsAccelerationComesOutOfAnExactTurn) {
    for (const auto& [a, spokes, radius] :
         {std::tuple{0.8, 10, 25.0}, std::tuple{1.6, 10, 25.0}, std::tuple{0.45, 16, 40.0}}) {
        ExactTurn w;
        w.a = a;
        w.spokes = spokes;
        w.radiusMm = radius;
        const PulleySetup setup = setupOf(w);
        const auto run = detect(recordingOf(w), setup);
        ASSERT_TRUE(run.complete) << a;
        ASSERT_EQ(run.dark.size(), std::size_t(setup.events())) << a;
        const auto points = pulleyPoints(run.dark, run.bright, setup);
        const auto result = fitPulley(points, setup);
        ASSERT_TRUE(result) << a;
        EXPECT_NEAR(result->a.value, a, 0.003 * a) << a;
        EXPECT_LT(std::abs(result->a.value - a), 3 * result->a.uncertainty + 1e-4) << a;
        EXPECT_NEAR(result->alpha.value, result->a.value / setup.radius(), 1e-12);
        ASSERT_TRUE(result->fit.line);
        EXPECT_NEAR(result->fit.line->slope.value, a, 0.01 * a) << "the speeds' line, " << a;
        // The speed between two spokes is the exact speed at the interval's middle.
        for (std::size_t k = 1; k < points.size(); ++k) {
            const double vExact = a * (points[k].speedTime -
                                       (points[0].darkTime - std::sqrt(2 * w.gapMm / 1000 / a)));
            EXPECT_NEAR(points[k].speed, vExact, 0.01 * vExact + 0.002) << a << " spoke " << k;
        }
        EXPECT_EQ(points[0].speed, 0) << "the first spoke has no interval before it";
    }
}

// The radius's uncertainty goes into a's (every arc scales with it); the
// masses give a frictionless, massless pulley's prediction and the difference.
TEST(Pulley, ARadiusUncertaintyAndTheMassesAreAccountedFor) {
    ExactTurn w;
    PulleySetup setup = setupOf(w);
    const auto run = detect(recordingOf(w), setup);
    const auto points = pulleyPoints(run.dark, run.bright, setup);
    const auto exact = fitPulley(points, setup);
    ASSERT_TRUE(exact);
    setup.radiusUncertaintyMm = 0.5; // 2 % of 25 mm
    setup.mass1G = 60;
    setup.mass2G = 50;
    const auto measured = fitPulley(points, setup);
    ASSERT_TRUE(measured);
    EXPECT_NEAR(measured->a.uncertainty, std::hypot(exact->a.uncertainty, 0.02 * exact->a.value),
                1e-12);
    // The diagrams' captions show the same: the parabola's and the line's.
    EXPECT_EQ(measured->fit.parabola.a.uncertainty, measured->a.uncertainty);
    EXPECT_NEAR(measured->fit.line->slope.uncertainty,
                std::hypot(exact->fit.line->slope.uncertainty, 0.02 * exact->fit.line->slope.value),
                1e-12);
    ASSERT_TRUE(measured->predicted);
    EXPECT_DOUBLE_EQ(*measured->predicted, 9.81 * 10 / 110);
    EXPECT_NEAR(measured->differencePercent(), (0.8 - 9.81 / 11) / (9.81 / 11) * 100, 0.5);
    const QStringList lines = pulleyResultLines(*measured, QLocale::c());
    EXPECT_TRUE(lines.join('\n').contains("a = g (m₁ − m₂)/(m₁ + m₂) = 0.8918 m/s²"))
        << lines.join('\n').toStdString();
    EXPECT_EQ(lines[0], "Aus s-t (Parabel): " + accelerationText(measured->a, QLocale::c()) +
                            ", R² = " + QString::number(measured->fit.parabola.rSquared, 'f', 5));
    EXPECT_EQ(accelerationText({0.8, 0.016}, QLocale::c()), "a = (0.800 ± 0.016) m/s²");
    setup.mass1G = setup.mass2G = 0;
    EXPECT_FALSE(fitPulley(points, setup)->predicted);
    EXPECT_FALSE(fitPulley({points.begin(), points.begin() + 3}, setup)) << "three spokes";
}

// What cannot be a pulley is refused with the reason; a good one is kept.
TEST(Pulley, SetupsOutOfRangeAreRefused) {
    const auto problem = [](auto change) {
        PulleySetup s;
        change(s);
        return pulleySetupProblem(s).value_or(QString()).toStdString();
    };
    EXPECT_EQ(problem([](PulleySetup&) {}), "");
    EXPECT_NE(problem([](PulleySetup& s) { s.spokes = 1; }).find("Speichen"), std::string::npos);
    EXPECT_NE(problem([](PulleySetup& s) { s.spokes = 37; }).find("Speichen"), std::string::npos);
    EXPECT_NE(problem([](PulleySetup& s) { s.radiusMm = 0; }).find("Radius"), std::string::npos);
    EXPECT_NE(problem([](PulleySetup& s) { s.radiusUncertaintyMm = 5; }).find("Unsicherheit"),
              std::string::npos);
    EXPECT_NE(problem([](PulleySetup& s) { s.turns = 0; }).find("Umdrehungen"), std::string::npos);
    EXPECT_NE(problem([](PulleySetup& s) { s.mass1G = s.mass2G = 50; }).find("Massen"),
              std::string::npos);
    EXPECT_NE(problem([](PulleySetup& s) { s.mass1G = 50; }).find("Massen"), std::string::npos);
    EXPECT_EQ(pulleyRunLength(PulleySetup{}).events, 21);
    EXPECT_EQ(pulleyRunLength(PulleySetup{}).quietSamples, Rate);
}

// The table has a row per spoke: its angle, the string's position, its
// times, the speed since the spoke before (none for the first); the record
// keeps the setup with a point and every spoke.
TEST(Pulley, TableAndRecordOfATurn) {
    PulleySetup setup;
    setup.spokes = 8;
    setup.radiusMm = 20;
    const std::vector<double> dark{0.0, 0.1, 0.18, 0.25}, bright{0.01, 0.108, 0.187, 0.256};
    const auto table = pulleyTable(pulleyPoints(dark, bright, setup), setup.spokes, QLocale::c());
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(table[0], QStringList({"Speiche", "φ in °", "s in m", "t dunkel in s", "t hell in s",
                                     "v in m/s"}));
    const double arc = 2 * std::numbers::pi * 0.02 / 8;
    EXPECT_EQ(table[3], QStringList({"3", "90.0", QString::number(2 * arc, 'f', 4), "0.1800",
                                     "0.1870", QString::number(arc / 0.08, 'f', 3)}));
    EXPECT_EQ(table[1][5], "");
    const RunRecord record = pulleyRecord(dark, bright, setup, false, 3);
    EXPECT_EQ(record.kind, "Rad");
    EXPECT_EQ(record.name, "Rad 3");
    ASSERT_TRUE(record.events);
    EXPECT_EQ(record.events->setup,
              "spokes=8;radius_mm=20;radius_uncertainty_mm=0.1;turns=2;mass1_g=0;mass2_g=0");
    EXPECT_DOUBLE_EQ(record.events->stepM, arc);
    EXPECT_EQ(record.events->darkTimes, dark);
    EXPECT_FALSE(record.events->complete);
    EXPECT_DOUBLE_EQ(record.darkTimes[2], 0.18);
    EXPECT_TRUE(record.oneBarrier());
}

// The demonstration's wheel: its inertia and friction make a smaller than
// the masses alone, and the program measures the a its physics gives.
TEST(Pulley, TheDemonstrationsWheelMeasuresItsOwnAcceleration) {
    for (const auto& [m1, m2] : {std::pair{60.0, 50.0}, std::pair{120.0, 80.0}}) {
        platform::PulleyParameters p;
        p.mass1G = m1;
        p.mass2G = m2;
        const platform::SimulatedPulley wheel(p, Rate);
        EXPECT_LT(p.acceleration(), 9.81 * (m1 - m2) / (m1 + m2));
        PulleySetup setup;
        std::vector<double> dark, bright;
        const double t0 = double(wheel.edges()[0].first);
        for (int k = 0; k < setup.events(); ++k) {
            dark.push_back((double(wheel.edges()[std::size_t(k)].first) - t0) / Rate);
            bright.push_back((double(wheel.edges()[std::size_t(k)].second) + 1 - t0) / Rate);
        }
        const auto result = fitPulley(pulleyPoints(dark, bright, setup), setup);
        ASSERT_TRUE(result);
        EXPECT_NEAR(result->a.value, p.acceleration(), 0.005 * p.acceleration()) << m1;
    }
}
