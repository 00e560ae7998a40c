// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/dropkeeping.h"
#include "experiments/pulleytable.h"
#include "experiments/swingkeeping.h"
#include "journal/lessonstate.h"
#include "journal/runjournal.h"
#include "journal/runlistmodel.h"
#include "journal/runtables.h"
#include "journal/timestext.h"
#include "store/measurementstore.h"
#include "store/numberformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kelmot;

namespace {

// Runs `body` in a child process whose files may not grow past 64 KB, as on
// a nearly full disk, and gives its exit status (-1 where it did not exit).
int exitStatusOnAFullDisk(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child < 0) return -1;
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG instead
        const rlimit limit{64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(body());
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

RunRecord sampleRun(int n, double scale = 1.0) {
    RunRecord run;
    run.number = n;
    run.name = QStringLiteral("Messung %1").arg(n);
    run.kind = QString::fromLatin1(n % 2 ? KindSt : KindVt);
    run.resolution = n % 2;
    run.threshold = 5000 + n;
    for (int k = 0; k < BarrierCount; ++k) {
        // Times no short decimal text holds: only a round trip keeps them.
        run.darkTimes[k] = -0.0003 + scale * k * 0.1234567890123457 / 3.0;
        run.brightTimes[k] = run.darkTimes[k] + 0.0271828182845904 * scale;
    }
    run.endedUtc = QDateTime(QDate(2026, 12, 9), QTime(10, 0, n), Qt::UTC);
    run.startedUtc = run.endedUtc.addMSecs(-1500);
    run.utcOffsetSeconds = 3600;
    run.flagWidthMm = QStringLiteral("10");
    run.source = QStringLiteral("Simulation: virtuelle Fahrbahn");
    return run;
}

struct JournalFolder {
    QTemporaryDir dir;
    QString path() const { return dir.path() + "/kelmot"; }
    QString file() const { return path() + "/runs.sqlite"; }
};

void expectSameTimes(const RunRecord& a, const RunRecord& b) {
    for (int k = 0; k < BarrierCount; ++k) {
        EXPECT_EQ(a.darkTimes[k], b.darkTimes[k]) << k;
        EXPECT_EQ(a.brightTimes[k], b.brightTimes[k]) << k;
    }
}

QStringList brokenFiles(const QString& folder) {
    return QDir(folder).entryList({"runs-broken-*.sqlite"}, QDir::Files);
}

} // namespace

TEST(TimesText, ReadsBackEveryDoubleExactlyWithAPointUnderAnyLocale) {
    const double times[] = {-0.0003, 0.1, 1.0 / 3.0, 1e-300, 123456.789012345678, -0.0, 5e-324};
    const QString text = timesText(times);
    EXPECT_FALSE(text.contains(u',')) << text.toStdString(); // the tests run under de_DE
    double back[std::size(times)]{};
    ASSERT_TRUE(readTimesText(text, back));
    for (std::size_t i = 0; i < std::size(times); ++i)
        EXPECT_EQ(std::memcmp(&times[i], &back[i], sizeof(double)), 0) << i;
    double two[2];
    EXPECT_FALSE(readTimesText("1 2 3", two)); // one too many
    EXPECT_FALSE(readTimesText("1", two));     // one too few
    EXPECT_FALSE(readTimesText("1 2,5", two)); // a comma is no separator here
}

TEST(RunJournal, KeepsRunsAtFullPrecisionAndListsThem) {
    JournalFolder folder;
    RunJournal journal(folder.path(), "3.0");
    ASSERT_TRUE(journal.open()) << journal.problem().toStdString();
    EXPECT_TRUE(journal.keeping());
    EXPECT_EQ(QFile::permissions(folder.file()) & 0x0077, 0); // nothing for group and others
    EXPECT_EQ(QFile::permissions(folder.file()), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ReadUser |
                                                     QFileDevice::WriteUser);

    std::vector<RunRecord> kept;
    for (int n = 1; n <= 3; ++n) {
        RunRecord run = sampleRun(n, n);
        ASSERT_FALSE(journal.keepRun(run, {}));
        EXPECT_GT(run.id, 0);
        kept.push_back(run);
    }
    EXPECT_EQ(journal.revision(), 3);
    const auto runs = journal.runs();
    ASSERT_EQ(runs.size(), 3u);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].id, kept[i].id);
        EXPECT_EQ(runs[i].name, kept[i].name);
        EXPECT_EQ(runs[i].kind, kept[i].kind);
        EXPECT_EQ(runs[i].resolution, kept[i].resolution);
        EXPECT_EQ(runs[i].threshold, kept[i].threshold);
        EXPECT_EQ(runs[i].flagWidthMm, "10");
        EXPECT_EQ(runs[i].source, kept[i].source);
        EXPECT_EQ(runs[i].programVersion, "3.0");
        EXPECT_EQ(runs[i].session, journal.session());
        EXPECT_EQ(runs[i].startedUtc, kept[i].startedUtc);
        EXPECT_EQ(runs[i].endedLocal().offsetFromUtc(), 3600);
        expectSameTimes(runs[i], kept[i]);
    }
    // The list shows the newest first, without the times.
    const auto list = journal.summaries();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].id, kept[2].id);
    EXPECT_DOUBLE_EQ(list[0].durationSeconds, kept[2].durationSeconds());
    // Since a moment: only the runs begun then or later.
    EXPECT_EQ(journal.runs(kept[1].startedUtc).size(), 2u);

    ASSERT_FALSE(journal.rename(kept[0].id, "Gruppe 3, 50 g"));
    EXPECT_EQ(journal.run(kept[0].id)->name, "Gruppe 3, 50 g");
    ASSERT_FALSE(journal.remove({kept[0].id, kept[2].id}));
    ASSERT_EQ(journal.runs().size(), 1u);
    EXPECT_EQ(journal.runs()[0].id, kept[1].id);
    EXPECT_FALSE(journal.run(kept[0].id));
}

TEST(RunJournal, TwoProgramsAtOnceBothKeepTheirRuns) {
    JournalFolder folder;
    RunJournal first(folder.path(), "3.0");
    RunJournal second(folder.path(), "3.0");
    ASSERT_TRUE(first.open());
    ASSERT_TRUE(second.open());
    for (int n = 1; n <= 20; ++n) {
        RunRecord a = sampleRun(n), b = sampleRun(100 + n);
        ASSERT_FALSE(first.keepRun(a, {}));
        ASSERT_FALSE(second.keepRun(b, {}));
    }
    EXPECT_EQ(first.runs().size(), 40u);
    EXPECT_EQ(second.summaries().size(), 40u);
}

TEST(RunJournal, AFileLockedByAnotherProgramFailsTheRunAfterTheWaitNotTheMeasurement) {
    JournalFolder folder;
    RunJournal journal(folder.path(), "3.0");
    ASSERT_TRUE(journal.open());
    {
        // Another program holds the write lock for longer than we wait.
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other-writer");
        other.setDatabaseName(folder.file());
        ASSERT_TRUE(other.open());
        QSqlQuery hold(other);
        ASSERT_TRUE(hold.exec("BEGIN IMMEDIATE"));
        RunRecord run = sampleRun(1);
        const auto failure = journal.keepRun(run, {});
        ASSERT_TRUE(failure);
        EXPECT_TRUE(failure->startsWith("Die Messungen werden nicht aufbewahrt: "))
            << failure->toStdString();
        EXPECT_FALSE(journal.keeping());
        EXPECT_EQ(journal.problem(), *failure);
        hold.exec("ROLLBACK");
        other.close();
    }
    QSqlDatabase::removeDatabase("other-writer");
    // Once the lock is gone the next run is kept again, and said so.
    RunRecord run = sampleRun(2);
    EXPECT_FALSE(journal.keepRun(run, {}));
    EXPECT_TRUE(journal.keeping());
    EXPECT_TRUE(journal.problem().isEmpty());
}

TEST(RunJournal, AFolderThatCannotBeMadeKeepsNothingAndSaysWhy) {
    QTemporaryDir dir;
    QFile blocker(dir.path() + "/kelmot");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    RunJournal journal(dir.path() + "/kelmot", "3.0");
    EXPECT_FALSE(journal.open());
    EXPECT_FALSE(journal.keeping());
    EXPECT_TRUE(journal.problem().contains(dir.path() + "/kelmot"))
        << journal.problem().toStdString();
    RunRecord run = sampleRun(1);
    EXPECT_TRUE(journal.keepRun(run, {}));
    EXPECT_TRUE(journal.summaries().empty());
    EXPECT_FALSE(journal.takeLessonToRecover());
    journal.endSession(); // nothing to end, nothing to crash
}

// What is found at the journal's place: each is moved aside, named in the
// notice, and a new journal keeps the next run.
TEST(RunJournal, DamagedFilesAreMovedAsideAndANewJournalIsStarted) {
    const auto garbage = [](const QString& path) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5000, 'x'));
    };
    const auto truncated = [](const QString& path) {
        {
            RunJournal full(QFileInfo(path).path(), "3.0");
            ASSERT_TRUE(full.open());
            for (int n = 1; n <= 200; ++n) {
                RunRecord run = sampleRun(n);
                ASSERT_FALSE(full.keepRun(run, QByteArray(300, 'l')));
            }
            full.endSession();
        } // closing folds the log into the file
        QFile f(path);
        ASSERT_GT(f.size(), 20000);
        ASSERT_TRUE(f.resize(f.size() / 2));
    };
    const auto scribbled = [](const QString& path) {
        {
            RunJournal full(QFileInfo(path).path(), "3.0");
            ASSERT_TRUE(full.open());
            for (int n = 1; n <= 200; ++n) {
                RunRecord run = sampleRun(n);
                ASSERT_FALSE(full.keepRun(run, {}));
            }
            full.endSession();
        }
        // The header stays that of SQLite; pages in the middle are noise.
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(4096 * 2);
        f.write(QByteArray(4096 * 3, '\x5a'));
    };
    for (const auto& [name, spoil] :
         std::vector<std::pair<const char*, std::function<void(const QString&)>>>{
             {"garbage", garbage}, {"truncated", truncated}, {"scribbled", scribbled}}) {
        SCOPED_TRACE(name);
        JournalFolder folder;
        QDir().mkpath(folder.path());
        spoil(folder.file());
        RunJournal journal(folder.path(), "3.0");
        ASSERT_TRUE(journal.open()) << journal.problem().toStdString();
        EXPECT_TRUE(journal.movedAside());
        const QStringList aside = brokenFiles(folder.path());
        ASSERT_EQ(aside.size(), 1) << aside.join(' ').toStdString();
        EXPECT_TRUE(journal.notice().contains(folder.file())) << journal.notice().toStdString();
        EXPECT_TRUE(journal.notice().contains(aside[0])) << journal.notice().toStdString();
        RunRecord run = sampleRun(1);
        EXPECT_FALSE(journal.keepRun(run, {}));
        EXPECT_EQ(journal.runs().size(), 1u);
    }
}

TEST(RunJournal, AnEmptyFileIsANewJournal) {
    JournalFolder folder;
    QDir().mkpath(folder.path());
    QFile(folder.file()).open(QIODevice::WriteOnly);
    RunJournal journal(folder.path(), "3.0");
    ASSERT_TRUE(journal.open());
    EXPECT_FALSE(journal.movedAside());
    EXPECT_TRUE(brokenFiles(folder.path()).isEmpty());
    RunRecord run = sampleRun(1);
    EXPECT_FALSE(journal.keepRun(run, {}));
}

namespace {

// A drop of a fence with more bands than a track has barriers; times no
// short decimal text holds.
RunRecord sampleDrop(int bands) {
    FallDrop drop;
    for (int k = 0; k < bands; ++k) {
        drop.darkTimes.push_back(-0.0003 + k * 0.0123456789012345);
        drop.brightTimes.push_back(drop.darkTimes.back() + 0.00271828182845904);
    }
    drop.complete = true;
    RunRecord run = dropRecord(drop, {bands, 50, 25}, 3);
    run.endedUtc = QDateTime(QDate(2026, 12, 9), QTime(11, 0), Qt::UTC);
    run.startedUtc = run.endedUtc.addMSecs(-400);
    return run;
}

} // namespace

// A drop comes back with every band, its geometry and whether it was
// complete; a script's line and the spreadsheet have every band; deleting
// it takes its bands along.
TEST(RunJournal, ADropIsKeptWithEveryBandAndItsGeometry) {
    JournalFolder folder;
    RunJournal journal(folder.path(), "3.0");
    ASSERT_TRUE(journal.open()) << journal.problem().toStdString();
    RunRecord track = sampleRun(1);
    ASSERT_FALSE(journal.keepRun(track, {}));
    RunRecord kept = sampleDrop(30);
    ASSERT_FALSE(journal.keepRun(kept, {}));

    RunJournal reopened(folder.path(), "3.0");
    ASSERT_TRUE(reopened.open());
    const auto drop = reopened.run(kept.id);
    ASSERT_TRUE(drop && drop->drop);
    EXPECT_EQ(drop->kind, "Fall");
    EXPECT_EQ(drop->name, "Fall 3");
    EXPECT_EQ(drop->flagWidthMm, "25");
    EXPECT_EQ(drop->drop->bands, 30);
    EXPECT_EQ(drop->drop->pitchMm, 50);
    EXPECT_EQ(drop->drop->bandWidthMm, 25);
    EXPECT_TRUE(drop->drop->complete);
    EXPECT_EQ(drop->drop->darkTimes, kept.drop->darkTimes);
    EXPECT_EQ(drop->drop->brightTimes, kept.drop->brightTimes);
    expectSameTimes(*drop, kept); // the first ten where a run's times stand
    EXPECT_EQ(drop->darkTimes[9], kept.drop->darkTimes[9]);
    EXPECT_FALSE(reopened.run(track.id)->drop);
    // Its duration from the first dark edge to the last bright one.
    const auto list = reopened.summaries();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_DOUBLE_EQ(list[0].durationSeconds,
                     kept.drop->brightTimes.back() - kept.drop->darkTimes.front());

    const QStringList fields = runLine(*drop).split(u'\t');
    ASSERT_EQ(fields.size(), 5 + 2 * 30);
    EXPECT_EQ(fields[3], "Fall");
    EXPECT_EQ(fields[5 + 29].toDouble(), kept.drop->darkTimes[29]);
    EXPECT_EQ(fields[5 + 30 + 29].toDouble(), kept.drop->brightTimes[29]);
    const TableTexts table = runsTable({*drop}, QLocale(QLocale::German));
    ASSERT_EQ(table.size(), 31u);
    EXPECT_EQ(table[30][5], "1,450"); // 29 pitches of 50 mm
    EXPECT_EQ(table[30][6], QLocale(QLocale::German).toString(kept.drop->darkTimes[29], 'f', 4));

    ASSERT_FALSE(reopened.remove({kept.id}));
    EXPECT_FALSE(reopened.run(kept.id));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "drops");
        db.setDatabaseName(folder.file());
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("SELECT COUNT(*) FROM drops") && q.next());
        EXPECT_EQ(q.value(0).toInt(), 0);
    }
    QSqlDatabase::removeDatabase("drops");
}

// A journal written before drops were kept gains their table on the first
// start and keeps what it holds.
TEST(RunJournal, AJournalOfTheFirstSchemaGainsTheDropsAndKeepsItsRuns) {
    JournalFolder folder;
    RunRecord track = sampleRun(1);
    {
        RunJournal older(folder.path(), "3.0");
        ASSERT_TRUE(older.open());
        ASSERT_FALSE(older.keepRun(track, {}));
        older.endSession();
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "first");
        db.setDatabaseName(folder.file());
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec("DROP TABLE drops"));
        ASSERT_TRUE(QSqlQuery(db).exec("DROP TABLE swings"));
        ASSERT_TRUE(QSqlQuery(db).exec("DROP TABLE experiment_events"));
        ASSERT_TRUE(QSqlQuery(db).exec("PRAGMA user_version=1"));
        db.close();
    }
    QSqlDatabase::removeDatabase("first");
    RunJournal journal(folder.path(), "3.0");
    ASSERT_TRUE(journal.open()) << journal.problem().toStdString();
    ASSERT_EQ(journal.runs().size(), 1u);
    expectSameTimes(journal.runs()[0], track);
    RunRecord drop = sampleDrop(8);
    ASSERT_FALSE(journal.keepRun(drop, {}));
    EXPECT_EQ(journal.run(drop.id)->drop->darkTimes.size(), 8u);
}

// A turn of the spoked pulley is kept in the table every later experiment
// shares: its setup, the spoke's arc and every spoke; a schema-3 journal
// gains that table and keeps its swings; the script's line, the table of
// runs and deleting all follow.
TEST(RunJournal, ATurnIsKeptWithEverySpokeInTheExperimentsTable) {
    JournalFolder folder;
    PendulumSetup pendulum;
    RunRecord swing = swingRecord({0.0, 0.7, 1.4}, {0.02, 0.72, 1.42}, pendulum, true, 1);
    swing.endedUtc = QDateTime(QDate(2026, 12, 10), QTime(9, 0), Qt::UTC);
    swing.startedUtc = swing.endedUtc.addSecs(-2);
    {
        RunJournal older(folder.path(), "3.0");
        ASSERT_TRUE(older.open());
        ASSERT_FALSE(older.keepRun(swing, {})) << older.problem().toStdString();
        older.endSession();
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "third");
        db.setDatabaseName(folder.file());
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec("DROP TABLE experiment_events"));
        ASSERT_TRUE(QSqlQuery(db).exec("PRAGMA user_version=3"));
        db.close();
    }
    QSqlDatabase::removeDatabase("third");

    PulleySetup setup;
    setup.spokes = 12;
    std::vector<double> dark, bright;
    for (int k = 0; k < setup.events(); ++k) { // more spokes than a track has barriers
        dark.push_back(std::sqrt(k * 0.0131) + 0.00012345678);
        bright.push_back(dark.back() + 0.004);
    }
    RunRecord kept = pulleyRecord(dark, bright, setup, true, 1);
    kept.endedUtc = QDateTime(QDate(2026, 12, 10), QTime(9, 5), Qt::UTC);
    kept.startedUtc = kept.endedUtc.addSecs(-2);
    RunJournal journal(folder.path(), "3.0");
    ASSERT_TRUE(journal.open()) << journal.problem().toStdString();
    ASSERT_FALSE(journal.keepRun(kept, {}));
    RunJournal reopened(folder.path(), "3.0");
    ASSERT_TRUE(reopened.open());
    EXPECT_TRUE(reopened.run(swing.id)->swing);
    const auto turn = reopened.run(kept.id);
    ASSERT_TRUE(turn && turn->events);
    EXPECT_FALSE(turn->swing || turn->drop);
    EXPECT_EQ(turn->kind, "Rad");
    EXPECT_EQ(turn->events->setup, kept.events->setup);
    EXPECT_DOUBLE_EQ(turn->events->stepM, setup.spokeArc());
    EXPECT_TRUE(turn->events->complete);
    EXPECT_EQ(turn->events->darkTimes, dark);
    EXPECT_EQ(turn->events->brightTimes, bright);
    EXPECT_DOUBLE_EQ(turn->durationSeconds(), bright.back() - dark.front());

    const QStringList fields = runLine(*turn).split(u'\t');
    ASSERT_EQ(fields.size(), 5 + 2 * setup.events());
    const TableTexts table = runsTable({*turn}, QLocale::c());
    ASSERT_EQ(table.size(), std::size_t(setup.events()) + 1);
    EXPECT_EQ(table[3][5], QString::number(2 * setup.spokeArc(), 'f', 3));

    ASSERT_FALSE(reopened.remove({kept.id}));
    EXPECT_FALSE(reopened.run(kept.id));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fourth");
        db.setDatabaseName(folder.file());
        ASSERT_TRUE(db.open());
        QSqlQuery left(db);
        ASSERT_TRUE(left.exec("SELECT COUNT(*) FROM experiment_events") && left.next());
        EXPECT_EQ(left.value(0).toInt(), 0) << "the spokes go with their turn";
    }
    QSqlDatabase::removeDatabase("fourth");
}

// A swing comes back with every passage and its pendulum; a script's line
// and the table of runs have every passage; deleting it takes them along;
// a journal of the drops' schema gains the swings and keeps its drops.
TEST(RunJournal, ASwingIsKeptWithEveryPassageAndItsPendulum) {
    JournalFolder folder;
    RunRecord drop = sampleDrop(8);
    {
        RunJournal older(folder.path(), "3.0");
        ASSERT_TRUE(older.open());
        ASSERT_FALSE(older.keepRun(drop, {}));
        older.endSession();
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "second");
        db.setDatabaseName(folder.file());
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec("DROP TABLE swings"));
        ASSERT_TRUE(QSqlQuery(db).exec("DROP TABLE experiment_events"));
        ASSERT_TRUE(QSqlQuery(db).exec("PRAGMA user_version=2"));
        db.close();
    }
    QSqlDatabase::removeDatabase("second");

    std::vector<double> dark, bright;
    for (int k = 0; k < 23; ++k) { // more passages than a track has barriers
        dark.push_back(0.0123456789 + k * 0.70912345678901);
        bright.push_back(dark.back() + 0.0144 + k * 0.0001234567);
    }
    dark.push_back(dark.back() + 0.7); // the bob resting in the beam: no passage
    PendulumSetup setup;
    setup.lengthMm = 812.5;
    setup.lengthUncertaintyMm = 1.5;
    setup.bobWidthMm = 25.4;
    setup.periods = 0;
    RunRecord kept = swingRecord(dark, bright, setup, true, 2);
    kept.endedUtc = QDateTime(QDate(2026, 12, 10), QTime(9, 0), Qt::UTC);
    kept.startedUtc = kept.endedUtc.addSecs(-16);

    RunJournal journal(folder.path(), "3.0");
    ASSERT_TRUE(journal.open()) << journal.problem().toStdString();
    EXPECT_EQ(journal.run(drop.id)->drop->darkTimes, drop.drop->darkTimes);
    ASSERT_FALSE(journal.keepRun(kept, {}));
    RunJournal reopened(folder.path(), "3.0");
    ASSERT_TRUE(reopened.open());
    const auto swing = reopened.run(kept.id);
    ASSERT_TRUE(swing && swing->swing);
    EXPECT_FALSE(swing->drop);
    EXPECT_FALSE(reopened.run(drop.id)->swing);
    EXPECT_EQ(swing->kind, "Pendel");
    EXPECT_EQ(swing->name, "Pendel 2");
    EXPECT_EQ(swing->flagWidthMm, formatGeneral(25.4)); // as the table's field shows a width
    EXPECT_EQ(swing->swing->lengthMm, 812.5);
    EXPECT_EQ(swing->swing->lengthUncertaintyMm, 1.5);
    EXPECT_EQ(swing->swing->bobWidthMm, 25.4);
    EXPECT_EQ(swing->swing->periods, 0);
    EXPECT_TRUE(swing->swing->complete);
    ASSERT_EQ(swing->swing->darkTimes.size(), 23u);
    EXPECT_EQ(swing->swing->darkTimes, std::vector<double>(dark.begin(), dark.end() - 1));
    EXPECT_EQ(swing->swing->brightTimes, bright);
    EXPECT_EQ(swing->darkTimes[9], dark[9]); // the first ten where a run's times stand
    EXPECT_DOUBLE_EQ(reopened.summaries()[0].durationSeconds, bright.back() - dark.front());

    const QStringList fields = runLine(*swing).split(u'\t');
    ASSERT_EQ(fields.size(), 5 + 2 * 23);
    EXPECT_EQ(fields[5 + 22].toDouble(), dark[22]);
    EXPECT_EQ(fields[5 + 23 + 22].toDouble(), bright[22]);
    const TableTexts table = runsTable({*swing}, QLocale(QLocale::German));
    ASSERT_EQ(table.size(), 24u);
    EXPECT_EQ(table[23][5], "0,000"); // every passage at the beam
    EXPECT_EQ(table[23][7], QLocale(QLocale::German).toString(bright[22], 'f', 4));

    ASSERT_FALSE(reopened.remove({kept.id}));
    EXPECT_FALSE(reopened.run(kept.id));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "swings");
        db.setDatabaseName(folder.file());
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("SELECT COUNT(*) FROM swings") && q.next());
        EXPECT_EQ(q.value(0).toInt(), 0);
    }
    QSqlDatabase::removeDatabase("swings");
}

TEST(RunJournal, AFileOfANewerProgramIsOnlyRead) {
    JournalFolder folder;
    {
        RunJournal older(folder.path(), "3.0");
        ASSERT_TRUE(older.open());
        RunRecord run = sampleRun(1);
        ASSERT_FALSE(older.keepRun(run, {}));
        older.endSession();
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
        db.setDatabaseName(folder.file());
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("PRAGMA user_version=7");
        db.close();
    }
    QSqlDatabase::removeDatabase("newer");
    RunJournal journal(folder.path(), "3.0");
    EXPECT_FALSE(journal.open());
    EXPECT_FALSE(journal.keeping());
    EXPECT_TRUE(journal.readable());
    EXPECT_TRUE(journal.notice().contains("neueren Programmversion"))
        << journal.notice().toStdString();
    EXPECT_EQ(journal.runs().size(), 1u); // what it holds is still listed
    RunRecord run = sampleRun(2);
    EXPECT_TRUE(journal.keepRun(run, {}));
    EXPECT_TRUE(brokenFiles(folder.path()).isEmpty());
}

// A full disk, as a small file-size limit gives it in a child process: runs
// fail with a reason and never stop anything, and those kept before stay.
TEST(RunJournal, AFullDiskFailsRunsWithAReasonAndKeepsTheEarlierOnes) {
    JournalFolder folder;
    {
        RunJournal journal(folder.path(), "3.0");
        ASSERT_TRUE(journal.open());
        journal.endSession();
    }
    ASSERT_EQ(exitStatusOnAFullDisk([&] {
                  RunJournal journal(folder.path(), "3.0");
                  if (!journal.open()) return 10;
                  int kept = 0;
                  for (int n = 1; n <= 2000; ++n) {
                      RunRecord run = sampleRun(n);
                      if (const auto failure = journal.keepRun(run, QByteArray(400, 'l'))) {
                          const bool said =
                              failure->startsWith("Die Messungen werden nicht aufbewahrt: ") &&
                              !journal.keeping();
                          return kept > 0 && said ? 0 : 11;
                      }
                      ++kept;
                  }
                  return 12; // the limit never stopped a write
              }),
              0);
    RunJournal after(folder.path(), "3.0");
    ASSERT_TRUE(after.open()) << after.problem().toStdString();
    EXPECT_FALSE(after.movedAside());
    EXPECT_GT(after.runs().size(), 0u);
    for (const RunRecord& run : after.runs())
        expectSameTimes(run, sampleRun(run.number));
}

// The runs of an analysed recording go in together: every one, or none
// where the disk takes only part of them.
TEST(RunJournal, RunsFoundTogetherAreKeptAllOrNone) {
    JournalFolder folder;
    {
        RunJournal journal(folder.path(), "3.0");
        ASSERT_TRUE(journal.open());
        std::vector<RunRecord> found{sampleRun(1), sampleRun(2), sampleRun(3)};
        ASSERT_FALSE(journal.keepRuns(found, {}));
        EXPECT_GT(found[0].id, 0);
        EXPECT_LT(found[0].id, found[1].id);
        EXPECT_LT(found[1].id, found[2].id);
        EXPECT_EQ(journal.runs().size(), 3u);
        journal.endSession();
    }
    EXPECT_EQ(exitStatusOnAFullDisk([&] {
                  RunJournal journal(folder.path(), "3.0");
                  if (!journal.open()) return 10;
                  std::vector<RunRecord> found;
                  for (int n = 1; n <= 2000; ++n)
                      found.push_back(sampleRun(n));
                  if (!journal.keepRuns(found, {})) return 11; // the limit never stopped a write
                  const bool noneKept = std::all_of(
                      found.begin(), found.end(), [](const RunRecord& run) { return run.id == 0; });
                  return noneKept ? 0 : 12;
              }),
              0);
    RunJournal after(folder.path(), "3.0");
    ASSERT_TRUE(after.open()) << after.problem().toStdString();
    EXPECT_EQ(after.runs().size(), 3u);
}

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A journal an older program left: its runs, the later tables not yet
// there, its version, and the rollback journal instead of the write-ahead log.
void makeOlderJournal(const JournalFolder& folder, int version, const RunRecord& run) {
    {
        RunJournal older(folder.path(), "3.0");
        ASSERT_TRUE(older.open());
        RunRecord kept = run;
        ASSERT_FALSE(older.keepRun(kept, {}));
        older.endSession();
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "older");
        db.setDatabaseName(folder.file());
        ASSERT_TRUE(db.open());
        const char* later[] = {"drops", "swings", "experiment_events"};
        for (int step = version + 1; step <= 4; ++step)
            ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("DROP TABLE %1").arg(later[step - 2])));
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version=%1").arg(version)));
        ASSERT_TRUE(QSqlQuery(db).exec("PRAGMA journal_mode=DELETE"));
        db.close();
    }
    QSqlDatabase::removeDatabase("older");
}

} // namespace

// `kelmot --runs` and every other reader leave the file as it is: an older
// schema is read, not migrated; the rollback journal stays; a damaged file
// is said to be damaged, not moved aside.
TEST(RunJournal, AReaderNeverMovesMigratesOrConvertsTheFile) {
    for (const int version : {1, 2, 3}) {
        SCOPED_TRACE(version);
        JournalFolder folder;
        const RunRecord track = sampleRun(1);
        makeOlderJournal(folder, version, track);
        const QByteArray before = fileBytes(folder.file());
        ASSERT_FALSE(before.isEmpty());
        {
            RunJournal reader(folder.path(), "3.0");
            ASSERT_TRUE(reader.openForReading()) << reader.problem().toStdString();
            EXPECT_FALSE(reader.keeping());
            ASSERT_EQ(reader.runs().size(), 1u);
            expectSameTimes(reader.runs()[0], track);
            EXPECT_EQ(reader.summaries().size(), 1u);
            EXPECT_FALSE(reader.runs()[0].drop);
        }
        EXPECT_EQ(fileBytes(folder.file()), before) << "not a byte changed";
    }

    JournalFolder damaged;
    QDir().mkpath(damaged.path());
    {
        QFile f(damaged.file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5000, 'x'));
    }
    RunJournal reader(damaged.path(), "3.0");
    EXPECT_FALSE(reader.openForReading());
    EXPECT_EQ(reader.problem(),
              QStringLiteral("Das Messungsjournal \"%1\" ist beschädigt.").arg(damaged.file()));
    EXPECT_FALSE(reader.movedAside());
    EXPECT_TRUE(brokenFiles(damaged.path()).isEmpty());
    EXPECT_EQ(fileBytes(damaged.file()), QByteArray(5000, 'x'));
}

// A reader beside a program measuring into the journal sees its runs, even
// those still in the write-ahead log, and the program goes on keeping runs
// in the same file; a header that looks damaged for a moment moves nothing.
TEST(RunJournal, AReaderBesideAMeasuringProgramLeavesItsFileInPlace) {
    JournalFolder folder;
    RunJournal program(folder.path(), "3.0");
    ASSERT_TRUE(program.open());
    for (int n = 1; n <= 2; ++n) {
        RunRecord run = sampleRun(n);
        ASSERT_FALSE(program.keepRun(run, {}));
    }
    {
        RunJournal reader(folder.path(), "3.0");
        ASSERT_TRUE(reader.openForReading()) << reader.problem().toStdString();
        EXPECT_EQ(reader.runs().size(), 2u);
    }
    RunRecord third = sampleRun(3);
    ASSERT_FALSE(program.keepRun(third, {}));

    QFile file(folder.file());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray header = file.read(16);
    file.seek(0);
    file.write(QByteArray(16, '\0'));
    file.flush();
    {
        RunJournal reader(folder.path(), "3.0");
        EXPECT_FALSE(reader.openForReading());
        EXPECT_TRUE(reader.problem().contains("beschädigt")) << reader.problem().toStdString();
    }
    file.seek(0);
    file.write(header);
    file.close();
    EXPECT_TRUE(brokenFiles(folder.path()).isEmpty());
    RunRecord fourth = sampleRun(4);
    ASSERT_FALSE(program.keepRun(fourth, {})) << "still its own file";
    RunJournal reader(folder.path(), "3.0");
    ASSERT_TRUE(reader.openForReading());
    EXPECT_EQ(reader.runs().size(), 4u);
}

// Programs starting at the same moment, each in its own process, on a new
// journal and on one of the second schema: every one opens it and keeps
// its run, none sees a table created twice or a lock it could not wait for.
TEST(RunJournal, ProgramsStartingAtOnceAllKeepTheirRuns) {
    struct Case {
        int pairs;
        int version; // 0: no journal yet
    };
    for (const Case c : {Case{40, 0}, Case{20, 2}}) {
        SCOPED_TRACE(c.version);
        int failures = 0;
        QStringList why;
        for (int pair = 0; pair < c.pairs; ++pair) {
            JournalFolder folder;
            if (c.version) makeOlderJournal(folder, c.version, sampleRun(1));
            QProcess starts[2];
            for (QProcess& start : starts) {
                start.start(KELMOT_JOURNAL_OPENER, {folder.path()});
                ASSERT_TRUE(start.waitForStarted());
            }
            for (QProcess& start : starts) // released together
                start.write("go\n");
            for (QProcess& start : starts)
                ASSERT_TRUE(start.waitForBytesWritten());
            for (QProcess& start : starts) {
                ASSERT_TRUE(start.waitForFinished(60000));
                if (start.exitStatus() != QProcess::NormalExit || start.exitCode() != 0) {
                    ++failures;
                    why << QString::fromUtf8(start.readAllStandardOutput()).trimmed();
                }
            }
            if (failures) continue;
            RunJournal reader(folder.path(), "3.0");
            ASSERT_TRUE(reader.openForReading());
            EXPECT_EQ(reader.runs().size(), std::size_t(c.version ? 3 : 2));
        }
        EXPECT_EQ(failures, 0) << why.join(" / ").toStdString();
    }
}

// "Sichern …" and `--backup`: one file that holds every run, those still
// in the write-ahead log of a program that is measuring included, readable
// alone, private to the user; a copy replaces an older one only whole.
TEST(RunJournal, ABackupIsOneFileWithEveryRunTheLogStillHolds) {
    JournalFolder folder;
    RunJournal program(folder.path(), "3.0");
    ASSERT_TRUE(program.open());
    std::vector<RunRecord> kept;
    for (int n = 1; n <= 3; ++n) {
        kept.push_back(sampleRun(n));
        ASSERT_FALSE(program.keepRun(kept.back(), {}));
    }
    ASSERT_GT(QFileInfo(folder.file() + "-wal").size(), 0) << "the runs are still in the log";

    QTemporaryDir elsewhere;
    const QString target = elsewhere.filePath("sicherung.sqlite");
    {
        QFile older(target);
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("an older backup");
    }
    RunJournal reader(folder.path(), "3.0");
    ASSERT_TRUE(reader.openForReading());
    ASSERT_FALSE(reader.backUp(target));
    EXPECT_EQ(QFile::permissions(target) & 0x0077, 0) << "nobody else reads the pupils' names";
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "no part left behind";

    // Alone in a folder of its own, as a teacher's copy on a stick.
    JournalFolder restored;
    QDir().mkpath(restored.path());
    ASSERT_TRUE(QFile::copy(target, restored.file()));
    RunJournal copy(restored.path(), "3.0");
    ASSERT_TRUE(copy.openForReading()) << copy.problem().toStdString();
    ASSERT_EQ(copy.runs().size(), 3u);
    for (std::size_t i = 0; i < kept.size(); ++i)
        expectSameTimes(copy.runs()[i], kept[i]);

    const auto failed = reader.backUp(elsewhere.filePath("kein/ordner/sicherung.sqlite"));
    ASSERT_TRUE(failed);
    EXPECT_TRUE(failed->contains("kein/ordner")) << failed->toStdString();
}

TEST(LessonState, ComesBackWithSlotsNamesColoursAndRelationships) {
    MeasurementStore store;
    store.initialise();
    store.OutputMode = 1;
    store.SeriesCounter = 4;
    store.MeasurementNumber = 7;
    store.DataPresent = true;
    store.DataTitle = "Messung 7";
    for (int s = 0; s < 3; ++s) {
        store.SeriesName[s] = QStringLiteral("Messung %1").arg(7 - s);
        store.SeriesColor[s] = s == 0 ? Red : s == 1 ? Navy : Green;
        store.SeriesStRelation[s] = s + 1;
        store.SeriesVtRelation[s] = 2 - s;
        store.SeriesResolution[s] = s % 2;
        for (int k = 0; k < BarrierCount; ++k) {
            store.SeriesDarkTimes[s][k] = k * 0.1 + s / 3.0;
            store.SeriesBrightTimes[s][k] = k * 0.1 + s / 7.0;
        }
    }
    store.RunTimes[0][4] = 1.0 / 9.0;
    const QByteArray state = lessonState(store);
    EXPECT_TRUE(lessonHasSeries(state));

    MeasurementStore back;
    back.initialise();
    ASSERT_TRUE(restoreLesson(state, back));
    EXPECT_EQ(back.OutputMode, 1);
    EXPECT_EQ(back.SeriesCounter, 4);
    EXPECT_EQ(back.MeasurementNumber, 7);
    EXPECT_TRUE(back.DataPresent);
    EXPECT_EQ(back.DataTitle, "Messung 7");
    EXPECT_EQ(back.RunTimes[0][4], 1.0 / 9.0);
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(back.SeriesName[s], store.SeriesName[s]);
        EXPECT_EQ(back.SeriesColor[s], store.SeriesColor[s]);
        EXPECT_EQ(back.SeriesStRelation[s], store.SeriesStRelation[s]);
        EXPECT_EQ(back.SeriesVtRelation[s], store.SeriesVtRelation[s]);
        EXPECT_EQ(back.SeriesResolution[s], store.SeriesResolution[s]);
        for (int k = 0; k < BarrierCount; ++k) {
            EXPECT_EQ(back.SeriesDarkTimes[s][k], store.SeriesDarkTimes[s][k]);
            EXPECT_EQ(back.SeriesBrightTimes[s][k], store.SeriesBrightTimes[s][k]);
        }
    }
    // A damaged mirror leaves the store as it was.
    MeasurementStore untouched;
    untouched.initialise();
    untouched.SeriesName[0] = "bleibt";
    EXPECT_FALSE(restoreLesson(state.left(state.size() / 2), untouched));
    EXPECT_FALSE(restoreLesson(R"({"series":[{"name":""}]})", untouched));
    EXPECT_EQ(untouched.SeriesName[0], "bleibt");
}

TEST(RunJournal, ALessonComesBackOnceAfterAnEndingThatWasNotNormal) {
    JournalFolder folder;
    const QByteArray lesson = R"({"series":[{"name":"Messung 1"}]})";
    {
        RunJournal crashed(folder.path(), "3.0");
        ASSERT_TRUE(crashed.open());
        RunRecord run = sampleRun(1);
        ASSERT_FALSE(crashed.keepRun(run, lesson));
        // No endSession: the program was killed.
    }
    {
        RunJournal next(folder.path(), "3.0");
        ASSERT_TRUE(next.open());
        EXPECT_EQ(next.takeLessonToRecover(), lesson);
        next.endSession();
    }
    {
        // Recovered once; the start after it ended normally: empty.
        RunJournal third(folder.path(), "3.0");
        ASSERT_TRUE(third.open());
        EXPECT_FALSE(third.takeLessonToRecover());
        third.endSession();
    }
}

// Whatever ran between the crash and the start that recovers, the newest
// lesson of a start that did not end cleanly comes back: a restart killed
// before it recovered (or just after), another program that measured and
// ended normally meanwhile, an analysis.
TEST(RunJournal, TheLessonComesBackWhateverRanBetweenTheCrashAndTheRestart) {
    const QByteArray lesson = R"({"series":[{"name":"Messung 3"}]})";
    const auto crashedWith = [](const JournalFolder& folder, const QByteArray& held) {
        RunJournal crashed(folder.path(), "3.0");
        ASSERT_TRUE(crashed.open());
        RunRecord run = sampleRun(3);
        ASSERT_FALSE(crashed.keepRun(run, held));
    }; // no endSession: killed
    const auto recovered = [](const JournalFolder& folder) {
        RunJournal next(folder.path(), "3.0");
        EXPECT_TRUE(next.open());
        const auto taken = next.takeLessonToRecover();
        next.endSession();
        return taken;
    };
    const std::vector<std::pair<const char*, std::function<void(const JournalFolder&)>>> between{
        {"a restart killed before it recovered",
         [](const JournalFolder& f) {
             RunJournal restart(f.path(), "3.0");
             ASSERT_TRUE(restart.open());
         }},
        {"a restart killed just after it recovered",
         [&](const JournalFolder& f) {
             RunJournal restart(f.path(), "3.0");
             ASSERT_TRUE(restart.open());
             EXPECT_EQ(restart.takeLessonToRecover(), lesson);
         }},
        {"an analysis",
         [](const JournalFolder& f) {
             RunJournal analysis(f.path(), "3.0");
             ASSERT_TRUE(analysis.open());
             std::vector<RunRecord> found{sampleRun(7), sampleRun(8)};
             ASSERT_FALSE(analysis.keepRuns(found, {}));
             analysis.endSession();
         }},
    };
    for (const auto& [what, run] : between) {
        SCOPED_TRACE(what);
        JournalFolder folder;
        crashedWith(folder, lesson);
        run(folder);
        EXPECT_EQ(recovered(folder), lesson);
        EXPECT_FALSE(recovered(folder)) << "once only";
    }

    // A second program starts while the first measures, ends normally, and
    // then the first is killed.
    JournalFolder folder;
    {
        RunJournal first(folder.path(), "3.0");
        ASSERT_TRUE(first.open());
        ASSERT_FALSE(first.mirrorLesson(lesson));
        RunJournal second(folder.path(), "3.0");
        ASSERT_TRUE(second.open());
        EXPECT_FALSE(second.takeLessonToRecover());
        ASSERT_FALSE(second.mirrorLesson(R"({"series":[{"name":"Andere"}]})"));
        second.endSession();
    }
    EXPECT_EQ(recovered(folder), lesson);

    // Two starts killed: the newer one's lesson.
    JournalFolder twice;
    crashedWith(twice, R"({"series":[{"name":"Messung 1"}]})");
    crashedWith(twice, lesson);
    EXPECT_EQ(recovered(twice), lesson);
}

TEST(RunJournal, ALessonOfAProgramStillRunningOrEndedNormallyStaysWhereItIs) {
    JournalFolder folder;
    const QByteArray lesson = R"({"series":[{"name":"Messung 1"}]})";
    RunJournal running(folder.path(), "3.0");
    ASSERT_TRUE(running.open());
    ASSERT_FALSE(running.mirrorLesson(lesson));
    {
        RunJournal second(folder.path(), "3.0");
        ASSERT_TRUE(second.open());
        EXPECT_FALSE(second.takeLessonToRecover()); // the first is still measuring
        second.endSession();
    }
    running.endSession();
    RunJournal after(folder.path(), "3.0");
    ASSERT_TRUE(after.open());
    EXPECT_FALSE(after.takeLessonToRecover());
}

TEST(RunTables, ALineForScriptsWithPointsAndTabs) {
    RunRecord run = sampleRun(3);
    run.id = 42;
    run.name = "Gruppe\t3";
    const QStringList fields = runLine(run).split(u'\t');
    ASSERT_EQ(fields.size(), 5 + 2 * BarrierCount);
    EXPECT_EQ(fields[0], "42");
    EXPECT_EQ(fields[1], "2026-12-09T11:00:01+01:00");
    EXPECT_EQ(fields[2], "Gruppe 3");
    EXPECT_EQ(fields[3], "s-t");
    EXPECT_EQ(fields[4], "1");
    EXPECT_EQ(fields[5], "-0.0003");
    for (int k = 0; k < BarrierCount; ++k) {
        EXPECT_EQ(fields[5 + k].toDouble(), run.darkTimes[k]);
        EXPECT_EQ(fields[15 + k].toDouble(), run.brightTimes[k]);
    }
    EXPECT_EQ(runFileName(run, ".kmd"), "42 Gruppe_3.kmd"); // a tab is a control character
    run.name = "a/b:c";
    EXPECT_EQ(runFileName(run, ".kmd"), "42 a_b_c.kmd");
}

TEST(RunTables, OneRowPerBarrierOfEachRunInTheLocalesNumbers) {
    RunRecord a = sampleRun(1), b = sampleRun(2);
    a.id = 1;
    b.id = 2;
    const TableTexts table = runsTable({a, b}, QLocale(QLocale::German));
    ASSERT_EQ(table.size(), 1u + 2 * BarrierCount);
    EXPECT_EQ(table[0][0], "Nr.");
    EXPECT_EQ(table[1][5], "0,0");
    EXPECT_EQ(table[1][6], "0,000"); // resolution 1: three decimals, as the table shows -0.0003
    EXPECT_EQ(table[11][0], "2");
    EXPECT_EQ(table[11][6], "0,00"); // resolution 0: two
    EXPECT_EQ(table[20][5], "0,9");
}

TEST(RunListModel, NarrowsToTodayThisWeekAndASearchAndRenames) {
    std::vector<RunSummary> runs;
    const QDate today(2026, 12, 9); // a Wednesday
    const auto add = [&](qint64 id, QDate day, const QString& name) {
        RunSummary s;
        s.id = id;
        s.startedLocal = QDateTime(day, QTime(9, 0), Qt::OffsetFromUTC, 3600);
        s.name = name;
        s.kind = "s-t";
        s.source = "Simulation: virtuelle Fahrbahn";
        runs.push_back(s);
    };
    add(4, today, "Gruppe 3, 50 g");
    add(3, today.addDays(-2), "Messung 2"); // Monday
    add(2, today.addDays(-3), "Messung 1"); // Sunday before
    add(1, today.addDays(-30), "Alt");
    QList<QPair<qint64, QString>> renamed;
    RunListModel model([&](qint64 id, const QString& name) {
        renamed.append({id, name});
        return true;
    });
    model.setRuns(runs);
    EXPECT_EQ(model.rowCount(), 4);
    model.setFilter(RunListModel::Span::Today, {}, today);
    EXPECT_EQ(model.rowCount(), 1);
    model.setFilter(RunListModel::Span::ThisWeek, {}, today);
    EXPECT_EQ(model.rowCount(), 2);
    model.setFilter(RunListModel::Span::All, "gruppe", today);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.runAt(0).id, 4);
    model.setFilter(RunListModel::Span::All, {}, today);
    EXPECT_EQ(model.data(model.index(0, RunListModel::Name)).toString(), "Gruppe 3, 50 g");
    EXPECT_EQ(model.data(model.index(0, RunListModel::Time)).toString(), "09:00:00");
    // A new name is kept; an empty one is refused (it would mark an empty slot).
    EXPECT_TRUE(model.setData(model.index(1, RunListModel::Name), "Wagen schwer"));
    EXPECT_FALSE(model.setData(model.index(1, RunListModel::Name), "  "));
    EXPECT_FALSE(model.setData(model.index(1, RunListModel::Kind), "v-t"));
    ASSERT_EQ(renamed.size(), 1);
    EXPECT_EQ(renamed[0], (QPair<qint64, QString>{3, "Wagen schwer"}));
    EXPECT_EQ(model.data(model.index(1, RunListModel::Name)).toString(), "Wagen schwer");
}
