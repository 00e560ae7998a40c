// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/numberconversion.h"

#include <QCoreApplication>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace kelmot {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// For a number that from_chars finds out of range: is it too small rather
// than too large? Its decimal magnitude decides, from the position of the
// first significant digit and the exponent (plain is "-ddd.ddde-ddd").
bool tooSmallForDouble(const std::string& plain) {
    const std::size_t e = plain.find('e');
    const std::string mantissa = plain.substr(0, e);
    long long exponent = 0;
    if (e != std::string::npos) {
        const char* first = plain.data() + e + 1;
        const char* last = plain.data() + plain.size();
        const bool negative = *first == '-';
        if (*first == '+' || *first == '-') ++first;
        if (std::from_chars(first, last, exponent).ec != std::errc())
            return negative; // an exponent beyond any range: its sign decides
        if (negative) exponent = -exponent;
    }
    const std::size_t point = mantissa.find('.');
    const std::size_t digitsEnd = point == std::string::npos ? mantissa.size() : point;
    const std::size_t firstSignificant = mantissa.find_first_of("123456789");
    if (firstSignificant == std::string::npos) return true;
    const long long magnitude = firstSignificant < digitsEnd
                                    ? (long long)(digitsEnd - firstSignificant) - 1
                                    : -(long long)(firstSignificant - digitsEnd);
    return magnitude + exponent < 0;
}

std::optional<double> parseFloatWith(const QString& text, QChar separator, QChar otherSeparator) {
    const QString t = text.trimmed();
    // Rebuilt in the C notation from_chars expects, after checking the shape
    // ourselves: from_chars alone would also take "inf" or a prefix. Never
    // strtod: a Qt program runs under the desktop's C locale, where strtod
    // stops at the point of "2.5" on a German machine.
    std::string plain;
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && t[i] == u'-') plain += '-';
    if (i < n && (t[i] == u'+' || t[i] == u'-')) ++i;
    int mantissaDigits = 0;
    while (i < n && isDigit(t[i])) {
        plain += char(t[i++].unicode());
        ++mantissaDigits;
    }
    if (i < n && (t[i] == separator || (!otherSeparator.isNull() && t[i] == otherSeparator))) {
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
    double value = 0.0;
    const char* first = plain.data();
    const char* last = first + plain.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        // Too large is no number; too small is zero, as the runtime reads it.
        if (!tooSmallForDouble(plain)) return std::nullopt;
        return plain.front() == '-' ? -0.0 : 0.0;
    }
    if (error != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

} // namespace

std::optional<double> parseFloat(const QString& text, QChar decimalSeparator) {
    return parseFloatWith(text, decimalSeparator, QChar());
}

std::optional<double> parseFloatEitherSeparator(const QString& text) {
    return parseFloatWith(text, u',', u'.');
}

std::optional<std::int32_t> parseStrictInt(const QString& text, QString* error) {
    const auto fail = [&]() -> std::optional<std::int32_t> {
        if (error) *error = notAnIntegerMessage(text);
        return std::nullopt;
    };
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    if (pos == text.size()) return fail();
    long long value = 0;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (!isDigit(c)) return fail();
        value = value * 10 + (c.unicode() - u'0');
        if (value > static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1)
            return fail();
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return fail();
    return static_cast<std::int32_t>(value);
}

std::optional<int> parseInteger(const QString& text) {
    return parseStrictInt(text.trimmed());
}

QString notAFloatMessage(const QString& text) {
    return QCoreApplication::translate("FileErrors", "'%1' ist kein gültiger Gleitkommawert")
        .arg(text);
}

QString notAnIntegerMessage(const QString& text) {
    return QCoreApplication::translate("FileErrors", "'%1' ist kein gültiger Integerwert")
        .arg(text);
}

} // namespace kelmot
