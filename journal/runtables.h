// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "evaluation/tabletext.h"
#include "journal/runrecord.h"

#include <QLocale>
#include <QString>
#include <vector>

namespace kelmot {

// A run as one line for scripts (`kelmot --runs`): tab-separated, the
// journal's number, the local date and time (ISO 8601), name, kind,
// resolution, the ten dark and the ten bright times in seconds (a drop's:
// one of each per band seen) with a point as the decimal separator whatever
// the desktop's locale; no line end.
QString runLine(const RunRecord& run);

// Runs as one table for a spreadsheet or a CSV file: a header row, then one
// row per barrier of each run (number, date, time, name, kind, position,
// dark time, bright time), the times in the run's own format and the
// locale's numbers; a drop has a row per band seen, its position the fall
// of the band's leading edge, its times to a tenth of a millisecond.
TableTexts runsTable(const std::vector<RunRecord>& runs, const QLocale& locale = QLocale());

// A kept run as a data file (".kmd"), as "Speichern unter" writes it; a
// drop has none (the format holds a track's ten barriers).
QByteArray runDataFile(const RunRecord& run);

// A file name for a run's data file: its number and name, with what a file
// system or a spreadsheet would stumble over replaced ("7 Gruppe 3, 50 g.kmd").
QString runFileName(const RunRecord& run, const QString& extension);

} // namespace kelmot
