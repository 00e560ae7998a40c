// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/lightbarrierdetector.h"
#include "evaluation/curvefit.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kelmot {

// A pendulum swinging through one light barrier at its lowest point: the bob
// darkens the beam twice each period.
struct PendulumSetup {
    static constexpr int MaxPeriods = 200;

    double lengthMm = 500;          // from the pivot to the bob's centre
    double lengthUncertaintyMm = 1; // of the length as measured with a rule
    double bobWidthMm = 20;         // the bob's width where it crosses the beam
    int periods = 10;               // to measure; 0: until "Abbrechen" or the swing stops

    double length() const { return lengthMm / 1000; }
    double bobWidth() const { return bobWidthMm / 1000; }
    // Passages that give `periods` periods: one more than two per period.
    int passages() const { return 2 * periods + 1; }
};

// Why a setup cannot be measured with (which value, and its range), or
// nothing when it can: a length from 50 mm to 10 m with an uncertainty from
// 0 to a tenth of it, a bob from 1 to 200 mm, 1 to 200 periods or 0.
std::optional<QString> pendulumSetupProblem(const PendulumSetup& setup);

// The last setup used, from the program's own settings; the defaults where
// there is none or it is not a pendulum's.
PendulumSetup rememberedPendulum();
// Remembers it; on failure, why.
std::optional<QString> rememberPendulum(const PendulumSetup& setup);

// A swing's run: one event per passage, and a beam that stays clear for
// twice the period the length gives (or two seconds at least) ends it with
// the passages seen so far, as a pendulum stopped by hand does.
RunLength pendulumRunLength(const PendulumSetup& setup, double g = 9.81);

// One passage of the bob through the beam. Its time is the middle of the
// dark interval: the bob passes the lowest point there whatever its speed,
// where the dark edge comes earlier the slower the bob, and so drifts as
// the swing dies away.
struct Passage {
    double darkTime = 0;   // s
    double brightTime = 0; // s
    double time = 0;       // s, the middle of the two
    double dark = 0;       // s, the dark interval
    double speed = 0;      // m/s at the lowest point: the bob's width over the dark interval
};
std::vector<Passage> passagesOf(const std::vector<double>& darkTimes,
                                const std::vector<double>& brightTimes, double bobWidth);

// The speed at the lowest point of a bob `width` wide that darkened the beam
// for `dark` on a swing of `period`: the swing is nearly sinusoidal near the
// bottom, x = A·sin ωt, so the bob's centre covers ±width/2 in `dark` when
// A = width / (2·sin(ω·dark/2)), and passes the bottom at Aω. Width over
// dark, the mean speed across the beam, is the limit for a wide swing; where
// the swing is only a little wider than the bob it is up to a tenth too low.
double lowestPointSpeed(double width, double dark, double period);

// The passages' times moved to the bottom of a swing that dies away with
// `decayTime`: on x = A·e^(−t/τ)·sin ωt both edges of a passage come late by
// (t₀/τ)·tan(ωt₀)/ω, t₀ half the dark interval, so the middle does too, the
// more the slower the bob. A few hundredths of a millisecond on a lively
// swing; near a millisecond on a narrow, strongly damped one.
std::vector<Passage> atTheBottom(std::vector<Passage> passages, double period, double decayTime);

// The period that ends at each second passage (passage 2, 4, …): the time
// from the passage two before.
std::vector<double> periodsOf(const std::vector<Passage>& passages);

// The period of a swing with amplitude θ₀ (rad) divided by the period of a
// small one: 1 + θ₀²/16, the first term of the series.
double amplitudeFactor(double amplitude);
// The amplitude (rad) at which the bob passes the lowest point with `speed`
// on a pendulum of `length`: v = 2√(gl)·sin(θ₀/2). NaN where the speed is
// more than a swing from the top could give.
double amplitudeFromSpeed(double speed, double length, double g);

struct PendulumResult {
    static constexpr int MinPeriods = 1;

    int periods = 0;
    // T, the mean of the periods (their passages moved to the bottom where
    // the decay is known), with the uncertainty of the mean.
    FitParameter period;
    double amplitude = 0;          // θ₀ (rad) over the periods measured, from the speeds
    FitParameter smallPeriod;      // T₀ = T / (1 + θ₀²/16)
    FitParameter g;                // 4π²l/T₀², from the uncertainties of T and l
    double gWithoutCorrection = 0; // 4π²l/T², what the amplitude correction changes
    // The speed's decay v₀·e^(−t/τ) (speeds at the lowest point, see
    // lowestPointSpeed), where at least three passages have a speed.
    std::optional<FitParameter> decayTime; // τ
    double startSpeed = 0;                 // v₀, at the first passage's time
    std::optional<double> quality;         // Q = πτ/T
};
std::optional<PendulumResult> fitPendulum(const std::vector<Passage>& passages,
                                          const PendulumSetup& setup);

// "T = (1,41852 ± 0,00011) s", "τ = (60,2 ± 1,3) s" in the locale's numbers.
QString periodText(const FitParameter& period, const QLocale& locale = QLocale());
QString decayTimeText(const FitParameter& tau, const QLocale& locale = QLocale());
// The result as the window and the command show it, a line each: T, g, g
// without the amplitude's correction with the amplitude, then τ and Q where
// the decay was fitted.
QStringList pendulumResultLines(const PendulumResult& result, const QLocale& locale = QLocale());

} // namespace kelmot
