// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/falldrop.h"

#include "evaluation/seriesstatistics.h"
#include "evaluation/uncertainty.h"

#include <QCoreApplication>
#include <algorithm>

namespace kelmot {

std::vector<FallPoint> fallPoints(const FallDrop& drop, const FenceGeometry& fence) {
    std::vector<FallPoint> points;
    for (int k = 0; k < drop.bands(); ++k) {
        FallPoint p;
        p.position = k * fence.pitch();
        p.darkTime = drop.darkTimes[std::size_t(k)];
        p.brightTime = drop.brightTimes[std::size_t(k)];
        p.speedTime = (p.darkTime + p.brightTime) / 2;
        const double dark = p.brightTime - p.darkTime;
        p.speed = dark > 0 ? fence.bandWidth() / dark : 0;
        points.push_back(p);
    }
    return points;
}

std::optional<FallResult> fitFall(const FallDrop& drop, const FenceGeometry& fence) {
    return fitFallPoints(fallPoints(drop, fence));
}

std::optional<FallResult> fitFallPoints(const std::vector<FallPoint>& points) {
    if (int(points.size()) < FallResult::MinBands) return std::nullopt;
    std::vector<double> t, s, vt, v;
    for (const FallPoint& p : points) {
        t.push_back(p.darkTime);
        s.push_back(p.position);
        if (p.speed > 0) {
            vt.push_back(p.speedTime);
            v.push_back(p.speed);
        }
    }
    const auto parabola = fitParabola(t.data(), s.data(), int(t.size()));
    if (!parabola) return std::nullopt;
    FallResult result;
    result.parabola = *parabola;
    result.line = fitLine(vt.data(), v.data(), int(vt.size()));
    return result;
}

std::optional<FallSeries> fallSeries(const std::vector<FitParameter>& gOfEachDrop) {
    std::vector<double> g, own;
    for (const FitParameter& each : gOfEachDrop) {
        g.push_back(each.value);
        own.push_back(each.uncertainty);
    }
    if (g.size() < 2) return std::nullopt;
    const Spread spread = spreadOf(g);
    FallSeries series;
    series.drops = spread.n;
    series.meanG = {spread.mean, meanUncertainty(spread, own)};
    series.deviation = spread.deviation;
    return series;
}

QString gText(const FitParameter& g, const QLocale& locale) {
    return QCoreApplication::translate("FallDrop", "g = %1 m/s²")
        .arg(formatWithUncertainty(g.value, g.uncertainty, locale));
}

} // namespace kelmot
