// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "evaluation/tabletext.h"
#include "experiments/falldrop.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace kelmot {

// The table of a drop as the window shows it and as it is handed on: a
// header row, then one row per band seen (band, position in m, dark and
// bright time in s to a tenth of a millisecond, speed in m/s; empty where
// the band has none), in the locale's number format.
TableTexts fallTable(const std::vector<FallPoint>& points, const QLocale& locale = QLocale());

// The spreadsheet of a drop's table.
QByteArray fallWorkbook(const TableTexts& table, const QLocale& locale = QLocale());

} // namespace kelmot
