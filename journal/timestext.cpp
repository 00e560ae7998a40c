// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/timestext.h"

#include <charconv>

namespace kelmot {

QString scriptNumber(double value) {
    // Plain decimals ("-0.0003") as scripts and people read times; only a
    // number too small or large for that comes in the shortest exponent form.
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc{}) result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QString timesText(std::span<const double> times, QChar separator) {
    QString text;
    for (std::size_t i = 0; i < times.size(); ++i) {
        if (i > 0) text += separator;
        text += scriptNumber(times[i]);
    }
    return text;
}

bool readTimesText(const QString& text, std::span<double> out) {
    const QByteArray bytes = text.toLatin1();
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    for (double& value : out) {
        while (p < end && *p == ' ')
            ++p;
        const auto result = std::from_chars(p, end, value);
        if (result.ec != std::errc{}) return false;
        p = result.ptr;
    }
    while (p < end && *p == ' ')
        ++p;
    return p == end;
}

} // namespace kelmot
