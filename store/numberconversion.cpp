#include "store/numberconversion.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace kelmot {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

std::optional<double> parseFloat(const QString& text, QChar decimalSeparator) {
    const QString t = text.trimmed();
    // Rebuilt in the C notation strtod expects, after checking the shape
    // ourselves: strtod alone would also take "inf", "0x1p3" or a prefix.
    std::string plain;
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == u'+' || t[i] == u'-')) plain += char(t[i++].unicode());
    int mantissaDigits = 0;
    while (i < n && isDigit(t[i])) {
        plain += char(t[i++].unicode());
        ++mantissaDigits;
    }
    if (i < n && t[i] == decimalSeparator) {
        plain += '.';
        ++i;
        while (i < n && isDigit(t[i])) {
            plain += char(t[i++].unicode());
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        plain += 'e';
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-')) plain += char(t[i++].unicode());
        int exponentDigits = 0;
        while (i < n && isDigit(t[i])) {
            plain += char(t[i++].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != n) return std::nullopt;
    const double value = std::strtod(plain.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt; // out of range
    return value;
}

std::optional<int> parseInteger(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    qsizetype i = (t[0] == u'+' || t[0] == u'-') ? 1 : 0;
    if (i == t.size()) return std::nullopt;
    for (qsizetype j = i; j < t.size(); ++j)
        if (!isDigit(t[j])) return std::nullopt;
    bool ok = false;
    const int value = t.toInt(&ok);
    if (!ok) return std::nullopt;
    return value;
}

QString notAFloatMessage(const QString& text) {
    return QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text);
}

QString notAnIntegerMessage(const QString& text) {
    return QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text);
}

} // namespace kelmot
