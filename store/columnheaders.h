// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kelmot {

// The columns the tables show, and the header each has wherever it is shown
// (measurement table, evaluation table, clipboard, spreadsheet).
enum class TableColumn {
    Position,
    DarkTime,
    BrightTime,
    Quotient,
    DarkInterval,
    Speed,
    Acceleration
};

QString columnHeader(TableColumn column);

} // namespace kelmot
