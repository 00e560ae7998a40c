// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/seriesstatistics.h"

#include "evaluation/uncertainty.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace kelmot {

Spread spreadOf(const std::vector<double>& values) {
    Spread s;
    s.n = int(values.size());
    if (s.n == 0) return s;
    s.mean = std::accumulate(values.begin(), values.end(), 0.0) / s.n;
    if (s.n < 2) return s;
    double squares = 0;
    for (const double v : values)
        squares += (v - s.mean) * (v - s.mean);
    s.deviation = std::sqrt(squares / (s.n - 1));
    s.meanUncertainty = s.deviation / std::sqrt(double(s.n));
    return s;
}

double meanUncertainty(const Spread& spread, const std::vector<double>& ownUncertainties) {
    if (spread.n == 0) return 0;
    double squares = 0;
    for (const double u : ownUncertainties)
        squares += u * u;
    const double own = std::sqrt(squares) / spread.n;
    if (!std::isfinite(own)) return own; // an unknown uncertainty stays unknown
    return std::max(spread.meanUncertainty, own);
}

std::vector<RunFit> runFits(const MeasurementStore& store, int seriesListed) {
    std::vector<RunFit> fits;
    if (!store.DataPresent) return fits;
    for (int k = 0; k < std::min(seriesListed, SeriesSlots); ++k) {
        if (store.SeriesName[k].isEmpty()) continue;
        if (const auto f = fitStParabola(store, k))
            fits.push_back({store.SeriesName[k], store.SeriesColor[k], f->a, f->v0});
    }
    return fits;
}

TableTexts seriesOfRunsTable(const std::vector<RunFit>& fits, const QLocale& locale) {
    TableTexts table{{QCoreApplication::translate("SeriesOfRuns", "Messung"),
                      QCoreApplication::translate("SeriesOfRuns", "a in m/s²"),
                      QCoreApplication::translate("SeriesOfRuns", "v₀ in m/s")}};
    std::vector<double> a, v0, ua, uv0;
    for (const RunFit& f : fits) {
        table.push_back({f.name, formatWithUncertainty(f.a.value, f.a.uncertainty, locale),
                         formatWithUncertainty(f.v0.value, f.v0.uncertainty, locale)});
        a.push_back(f.a.value);
        v0.push_back(f.v0.value);
        ua.push_back(f.a.uncertainty);
        uv0.push_back(f.v0.uncertainty);
    }
    if (fits.size() < 2) return table;
    const Spread sa = spreadOf(a), sv = spreadOf(v0);
    table.push_back({QCoreApplication::translate("SeriesOfRuns", "Mittelwert (n = %1)").arg(sa.n),
                     formatWithUncertainty(sa.mean, meanUncertainty(sa, ua), locale),
                     formatWithUncertainty(sv.mean, meanUncertainty(sv, uv0), locale)});
    table.push_back({QCoreApplication::translate("SeriesOfRuns", "Standardabweichung s"),
                     formatUncertainty(sa.deviation, locale),
                     formatUncertainty(sv.deviation, locale)});
    table.push_back(
        {QCoreApplication::translate("SeriesOfRuns", "Unsicherheit des Mittelwerts s/√n"),
         formatUncertainty(sa.meanUncertainty, locale),
         formatUncertainty(sv.meanUncertainty, locale)});
    return table;
}

QString tabSeparatedText(const TableTexts& table) {
    QString text;
    for (const QStringList& row : table)
        text += row.join(u'\t') + QStringLiteral("\r\n");
    return text;
}

} // namespace kelmot
