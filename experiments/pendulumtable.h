// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "evaluation/tabletext.h"
#include "experiments/pendulum.h"

#include <QByteArray>
#include <QLocale>
#include <vector>

namespace kelmot {

// The table of a swing as the window will show it and hand it on: a header
// row, then one row per passage (its number, its time at the middle of the
// dark interval and the dark interval in s to ten microseconds, the speed
// in m/s, and every second passage the period that ends there), in the
// locale's number format.
TableTexts pendulumTable(const std::vector<Passage>& passages, const QLocale& locale = QLocale());

// The spreadsheet of a swing's table: its times and periods are numbers.
QByteArray pendulumWorkbook(const TableTexts& table, const QLocale& locale = QLocale());

} // namespace kelmot
