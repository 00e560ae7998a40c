// SPDX-License-Identifier: GPL-3.0-or-later
// One program start's journal, for the tests of programs starting at once:
// waits for a line on its input (so that the parent can release several at
// the same moment), opens the journal in FOLDER as the program does at start,
// keeps one run, and exits 0, or 1 printing why not.
//   kelmot_journal_opener FOLDER
#include "journal/runjournal.h"

#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::string go;
    std::getline(std::cin, go);
    kelmot::RunJournal journal(QCoreApplication::arguments().value(1), "test");
    if (!journal.open()) {
        std::printf("%s\n", qPrintable(journal.problem()));
        return 1;
    }
    kelmot::RunRecord run;
    run.name = "Messung 1";
    run.kind = QString::fromLatin1(kelmot::KindSt);
    run.startedUtc = run.endedUtc = QDateTime::currentDateTimeUtc();
    if (const auto failed = journal.keepRun(run, {})) {
        std::printf("%s\n", qPrintable(*failed));
        return 1;
    }
    return 0;
}
