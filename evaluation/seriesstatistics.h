// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "evaluation/curvefit.h"
#include "evaluation/tabletext.h"
#include "store/measurementstore.h"

#include <QLocale>
#include <QString>
#include <vector>

namespace kelmot {

// A series of runs ("Messreihe"): pupils repeat a run to see how much the
// result scatters. For each stored series its acceleration a and its speed
// v₀ at barrier 0 from the s-t fit, and over the series the mean of each,
// the (sample) standard deviation s and the standard uncertainty of the
// mean, s / √n; the mean is written with the larger of that and what the
// runs' own uncertainties allow (meanUncertainty).
struct RunFit {
    QString name;
    Rgb colour;
    FitParameter a;
    FitParameter v0;
};

struct Spread {
    int n = 0;
    double mean = 0;
    double deviation = 0;       // s, with n − 1
    double meanUncertainty = 0; // s / √n
};

Spread spreadOf(const std::vector<double>& values);
// The uncertainty of the mean of runs that each carry their own uncertainty
// u_i: the larger of the scatter's s/√n and what the runs' own allow,
// √(Σ u_i²) / n. Identical runs do not make an exact mean.
double meanUncertainty(const Spread& spread, const std::vector<double>& ownUncertainties);

// The listed series (newest first) that a fit can be made of.
std::vector<RunFit> runFits(const MeasurementStore& store, int seriesListed);

// Whether there is a series of runs to evaluate: two or three fits.
inline bool isSeriesOfRuns(const std::vector<RunFit>& fits) {
    return fits.size() >= 2;
}

// The window's table, also for the clipboard and the printout: the header
// row, one row per run, then the mean (with the standard uncertainty of the
// mean), the standard deviation and the standard uncertainty of the mean,
// each rounded as physicists write them.
TableTexts seriesOfRunsTable(const std::vector<RunFit>& fits, const QLocale& locale = QLocale());

// The table as tab-separated lines ended by CR LF, as spreadsheets paste it.
QString tabSeparatedText(const TableTexts& table);

} // namespace kelmot
