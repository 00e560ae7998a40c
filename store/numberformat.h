// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <string>

namespace kelmot {

// "0.000", "0.00", "0.0": rounded to that many decimals, in the notation of
// the given locale (decimal comma under de_DE). A value that rounds to zero
// is shown without a sign.
QString formatFixed(double value, int decimals, const QLocale& locale = QLocale());

// The display format of a series' times: 1 = "1 ms" gives three decimals.
inline int decimalsForResolution(int resolution) {
    return resolution == 1 ? 3 : 2;
}

// The general format of data files, axis labels and positions: at most 15
// significant digits, no trailing zeros or separator; fixed notation from
// 0.0001 up to 15 digits before the separator ("0", "0,1", "-0,0003"),
// otherwise mantissa, "E" and signed exponent ("9,999E-5", "1E+15").
QString formatGeneral(double value, const QLocale& locale = QLocale());

// Fixed notation with a decimal point whatever the locale, for the figures
// benchmarks and tools print for developers and scripts.
std::string formatPoint(double value, int decimals);

} // namespace kelmot
