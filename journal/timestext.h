// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <span>

namespace kelmot {

// Times as the journal and scripts read them: the shortest text that reads
// back to the same double, a point as the decimal separator whatever the
// desktop's locale, `separator` between them.
QString timesText(std::span<const double> times, QChar separator = u' ');
// The other way; nothing unless there are exactly `out.size()` numbers.
bool readTimesText(const QString& text, std::span<double> out);
// One number in the same form.
QString scriptNumber(double value);

} // namespace kelmot
