// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the journal of runs, all on the same disk (a temporary data
// folder beside the system's temporary files):
//  - keeping a run, sync to disk included (p50, p99), beside a bare SQLite
//    insert-and-commit of a row of the same size with the same settings;
//  - "Alle Messungen" opened over 10,000 runs to a filled, sorted table;
//  - `kelmot --runs` over 10,000 runs, the program's start included;
//  - bytes per run.
//   kelmot_journal_bench [path of the kelmot program]
#include "journal/allrunswindow.h"
#include "journal/lessonstate.h"
#include "journal/runjournal.h"
#include "journal/timestext.h"
#include "store/numberformat.h"
#include "tests/tempdatahome.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kelmot;

namespace {

struct Figures {
    double p50 = 0, p99 = 0;
};

Figures percentiles(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[std::min(ms.size() - 1, ms.size() * 99 / 100)]};
}

RunRecord aRun(int n) {
    RunRecord run;
    run.number = n;
    run.name = QStringLiteral("Messung %1").arg(n);
    run.kind = "v-t";
    run.resolution = 1;
    run.threshold = 5000;
    for (int k = 0; k < BarrierCount; ++k) {
        run.darkTimes[k] = -0.0003 + k * 0.2718281828459045 + n * 1e-6;
        run.brightTimes[k] = run.darkTimes[k] + 0.028318530717958;
    }
    run.endedUtc = QDateTime::currentDateTimeUtc().addSecs(n - 20000);
    run.startedUtc = run.endedUtc.addMSecs(-2500);
    run.flagWidthMm = "10";
    run.source = "Simulation: virtuelle Fahrbahn";
    return run;
}

struct NoLoader : RunLoader {
    void loadRuns(const std::vector<RunRecord>&, bool) override {}
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const TemporaryDataHome dataHome; // never the journal of a real home
    QApplication app(argc, argv);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString folder = journalFolder();
    const int commits = 300;

    // The journal: a run and the lesson with it, as the window keeps them.
    MeasurementStore store;
    store.initialise();
    store.SeriesName[0] = "Messung 1";
    const QByteArray lesson = lessonState(store);
    RunJournal journal(folder, "3.0");
    if (!journal.open()) {
        std::fprintf(stderr, "journal: %s\n", qPrintable(journal.problem()));
        return 1;
    }
    std::vector<double> kept;
    QElapsedTimer t;
    for (int n = 1; n <= commits; ++n) {
        RunRecord run = aRun(n);
        t.start();
        if (journal.keepRun(run, lesson)) return 1;
        kept.push_back(t.nsecsElapsed() / 1e6);
    }

    // Bare SQLite: the same settings, one row of the same size, one commit.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bare");
        db.setDatabaseName(QDir(folder).filePath("bare.sqlite"));
        db.open();
        QSqlQuery q(db);
        q.exec("PRAGMA journal_mode=WAL");
        q.exec("PRAGMA synchronous=FULL");
        q.exec("CREATE TABLE rows (id INTEGER PRIMARY KEY, body TEXT)");
        const QString body = timesText(aRun(1).darkTimes) + timesText(aRun(1).brightTimes) +
                             QString(180, u'x') + QString::fromUtf8(lesson);
        std::vector<double> bare;
        for (int n = 1; n <= commits; ++n) {
            t.start();
            q.exec("BEGIN IMMEDIATE");
            q.prepare("INSERT INTO rows (body) VALUES (?)");
            q.addBindValue(body);
            q.exec();
            q.exec("COMMIT");
            bare.push_back(t.nsecsElapsed() / 1e6);
        }
        const Figures j = percentiles(kept), b = percentiles(bare);
        std::printf("keep a run (fsync'd)     p50 %s ms, p99 %s ms\n",
                    formatPoint(j.p50, 3).c_str(), formatPoint(j.p99, 3).c_str());
        std::printf("bare SQLite commit       p50 %s ms, p99 %s ms\n",
                    formatPoint(b.p50, 3).c_str(), formatPoint(b.p99, 3).c_str());
        std::printf("ratio of the p99s        %s (goal <= 2)\n",
                    formatPoint(j.p99 / b.p99, 2).c_str());
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase("bare");

    // Up to 10,000 runs, in one transaction (a filled journal, not a timing).
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fill");
        db.setDatabaseName(journal.path());
        db.open();
        QSqlQuery q(db);
        q.exec("BEGIN");
        for (int n = commits + 1; n <= 10000; ++n) {
            const RunRecord run = aRun(n);
            q.prepare("INSERT INTO runs (started_utc, ended_utc, utc_offset, number, name, kind, "
                      "resolution, threshold, dark_times, bright_times, duration, flag_width, "
                      "source, program_version, session) VALUES (?, ?, 0, ?, ?, ?, 1, 5000, ?, "
                      "?, ?, '10', ?, '3.0', 'bench')");
            q.addBindValue(RunJournal::utcText(run.startedUtc));
            q.addBindValue(RunJournal::utcText(run.endedUtc));
            q.addBindValue(run.number);
            q.addBindValue(run.name);
            q.addBindValue(run.kind);
            q.addBindValue(timesText(run.darkTimes));
            q.addBindValue(timesText(run.brightTimes));
            q.addBindValue(run.durationSeconds());
            q.addBindValue(run.source);
            q.exec();
        }
        q.exec("COMMIT");
        q.exec("PRAGMA wal_checkpoint(TRUNCATE)");
        db.close();
    }
    QSqlDatabase::removeDatabase("fill");
    const qint64 bytes = QFileInfo(journal.path()).size();
    std::printf("bytes per run            %lld (10,000 runs: %s MB)\n",
                static_cast<long long>(bytes / 10000), formatPoint(bytes / 1e6, 1).c_str());

    // "Alle Messungen" over 10,000 runs: opened, filled and sorted.
    std::vector<double> opening;
    for (int i = 0; i < 5; ++i) {
        NoLoader loader;
        AllRunsWindow window(journal, loader, nullptr);
        t.start();
        window.open();
        QCoreApplication::processEvents();
        opening.push_back(t.nsecsElapsed() / 1e6);
        if (window.Liste->model()->rowCount() != 10000) {
            std::fprintf(stderr, "the list shows %d runs\n", window.Liste->model()->rowCount());
            return 1;
        }
    }
    std::printf("Alle Messungen, 10,000   median %s ms (goal <= 100)\n",
                formatPoint(percentiles(opening).p50, 1).c_str());
    journal.endSession();

    // kelmot --runs over 10,000 runs, the program's start included.
    if (!program.isEmpty()) {
        std::vector<double> listing;
        for (int i = 0; i < 5; ++i) {
            QProcess runs;
            t.start();
            runs.start(program, {"--runs"});
            runs.waitForFinished(60000);
            const QByteArray out = runs.readAllStandardOutput();
            listing.push_back(t.nsecsElapsed() / 1e6);
            if (runs.exitCode() != 0 || out.count('\n') != 10000) {
                std::fprintf(stderr, "kelmot --runs: exit %d, %lld lines\n", runs.exitCode(),
                             static_cast<long long>(out.count('\n')));
                return 1;
            }
        }
        std::printf("kelmot --runs, 10,000    median %s ms (goal <= 500)\n",
                    formatPoint(percentiles(listing).p50, 0).c_str());
    }
    return 0;
}
