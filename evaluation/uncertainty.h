// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

namespace kelmot {

// A measured value with its standard uncertainty as physicists write it:
// the uncertainty rounded to two significant digits and the value to the
// same decimal place, in brackets, with the locale's decimal separator:
// "(0,1302 ± 0,0011)". Where that would need more than six decimals or none
// at all, both share a power of ten, a multiple of three where that keeps
// the uncertainty to two digits ("(1,235 ± 0,023)·10⁶"), else the
// uncertainty's own ("(2,5 ± 1,2)·10²"). An uncertainty of zero or below a
// billionth of the value (exact data, rounding noise): the value to four
// significant digits, "(0,1300 ± 0)"; one that is no number (it could not be
// found): "(0,1300 ± - )". A value that is no number: " - ".
QString formatWithUncertainty(double value, double uncertainty, const QLocale& locale = QLocale());

// An uncertainty or spread alone, to two significant digits: "0,0011".
QString formatUncertainty(double uncertainty, const QLocale& locale = QLocale());

} // namespace kelmot
