// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace kelmot {

// Strict text-to-number conversions, as the data file and the flag-width
// field use them: the whole text must be the number (blanks around it are
// allowed), otherwise there is no value and the caller reports the message.

// [sign] digits [separator digits] [E [sign] digits]; digits may stand on
// either side of the separator alone ("5," and ",5" are numbers).
std::optional<double> parseFloat(const QString& text, QChar decimalSeparator);
// The same, with either "," or "." as the separator: data files are split by
// ";", so a file written under any locale reads back under any other.
std::optional<double> parseFloatEitherSeparator(const QString& text);
// [sign] digits, within the 32-bit range.
std::optional<int> parseInteger(const QString& text);
// The same without the blanks around it: the settings file's lines are the
// number alone. Gives notAnIntegerMessage in `error` for anything else.
std::optional<std::int32_t> parseStrictInt(const QString& text, QString* error = nullptr);

QString notAFloatMessage(const QString& text);    // "'…' ist kein gültiger Gleitkommawert"
QString notAnIntegerMessage(const QString& text); // "'…' ist kein gültiger Integerwert"

} // namespace kelmot
