// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/pulley.h"

#include "evaluation/uncertainty.h"
#include "store/numberformat.h"
#include "store/programsettings.h"

#include <QCoreApplication>
#include <QSettings>
#include <cmath>
#include <numbers>

namespace kelmot {

namespace {

const QString SpokesKey = QStringLiteral("pulley/spokes");
const QString RadiusKey = QStringLiteral("pulley/radius_mm");
const QString RadiusUncertaintyKey = QStringLiteral("pulley/radius_uncertainty_mm");
const QString TurnsKey = QStringLiteral("pulley/turns");
const QString Mass1Key = QStringLiteral("pulley/mass1_g");
const QString Mass2Key = QStringLiteral("pulley/mass2_g");

} // namespace

double PulleySetup::spokeArc() const {
    return 2 * std::numbers::pi * radius() / spokes;
}

std::optional<QString> pulleySetupProblem(const PulleySetup& s) {
    if (s.spokes < PulleySetup::MinSpokes || s.spokes > PulleySetup::MaxSpokes)
        return QCoreApplication::translate("Pulley",
                                           "Die Zahl der Speichen muss zwischen %1 und %2 liegen.")
            .arg(PulleySetup::MinSpokes)
            .arg(PulleySetup::MaxSpokes);
    if (!(s.radiusMm >= 1 && s.radiusMm <= 500))
        return QCoreApplication::translate(
            "Pulley", "Der Radius der Rille muss zwischen 1 mm und 500 mm liegen.");
    if (!(s.radiusUncertaintyMm >= 0 && s.radiusUncertaintyMm <= s.radiusMm / 10))
        return QCoreApplication::translate(
            "Pulley",
            "Die Unsicherheit des Radius muss zwischen 0 und einem Zehntel des Radius liegen.");
    if (s.turns < 1 || s.turns > PulleySetup::MaxTurns)
        return QCoreApplication::translate("Pulley", "Es lassen sich 1 bis %1 Umdrehungen messen.")
            .arg(PulleySetup::MaxTurns);
    if (!(s.mass1G >= 0 && s.mass2G >= 0 && s.mass1G <= 100000 && s.mass2G <= 100000))
        return QCoreApplication::translate("Pulley",
                                           "Die Massen müssen zwischen 0 und 100 kg liegen.");
    if (s.massesGiven() && (s.mass1G <= 0 || s.mass2G <= 0 || s.mass1G == s.mass2G))
        return QCoreApplication::translate(
            "Pulley", "Für die Vorhersage braucht es zwei verschiedene Massen, sonst beide 0.");
    return std::nullopt;
}

PulleySetup rememberedPulley() {
    const QSettings settings(programSettingsFile(), QSettings::IniFormat);
    PulleySetup setup;
    // Written with QSettings' own number text: a point, whatever the desktop.
    const auto readInt = [&settings](const QString& key, int& value) {
        bool ok = false;
        const int v = settings.value(key).toInt(&ok);
        if (ok) value = v;
    };
    const auto readDouble = [&settings](const QString& key, double& value) {
        bool ok = false;
        const double v = settings.value(key).toDouble(&ok);
        if (ok) value = v;
    };
    readInt(SpokesKey, setup.spokes);
    readDouble(RadiusKey, setup.radiusMm);
    readDouble(RadiusUncertaintyKey, setup.radiusUncertaintyMm);
    readInt(TurnsKey, setup.turns);
    readDouble(Mass1Key, setup.mass1G);
    readDouble(Mass2Key, setup.mass2G);
    return pulleySetupProblem(setup) ? PulleySetup{} : setup;
}

std::optional<QString> rememberPulley(const PulleySetup& setup) {
    return changeProgramSettings([&setup](QSettings& settings) {
        settings.setValue(SpokesKey, setup.spokes);
        settings.setValue(RadiusKey, setup.radiusMm);
        settings.setValue(RadiusUncertaintyKey, setup.radiusUncertaintyMm);
        settings.setValue(TurnsKey, setup.turns);
        settings.setValue(Mass1Key, setup.mass1G);
        settings.setValue(Mass2Key, setup.mass2G);
    });
}

RunLength pulleyRunLength(const PulleySetup& setup) {
    RunLength length;
    length.events = setup.events();
    length.quietSamples = LightBarrierDetector::SampleRate; // 1 s
    return length;
}

std::vector<FallPoint> pulleyPoints(const std::vector<double>& darkTimes,
                                    const std::vector<double>& brightTimes,
                                    const PulleySetup& setup) {
    const std::size_t spokes = std::min(darkTimes.size(), brightTimes.size());
    const double arc = setup.spokeArc();
    std::vector<FallPoint> points;
    for (std::size_t k = 0; k < spokes; ++k) {
        FallPoint p;
        p.position = double(k) * arc;
        p.darkTime = darkTimes[k];
        p.brightTime = brightTimes[k];
        if (k > 0 && darkTimes[k] > darkTimes[k - 1]) {
            p.speedTime = (darkTimes[k] + darkTimes[k - 1]) / 2;
            p.speed = arc / (darkTimes[k] - darkTimes[k - 1]);
        }
        points.push_back(p);
    }
    return points;
}

std::optional<PulleyResult> fitPulley(const std::vector<FallPoint>& points,
                                      const PulleySetup& setup) {
    if (int(points.size()) < PulleyResult::MinSpokes) return std::nullopt;
    const auto fit = fitFallPoints(points);
    if (!fit) return std::nullopt;
    PulleyResult result;
    result.fit = *fit;
    // Every arc scales with the radius, and so does a, from the parabola and
    // from the line alike: the radius's uncertainty adds to the fits'.
    const double relative = setup.radiusUncertaintyMm / setup.radiusMm;
    const auto withRadius = [relative](FitParameter& p) {
        p.uncertainty = std::hypot(p.uncertainty, std::abs(p.value) * relative);
    };
    withRadius(result.fit.parabola.a);
    if (result.fit.line) withRadius(result.fit.line->slope);
    result.a = result.fit.parabola.a;
    result.alpha = {result.a.value / setup.radius(), result.a.uncertainty / setup.radius()};
    if (setup.massesGiven())
        result.predicted = PulleyResult::StandardG * std::abs(setup.mass1G - setup.mass2G) /
                           (setup.mass1G + setup.mass2G);
    return result;
}

double PulleyResult::differencePercent() const {
    return predicted && *predicted != 0 ? (a.value - *predicted) / *predicted * 100 : 0;
}

QString accelerationText(const FitParameter& a, const QLocale& locale) {
    return QCoreApplication::translate("Pulley", "a = %1 m/s²")
        .arg(formatWithUncertainty(a.value, a.uncertainty, locale));
}

QStringList pulleyResultLines(const PulleyResult& result, const QLocale& locale) {
    QStringList lines;
    //: %1 the string's acceleration with its uncertainty, %2 R²
    lines << QCoreApplication::translate("Pulley", "Aus s-t (Parabel): %1, R² = %2")
                 .arg(accelerationText(result.a, locale),
                      formatFixed(result.fit.parabola.rSquared, 5, locale));
    if (result.fit.line)
        lines << QCoreApplication::translate("Pulley", "Aus v-t (Gerade): %1, R² = %2")
                     .arg(accelerationText(result.fit.line->slope, locale),
                          formatFixed(result.fit.line->rSquared, 5, locale));
    //: %1 the wheel's angular acceleration with its uncertainty
    lines << QCoreApplication::translate("Pulley", "Winkelbeschleunigung: α = %1 rad/s²")
                 .arg(formatWithUncertainty(result.alpha.value, result.alpha.uncertainty, locale));
    if (result.predicted)
        //: %1 the acceleration a frictionless, massless pulley would give, %2 the measured one's
        //: difference to it in percent
        lines << QCoreApplication::translate(
                     "Pulley",
                     "Ohne Reibung und Masse des Rads: a = g (m₁ − m₂)/(m₁ + m₂) = %1 m/s², "
                     "gemessen %2 % davon entfernt")
                     .arg(formatFixed(*result.predicted, 4, locale),
                          formatFixed(result.differencePercent(), 2, locale));
    return lines;
}

} // namespace kelmot
