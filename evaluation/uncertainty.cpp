// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/uncertainty.h"

#include "store/numberformat.h"

#include <algorithm>
#include <cmath>

namespace kelmot {

namespace {

// Decimals that leave two significant digits of `u` (> 0), after rounding:
// 0.0996 rounds to 0.10, not 0.100.
int decimalsForTwoDigits(double u) {
    int decimals = 1 - int(std::floor(std::log10(u)));
    if (std::round(u * std::pow(10.0, decimals)) >= 100) --decimals;
    return decimals;
}

QString superscript(int exponent) {
    static const char16_t digits[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    QString text = exponent < 0 ? QStringLiteral("⁻") : QString();
    for (const QChar c : QString::number(std::abs(exponent)))
        text += QChar(digits[c.unicode() - u'0']);
    return text;
}

} // namespace

QString formatWithUncertainty(double value, double uncertainty, const QLocale& locale) {
    if (!std::isfinite(value)) return QStringLiteral(" - ");
    const auto fourDigits = [&] {
        const double m = std::abs(value);
        const int decimals = m > 0 ? std::clamp(3 - int(std::floor(std::log10(m))), 0, 12) : 0;
        return formatFixed(value, decimals, locale);
    };
    // An uncertainty that could not be found is not "exact": it is unknown.
    if (!std::isfinite(uncertainty)) return u'(' + fourDigits() + QStringLiteral(" ± - )");
    // Exact data leave an uncertainty of rounding noise: that is none.
    if (!(uncertainty > 1e-9 * std::abs(value)))
        return u'(' + fourDigits() + QStringLiteral(" ± 0)");
    int decimals = decimalsForTwoDigits(uncertainty);
    int exponent = 0;
    if (decimals < 0 || decimals > 6) {
        const double largest = std::max(std::abs(value), uncertainty);
        exponent = 3 * int(std::floor(std::floor(std::log10(largest)) / 3));
        // Where that power leaves the uncertainty three digits or more
        // ("(250 ± 123)"), the power follows the uncertainty: "(2,5 ± 1,2)·10²".
        if (decimalsForTwoDigits(uncertainty * std::pow(10.0, -exponent)) < 0)
            exponent = int(std::floor(std::log10(uncertainty)));
        const double scale = std::pow(10.0, -exponent);
        value *= scale;
        uncertainty *= scale;
        decimals = std::max(0, decimalsForTwoDigits(uncertainty));
    }
    QString text = u'(' + formatFixed(value, decimals, locale) + QStringLiteral(" ± ") +
                   formatFixed(uncertainty, decimals, locale) + u')';
    if (exponent != 0) text += QStringLiteral("·10") + superscript(exponent);
    return text;
}

QString formatUncertainty(double uncertainty, const QLocale& locale) {
    if (!std::isfinite(uncertainty)) return QStringLiteral(" - ");
    if (!(uncertainty > 0)) return formatFixed(0, 0, locale);
    return formatFixed(uncertainty, std::max(0, decimalsForTwoDigits(uncertainty)), locale);
}

} // namespace kelmot
