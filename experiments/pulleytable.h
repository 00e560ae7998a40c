// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "evaluation/tabletext.h"
#include "experiments/pulley.h"
#include "journal/runrecord.h"

#include <QByteArray>
#include <QLocale>
#include <vector>

namespace kelmot {

// A turn's table: a row per spoke with its angle, the string's position,
// its dark and bright time and the string's speed since the spoke before.
TableTexts pulleyTable(const std::vector<FallPoint>& points, int spokes,
                       const QLocale& locale = QLocale());
QByteArray pulleyWorkbook(const TableTexts& table, const QLocale& locale = QLocale());

// A turn as the journal keeps it (kind "Rad"): its setup and every spoke's times.
RunRecord pulleyRecord(const std::vector<double>& darkTimes, const std::vector<double>& brightTimes,
                       const PulleySetup& setup, bool complete, int number);

} // namespace kelmot
