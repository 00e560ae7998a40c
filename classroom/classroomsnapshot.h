// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/experimentlive.h"
#include "evaluation/tabletext.h"
#include "store/measurementstore.h"

#include <QLocale>
#include <QString>
#include <array>
#include <vector>

namespace kelmot {

// The program's texts the classroom page shows, in the program's language,
// made once on the window's thread when the view is switched on.
struct ClassroomTexts {
    QString language = QStringLiteral("de"); // the page's lang attribute
    QLocale locale;                          // numbers as the program shows them
    // Column headers, as every table of the program has them.
    QString position, darkTime, brightTime, quotient, darkInterval, speed, acceleration;
    // The relationships, as the diagrams name them; empty for none.
    std::array<QString, 4> stRelations;
    std::array<QString, 3> vtRelations;
    QString stDiagram, vtDiagram; // the diagrams' names
};

// The texts in the program's language `language` ("de", "en"), with the
// desktop's number format; on the window's thread, once the translation is
// installed.
ClassroomTexts classroomTexts(const QString& language);

// What the classroom view shows, taken on the window's thread whenever the
// measurement or its evaluation changes and handed to the server's thread,
// which draws, formats and serialises from it. Plain values only.
struct ClassroomSnapshot {
    MeasurementStore store;        // a copy: the series and their relationships
    int seriesCount = 0;           // the series listed (and drawn)
    QString status;                // the measurement window's status line, as shown
    bool measuring = false;        // a run's capture is open
    bool brightTimesShown = false; // the live table has a bright-time column (v-t)
    std::array<QString, BarrierCount> liveDark{}, liveBright{}; // the live table's cells
    QString flagWidthText;             // the evaluation table's flag-width field (mm)
    bool stFit = false, vtFit = false; // "Ausgleichskurve" in each diagram
    // Every run kept today, a header row and a row per barrier of each run
    // (the journal's table of runs); empty when there is none.
    TableTexts todaysRuns;
    int todaysRunCount = 0;
    // The one-barrier experiments' windows made so far, in the menu's order.
    std::vector<ExperimentLive> experiments;
};

// The experiment of `key` ("fall"), none where its window was never made.
const ExperimentLive* experimentOf(const ClassroomSnapshot& s, const QString& key);

// Whether a barrier's row of the live table is there for the page: its dark
// time, and its bright time where the table shows bright times.
bool livePassed(const ClassroomSnapshot& s, int barrier);

// Whether two snapshots show the same series, relationships and evaluation
// (the live table and status line aside).
bool sameEvaluation(const ClassroomSnapshot& a, const ClassroomSnapshot& b);
// The live table, the status line and the experiments' windows.
bool sameLive(const ClassroomSnapshot& a, const ClassroomSnapshot& b);
// Whether the diagrams drawn of two snapshots are the same: the evaluation
// and the last run's times, which the v-t diagram reads in single-list mode.
bool sameDiagrams(const ClassroomSnapshot& a, const ClassroomSnapshot& b);

// The evaluation table of stored series `slot` (0 the newest) as the page,
// the spreadsheet and the CSV file show it: position, dark and bright time,
// the quotient of its s-t relationship when one is chosen, the dark
// interval, the speed from the flag width and the acceleration, in the
// series' time format. Row 0 holds the headers.
TableTexts seriesTable(const ClassroomSnapshot& s, int slot, const ClassroomTexts& texts);

// The data file of stored series `slot` (".kmd", resolution and times as
// "Speichern unter" writes them).
QByteArray seriesDataFile(const ClassroomSnapshot& s, int slot, const QLocale& locale);

} // namespace kelmot
