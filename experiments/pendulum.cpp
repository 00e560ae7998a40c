// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/pendulum.h"

#include "evaluation/uncertainty.h"
#include "experiments/falldrop.h"
#include "store/numberformat.h"
#include "store/programsettings.h"

#include <QCoreApplication>
#include <QSettings>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <type_traits>

namespace kelmot {

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

const QString LengthKey = QStringLiteral("pendulum/length_mm");
const QString LengthUncertaintyKey = QStringLiteral("pendulum/length_uncertainty_mm");
const QString BobWidthKey = QStringLiteral("pendulum/bob_width_mm");
const QString PeriodsKey = QStringLiteral("pendulum/periods");

} // namespace

std::optional<QString> pendulumSetupProblem(const PendulumSetup& s) {
    if (!(s.lengthMm >= 50 && s.lengthMm <= 10000))
        return QCoreApplication::translate("Pendulum",
                                           "Die Pendellänge muss zwischen 50 mm und 10 m liegen.");
    if (!(s.lengthUncertaintyMm >= 0 && s.lengthUncertaintyMm <= s.lengthMm / 10))
        return QCoreApplication::translate(
            "Pendulum",
            "Die Unsicherheit der Länge muss zwischen 0 und einem Zehntel der Länge liegen.");
    if (!(s.bobWidthMm >= 1 && s.bobWidthMm <= 200))
        return QCoreApplication::translate(
            "Pendulum", "Die Breite des Pendelkörpers muss zwischen 1 mm und 200 mm liegen.");
    if (s.periods < 0 || s.periods > PendulumSetup::MaxPeriods)
        return QCoreApplication::translate(
            "Pendulum", "Es lassen sich 1 bis 200 Perioden messen, oder bis Abbrechen.");
    return std::nullopt;
}

PendulumSetup rememberedPendulum() {
    const QSettings settings(programSettingsFile(), QSettings::IniFormat);
    PendulumSetup setup;
    // Written with QSettings' own number text: a point, whatever the desktop.
    const auto read = [&settings](const QString& key, auto& value) {
        bool ok = false;
        const QVariant stored = settings.value(key);
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, int>) {
            const int v = stored.toInt(&ok);
            if (ok) value = v;
        } else {
            const double v = stored.toDouble(&ok);
            if (ok) value = v;
        }
    };
    read(LengthKey, setup.lengthMm);
    read(LengthUncertaintyKey, setup.lengthUncertaintyMm);
    read(BobWidthKey, setup.bobWidthMm);
    read(PeriodsKey, setup.periods);
    return pendulumSetupProblem(setup) ? PendulumSetup{} : setup;
}

std::optional<QString> rememberPendulum(const PendulumSetup& setup) {
    return changeProgramSettings([&setup](QSettings& settings) {
        settings.setValue(LengthKey, setup.lengthMm);
        settings.setValue(LengthUncertaintyKey, setup.lengthUncertaintyMm);
        settings.setValue(BobWidthKey, setup.bobWidthMm);
        settings.setValue(PeriodsKey, setup.periods);
    });
}

RunLength pendulumRunLength(const PendulumSetup& setup, double g) {
    RunLength length;
    // "Bis Abbrechen": more passages than any lesson sees.
    length.events = setup.periods > 0 ? setup.passages() : 1000000;
    const double period = TwoPi * std::sqrt(std::max(setup.length(), 0.0) / g);
    length.quietSamples = std::int64_t(
        std::ceil(std::max(2.0, 2 * period) * double(LightBarrierDetector::SampleRate)));
    return length;
}

std::vector<Passage> passagesOf(const std::vector<double>& darkTimes,
                                const std::vector<double>& brightTimes, double bobWidth) {
    std::vector<Passage> passages;
    const std::size_t n = std::min(darkTimes.size(), brightTimes.size());
    for (std::size_t i = 0; i < n; ++i) {
        Passage p;
        p.darkTime = darkTimes[i];
        p.brightTime = brightTimes[i];
        p.time = (p.darkTime + p.brightTime) / 2;
        p.dark = p.brightTime - p.darkTime;
        p.speed = p.dark > 0 ? bobWidth / p.dark : 0;
        passages.push_back(p);
    }
    return passages;
}

double lowestPointSpeed(double width, double dark, double period) {
    if (!(dark > 0) || !(period > 0)) return 0;
    const double omega = TwoPi / period;
    const double half = omega * dark / 2;
    // Beyond a quarter period the bob never left the beam's neighbourhood.
    if (half >= std::numbers::pi / 2) return width * omega / 2;
    return width * omega / (2 * std::sin(half));
}

std::vector<Passage> atTheBottom(std::vector<Passage> passages, double period, double decayTime) {
    if (!(period > 0) || !(decayTime > 0)) return passages;
    const double omega = TwoPi / period;
    for (Passage& p : passages) {
        const double half = p.dark / 2;
        if (!(half > 0) || omega * half >= std::numbers::pi / 2) continue;
        p.time -= half / decayTime * std::tan(omega * half) / omega;
    }
    return passages;
}

std::vector<double> periodsOf(const std::vector<Passage>& passages) {
    std::vector<double> periods;
    for (std::size_t i = 2; i < passages.size(); i += 2)
        periods.push_back(passages[i].time - passages[i - 2].time);
    return periods;
}

double amplitudeFactor(double amplitude) {
    return 1 + amplitude * amplitude / 16;
}

double amplitudeFromSpeed(double speed, double length, double g) {
    const double s = speed / (2 * std::sqrt(g * length));
    if (!(s >= 0 && s <= 1)) return std::nan("");
    return 2 * std::asin(s);
}

namespace {

// The mean of the periods with the uncertainty of the mean, never finer
// than the samples allow: the span of all periods is known to a sample at
// each end.
FitParameter meanPeriod(const std::vector<double>& periods) {
    const int n = int(periods.size());
    double sum = 0;
    for (double t : periods)
        sum += t;
    const double mean = sum / n;
    double squares = 0;
    for (double t : periods)
        squares += (t - mean) * (t - mean);
    const double sampling = 1.0 / (double(LightBarrierDetector::SampleRate) * n * std::sqrt(3.0));
    const double spread = n > 1 ? std::sqrt(squares / (n - 1) / n) : 0;
    return {mean, std::max(spread, sampling)};
}

// The decay: ln v falls on a line with slope −1/τ. Sets the start speed and,
// when the speed falls, the decay time.
void fitDecay(const std::vector<Passage>& passages, const PendulumSetup& setup, double roughPeriod,
              PendulumResult& r) {
    std::vector<double> t, lnV;
    for (const Passage& p : passages)
        if (const double speed = lowestPointSpeed(setup.bobWidth(), p.dark, roughPeriod);
            speed > 0) {
            t.push_back(p.time);
            lnV.push_back(std::log(speed));
        }
    if (t.size() < 3) return;
    if (const auto line = fitLine(t.data(), lnV.data(), int(t.size()))) {
        r.startSpeed = std::exp(line->intercept.value);
        const double slope = line->slope.value;
        if (slope < 0)
            r.decayTime = FitParameter{-1 / slope, line->slope.uncertainty / (slope * slope)};
    }
}

} // namespace

std::optional<PendulumResult> fitPendulum(const std::vector<Passage>& passages,
                                          const PendulumSetup& setup) {
    const std::vector<double> rawPeriods = periodsOf(passages);
    const int n = int(rawPeriods.size());
    if (n < PendulumResult::MinPeriods) return std::nullopt;
    PendulumResult r;
    r.periods = n;
    const double roughPeriod = meanPeriod(rawPeriods).value;
    fitDecay(passages, setup, roughPeriod, r);

    const std::vector<Passage> bottom =
        r.decayTime ? atTheBottom(passages, roughPeriod, r.decayTime->value) : passages;
    r.period = meanPeriod(periodsOf(bottom));
    const double mean = r.period.value;
    if (r.decayTime) r.quality = std::numbers::pi * r.decayTime->value / mean;

    // The passages that lie in the periods measured.
    const std::size_t used = std::min(passages.size(), std::size_t(2 * n + 1));
    const double l = setup.length();
    // The amplitude needs g and g needs the amplitude's correction: a few
    // rounds settle both (the correction is a fraction of a percent).
    double g = 4 * std::numbers::pi * std::numbers::pi * l / (mean * mean);
    r.gWithoutCorrection = g;
    for (int round = 0; round < 4; ++round) {
        // A period at amplitude θ lasts T₀(1 + θ²/16): the mean period over a
        // dying swing is T₀ times one plus the mean of θ²/16.
        double thetaSquares = 0;
        int withSpeed = 0;
        for (std::size_t i = 0; i < used; ++i) {
            const double speed = lowestPointSpeed(setup.bobWidth(), passages[i].dark, mean);
            const double theta = amplitudeFromSpeed(speed, l, g);
            if (!std::isfinite(theta)) continue;
            thetaSquares += theta * theta;
            ++withSpeed;
        }
        r.amplitude = withSpeed > 0 ? std::sqrt(thetaSquares / withSpeed) : 0;
        const double factor = amplitudeFactor(r.amplitude);
        r.smallPeriod = {mean / factor, r.period.uncertainty / factor};
        g = 4 * std::numbers::pi * std::numbers::pi * l /
            (r.smallPeriod.value * r.smallPeriod.value);
    }
    const double relative = std::hypot(setup.lengthUncertaintyMm / setup.lengthMm,
                                       2 * r.smallPeriod.uncertainty / r.smallPeriod.value);
    r.g = {g, g * relative};
    return r;
}

QString periodText(const FitParameter& period, const QLocale& locale) {
    return QCoreApplication::translate("Pendulum", "T = %1 s")
        .arg(formatWithUncertainty(period.value, period.uncertainty, locale));
}

QString decayTimeText(const FitParameter& tau, const QLocale& locale) {
    return QCoreApplication::translate("Pendulum", "τ = %1 s")
        .arg(formatWithUncertainty(tau.value, tau.uncertainty, locale));
}

QStringList pendulumResultLines(const PendulumResult& result, const QLocale& locale) {
    QStringList lines;
    lines << periodText(result.period, locale);
    lines << gText(result.g, locale);
    //: %1 g without the amplitude's correction, %2 the amplitude in degrees
    lines << QCoreApplication::translate("Pendulum",
                                         "Ohne Korrektur der Amplitude (%2°): g = %1 m/s²")
                 .arg(formatFixed(result.gWithoutCorrection, 4, locale),
                      formatFixed(result.amplitude * 180 / std::numbers::pi, 1, locale));
    if (result.decayTime) {
        lines << decayTimeText(*result.decayTime, locale);
        //: the quality factor of the swing
        lines << QCoreApplication::translate("Pendulum", "Q = %1")
                     .arg(formatFixed(result.quality.value_or(0), 0, locale));
    }
    return lines;
}

} // namespace kelmot
