// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/picketfence.h"

#include "store/programsettings.h"

#include <QCoreApplication>
#include <QSettings>
#include <cmath>

namespace kelmot {

std::optional<QString> fenceGeometryProblem(const FenceGeometry& fence) {
    if (fence.bands < FenceGeometry::MinBands || fence.bands > FenceGeometry::MaxBands)
        return QCoreApplication::translate("PicketFence",
                                           "Die Zahl der Latten muss zwischen %1 und %2 liegen.")
            .arg(FenceGeometry::MinBands)
            .arg(FenceGeometry::MaxBands);
    if (!std::isfinite(fence.pitchMm) || fence.pitchMm <= 0 ||
        fence.pitchMm > FenceGeometry::MaxPitchMm)
        return QCoreApplication::translate(
                   "PicketFence", "Der Lattenabstand muss über 0 und höchstens %1 mm sein.")
            .arg(FenceGeometry::MaxPitchMm);
    if (!std::isfinite(fence.bandWidthMm) || fence.bandWidthMm <= 0 ||
        fence.bandWidthMm >= fence.pitchMm)
        return QCoreApplication::translate(
            "PicketFence", "Die Lattenbreite muss über 0 und kleiner als der Lattenabstand sein.");
    return std::nullopt;
}

RunLength fenceRunLength(const FenceGeometry& fence) {
    RunLength length;
    length.events = fence.bands;
    length.quietSamples = LightBarrierDetector::SampleRate; // 1 s
    return length;
}

namespace {

const QString BandsKey = QStringLiteral("fence/bands");
const QString PitchKey = QStringLiteral("fence/pitch_mm");
const QString WidthKey = QStringLiteral("fence/band_width_mm");

} // namespace

FenceGeometry rememberedFence() {
    const QSettings settings(programSettingsFile(), QSettings::IniFormat);
    FenceGeometry fence;
    bool ok = false;
    const int bands = settings.value(BandsKey).toInt(&ok);
    if (ok) fence.bands = bands;
    // Written with QSettings' own number text: a point, whatever the desktop.
    const double pitch = settings.value(PitchKey).toDouble(&ok);
    if (ok) fence.pitchMm = pitch;
    const double width = settings.value(WidthKey).toDouble(&ok);
    if (ok) fence.bandWidthMm = width;
    return fenceGeometryProblem(fence) ? FenceGeometry{} : fence;
}

std::optional<QString> rememberFence(const FenceGeometry& fence) {
    return changeProgramSettings([&fence](QSettings& settings) {
        settings.setValue(BandsKey, fence.bands);
        settings.setValue(PitchKey, fence.pitchMm);
        settings.setValue(WidthKey, fence.bandWidthMm);
    });
}

} // namespace kelmot
