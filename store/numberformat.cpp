#include "store/numberformat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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
    // 15 significant digits, correctly rounded: "d.dddddddddddddde±x".
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::abs(value));
    const char* e = std::strchr(buffer, 'e');
    const int exponent = std::atoi(e + 1);
    std::string digits;
    for (const char* p = buffer; p != e; ++p)
        if (*p != '.') digits += *p;
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

} // namespace kelmot
