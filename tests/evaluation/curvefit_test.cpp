// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/curvefit.h"
#include "platform/simulatedtrack.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

using namespace kelmot;

namespace {

// A series as the detection finds it in the track's signal: times from the
// first dark edge.
MeasurementStore seriesOf(const platform::SimulatedTrack& track) {
    MeasurementStore store;
    const double first = double(track.edges()[0].first);
    for (int k = 0; k < BarrierCount; ++k) {
        store.SeriesDarkTimes[0][k] = (track.edges()[std::size_t(k)].first - first) / 22050.0;
        store.SeriesBrightTimes[0][k] = (track.edges()[std::size_t(k)].second - first) / 22050.0;
    }
    return store;
}

} // namespace

TEST(CurveFit, ExactDataGivesTheParametersBack) {
    // A cart at barrier 0 with 0.168 m/s, 0.129 m/s², times from 0 and from 10 s.
    for (const double offset : {0.0, 10.0}) {
        std::vector<double> t, s, v;
        for (int k = 0; k < BarrierCount; ++k) {
            const double tk = 0.21 * k + 0.003 * k * k;
            t.push_back(offset + tk);
            s.push_back(0.02 + 0.168 * tk + 0.5 * 0.129 * tk * tk);
            v.push_back(0.168 + 0.129 * tk);
        }
        const auto p = fitParabola(t.data(), s.data(), BarrierCount);
        ASSERT_TRUE(p) << offset;
        // Written in the times as given: s0 and v0 belong to t = 0.
        EXPECT_NEAR(p->a.value, 0.129, 1e-9) << offset;
        EXPECT_NEAR(p->v0.value + p->a.value * offset, 0.168, 1e-9) << offset;
        EXPECT_NEAR(p->a.uncertainty, 0, 1e-9);
        EXPECT_NEAR(p->rSquared, 1, 1e-12);
        const auto l = fitLine(t.data(), v.data(), BarrierCount);
        ASSERT_TRUE(l);
        EXPECT_NEAR(l->slope.value, 0.129, 1e-9);
        EXPECT_NEAR(l->intercept.value + 0.129 * offset, 0.168, 1e-9);
    }
}

TEST(CurveFit, UncertaintiesMatchTheScatterOfNoisyRuns) {
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0, 0.002);
    std::vector<double> t(BarrierCount);
    for (int k = 0; k < BarrierCount; ++k)
        t[std::size_t(k)] = 0.2 * k;
    const int runs = 3000;
    double sum = 0, sumSquares = 0, reported = 0;
    for (int r = 0; r < runs; ++r) {
        std::vector<double> s(BarrierCount);
        for (int k = 0; k < BarrierCount; ++k)
            s[std::size_t(k)] = 0.3 * t[std::size_t(k)] +
                                0.065 * t[std::size_t(k)] * t[std::size_t(k)] + noise(random);
        const auto p = fitParabola(t.data(), s.data(), BarrierCount);
        ASSERT_TRUE(p);
        sum += p->a.value;
        sumSquares += p->a.value * p->a.value;
        reported += p->a.uncertainty;
    }
    const double mean = sum / runs;
    const double scatter = std::sqrt(sumSquares / runs - mean * mean);
    EXPECT_NEAR(mean, 0.13, 3 * scatter / std::sqrt(double(runs)));
    EXPECT_NEAR(reported / runs, scatter, 0.2 * scatter);
}

TEST(CurveFit, DegenerateSeriesGiveNoFit) {
    const double same[BarrierCount] = {};
    const double s[BarrierCount] = {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9};
    EXPECT_FALSE(fitLine(same, s, BarrierCount));
    EXPECT_FALSE(fitParabola(same, s, BarrierCount));
    const double two[BarrierCount] = {0, 0, 0, 0, 0, 1, 1, 1, 1, 1};
    EXPECT_FALSE(fitLine(two, s, BarrierCount));
    const double three[BarrierCount] = {0, 0, 0, 1, 1, 1, 2, 2, 2, 2};
    EXPECT_TRUE(fitLine(three, s, BarrierCount));
    EXPECT_FALSE(fitParabola(three, s, BarrierCount)); // three times, three parameters
    double withNan[BarrierCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    withNan[4] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(fitLine(withNan, s, BarrierCount));
    MeasurementStore empty; // all times 0, as before the first run
    EXPECT_FALSE(fitStLine(empty, 0));
    EXPECT_FALSE(fitStParabola(empty, 0));
    EXPECT_FALSE(fitVtLine(empty, 0, 0.010));
    EXPECT_FALSE(fitStLine(empty, -1));
}

// The virtual track's cart: 0.15 m/s² from the incline less 0.02 m/s² of
// friction. Its times as the detection finds them, to the sample.
TEST(CurveFit, TheVirtualTracksAccelerationIsFound) {
    platform::TrackParameters p;
    p.noise = 0;
    const platform::SimulatedTrack track(p, 22050);
    const MeasurementStore store = seriesOf(track);
    const double a = track.modelAcceleration();
    const auto st = fitStParabola(store, 0);
    ASSERT_TRUE(st);
    EXPECT_NEAR(st->a.value, a, 3 * st->a.uncertainty);
    EXPECT_NEAR(st->v0.value, track.runStartSpeed(), 3 * st->v0.uncertainty);
    EXPECT_LT(st->a.uncertainty, 0.002);
    EXPECT_GT(st->a.uncertainty, 0) << "an imperfect track: honest uncertainties";
    const auto vt = fitVtLine(store, 0, p.flagWidthMm / 1000);
    ASSERT_TRUE(vt);
    // The dark interval ends at the last dark sample: up to a sample short,
    // so the speeds stand a little high (by about 0.1 %) and a little more
    // so where the cart is fast; the slope lies within 3 uncertainties.
    EXPECT_NEAR(vt->slope.value, a, 3 * vt->slope.uncertainty);
    EXPECT_GT(vt->rSquared, 0.999);
}

// Runs of the virtual track differ as runs of a real one do, and the fits
// say honestly how much: over fifty runs, the spread of a is what the fits'
// uncertainties claim (within a factor of two), and the mean of three runs
// lies within three standard uncertainties of the track's acceleration.
TEST(CurveFit, TheFitsUncertaintiesAreTheSpreadOfRepeatedRuns) {
    std::vector<double> st, vt;
    double stUncertainty = 0, vtUncertainty = 0;
    for (std::uint32_t seed = 1; seed <= 50; ++seed) {
        platform::TrackParameters p;
        p.seed = seed;
        const MeasurementStore store = seriesOf(platform::SimulatedTrack(p, 22050));
        const auto s = fitStParabola(store, 0);
        const auto v = fitVtLine(store, 0, p.flagWidthMm / 1000);
        ASSERT_TRUE(s && v) << seed;
        st.push_back(s->a.value);
        vt.push_back(v->slope.value);
        stUncertainty += s->a.uncertainty / 50;
        vtUncertainty += v->slope.uncertainty / 50;
    }
    const auto spread = [](const std::vector<double>& x) {
        double mean = 0, squares = 0;
        for (const double v : x)
            mean += v / double(x.size());
        for (const double v : x)
            squares += (v - mean) * (v - mean);
        return std::sqrt(squares / double(x.size() - 1));
    };
    for (const auto& [name, values, uncertainty] :
         {std::tuple{"s-t", st, stUncertainty}, std::tuple{"v-t", vt, vtUncertainty}}) {
        EXPECT_GT(uncertainty, spread(values) / 2) << name;
        EXPECT_LT(uncertainty, spread(values) * 2) << name;
    }
    const double a =
        platform::SimulatedTrack(platform::TrackParameters{}, 22050).modelAcceleration();
    const double meanOfThree = (st[0] + st[1] + st[2]) / 3;
    EXPECT_NEAR(meanOfThree, a, 3 * stUncertainty / std::sqrt(3.0));
    EXPECT_NE(st[0], st[1]);
    EXPECT_NE(st[1], st[2]);
}