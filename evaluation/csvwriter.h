// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "evaluation/tabletext.h"

#include <QByteArray>
#include <QLocale>

namespace kelmot {

// A table as a CSV file a spreadsheet opens right on the pupil's desktop:
// UTF-8 with a byte-order mark (else spreadsheets guess a legacy code page
// and "m/s²" turns into noise), one line per row ended by CR LF, and the
// field separator of the numbers' locale: ";" where the decimal separator
// is a comma (German), "," otherwise. A field holding the separator, a
// quote or a line break is quoted, its quotes doubled.
QByteArray csvFile(const TableTexts& table, const QLocale& locale);

} // namespace kelmot
