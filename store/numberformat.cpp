// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/numberformat.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

namespace kelmot {

QString formatFixed(double value, int decimals, const QLocale& locale) {
    const double scale = std::pow(10.0, decimals);
    if (std::abs(value) * scale < 0.5) value = 0.0; // no "-0,00" for a time of -0.0003 s
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'f', decimals);
}

QString formatGeneral(double value, const QLocale& locale) {
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0.0) return QStringLiteral("0");
    // 15 significant digits, correctly rounded: "d.dddddddddddddde±x". The
    // conversion ignores the C locale: on a German desktop printf would put a
    // comma where we expect the point, and the separator is ours to place.
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::abs(value),
                                       std::chars_format::scientific, 14);
    const std::string_view mantissaAndExponent(buffer, written.ptr - buffer);
    const std::size_t e = mantissaAndExponent.find('e');
    int exponent = 0;
    const char* exponentText = buffer + e + 1;
    if (*exponentText == '+') ++exponentText; // from_chars takes no plus sign
    std::from_chars(exponentText, written.ptr, exponent);
    std::string digits;
    for (const char c : mantissaAndExponent.substr(0, e))
        if (c != '.') digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    const QString separator = locale.decimalPoint();
    QString text = value < 0 ? QStringLiteral("-") : QString();
    const int n = int(digits.size());
    if (exponent >= -4 && exponent < 15) {
        if (exponent >= 0) {
            const int whole = exponent + 1;
            text += QString::fromLatin1(digits.substr(0, std::min(n, whole)));
            if (n < whole) text += QString(whole - n, u'0');
            if (n > whole) text += separator + QString::fromLatin1(digits.substr(whole));
        } else {
            text += u'0' + separator + QString(-exponent - 1, u'0') + QString::fromLatin1(digits);
        }
        return text;
    }
    text += QChar::fromLatin1(digits[0]);
    if (n > 1) text += separator + QString::fromLatin1(digits.substr(1));
    text += (exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) +
            QString::number(std::abs(exponent));
    return text;
}

std::string formatPoint(double value, int decimals) {
    char buffer[400]; // room for the largest double in fixed notation
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (written.ec != std::errc()) return "?";
    return std::string(buffer, written.ptr);
}

} // namespace kelmot
