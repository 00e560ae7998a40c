// SPDX-License-Identifier: GPL-3.0-or-later
// The journal with the whole program: runs survive a killed process, the
// lesson comes back, "Alle Messungen" lists and loads, `kelmot --runs`
// prints what the window showed.
#include "acquisition/tabellemess_u.h"
#include "app/kelmot_u.h"
#include "app/program.h"
#include "evaluation/tabelle_u.h"
#include "journal/allrunswindow.h"
#include "journal/runjournal.h"
#include "journal/timestext.h"
#include "platform/paced_wavein.h"
#include "platform/simulatedtrack.h"
#include "tests/app/gui_fixture.h"
#include "tests/eventloop.h"

#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTableView>
#include <csignal>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

// What the crash helper printed of one run as its status line said it ended.
struct RunSeenEnded {
    int number = 0;
    QString dark, bright, cells;
};

std::optional<RunSeenEnded> endedRun(const QByteArray& line) {
    if (!line.startsWith("ENDED ")) return std::nullopt;
    const QStringList parts = QString::fromUtf8(line.mid(6)).trimmed().split(" | ");
    if (parts.size() != 3) return std::nullopt;
    RunSeenEnded run;
    const int blank = parts[0].indexOf(u' ');
    run.number = parts[0].left(blank).toInt();
    run.dark = parts[0].mid(blank + 1);
    run.bright = parts[1];
    run.cells = parts[2];
    return run;
}

// A data folder of its own for the program under test and for this process
// while a test runs; the previous one comes back afterwards.
class JournalProgram : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        previousDataHome_ = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome_.path()));
    }
    void TearDown() override {
        ProgramFixture::TearDown();
        qputenv("XDG_DATA_HOME", previousDataHome_);
    }

    // Starts the helper measuring; kills it once it has said `endedBefore`
    // runs ended (and, at random, a few milliseconds later). Returns what it said.
    std::vector<RunSeenEnded> runAndKill(int endedBefore, QStringList extra = {}, int afterMs = 0) {
        QProcess helper;
        helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        helper.start(KELMOT_JOURNAL_CRASHER, QStringList{"0"} + extra);
        EXPECT_TRUE(helper.waitForStarted());
        std::vector<RunSeenEnded> ended;
        QByteArray pending;
        const bool reached = processUntil(
            [&] {
                helper.waitForReadyRead(20);
                pending += helper.readAllStandardOutput();
                while (pending.contains('\n')) {
                    const int at = pending.indexOf('\n');
                    if (auto run = endedRun(pending.left(at))) ended.push_back(*run);
                    pending.remove(0, at + 1);
                }
                return int(ended.size()) >= endedBefore || helper.state() == QProcess::NotRunning;
            },
            180000);
        EXPECT_TRUE(reached);
        if (afterMs > 0) helper.waitForFinished(afterMs); // a kill in the middle of a run
        ::kill(pid_t(helper.processId()), SIGKILL);
        helper.waitForFinished(30000);
        // Whatever it printed before it died was said to the user too.
        pending += helper.readAllStandardOutput();
        for (const QByteArray& line : pending.split('\n'))
            if (auto run = endedRun(line)) ended.push_back(*run);
        EXPECT_EQ(helper.exitStatus(), QProcess::CrashExit) << "it was killed, not ended";
        return ended;
    }

    QString journalFolderHere() const { return dataHome_.path() + "/kelmot"; }

    QTemporaryDir dataHome_;
    QByteArray previousDataHome_;
};

} // namespace

// 200 runs in all, the program killed at random moments: every run whose
// status line said "Messung beendet" is in the journal, and the file is whole.
TEST_F(JournalProgram, EveryRunThatEndedSurvivesAKillAtAnyMoment) {
    QRandomGenerator random(20261209);
    std::vector<RunSeenEnded> told;
    while (told.size() < 200) {
        const int runs = random.bounded(1, 30);
        const auto ended = runAndKill(runs, {}, random.bounded(0, 40));
        ASSERT_GE(int(ended.size()), runs);
        told.insert(told.end(), ended.begin(), ended.end());
    }
    RunJournal journal(journalFolderHere(), "3.0");
    ASSERT_TRUE(journal.openForReading()) << journal.problem().toStdString();
    EXPECT_FALSE(journal.movedAside()) << "the file passed its integrity check";
    QSet<QString> kept;
    for (const RunRecord& run : journal.runs())
        kept.insert(timesText(run.darkTimes) + '|' + timesText(run.brightTimes));
    int missing = 0;
    for (const RunSeenEnded& run : told)
        if (!kept.contains(run.dark + '|' + run.bright)) ++missing;
    EXPECT_EQ(missing, 0) << "of " << told.size() << " runs the user saw end";
    std::printf("%zu runs seen ended over the kills, %lld kept, %d missing\n", told.size(),
                static_cast<long long>(kept.size()), missing);
}

// Three runs in "one list" mode, then SIGKILL: nothing of the lesson is lost.
TEST_F(JournalProgram, ThreeRunsKilledComeBackListedAndLoadable) {
    const auto ended = runAndKill(3);
    ASSERT_GE(ended.size(), 3u);

    // `kelmot --runs` lists all three with the times the window showed.
    QProcess runs;
    runs.start(KELMOT_PROGRAM, {"--runs"});
    ASSERT_TRUE(runs.waitForFinished(60000));
    EXPECT_EQ(runs.exitCode(), 0) << runs.readAllStandardError().toStdString();
    const QList<QByteArray> lines = runs.readAllStandardOutput().trimmed().split('\n');
    ASSERT_EQ(lines.size(), qsizetype(ended.size()));
    for (std::size_t i = 0; i < ended.size(); ++i) {
        const QStringList fields = QString::fromUtf8(lines[qsizetype(i)]).split(u'\t');
        ASSERT_EQ(fields.size(), 25);
        EXPECT_EQ(fields[2], QStringLiteral("Messung %1").arg(ended[i].number));
        EXPECT_EQ(fields[3], "v-t");
        EXPECT_EQ(fields.mid(5, 10).join(u' '), ended[i].dark);
        EXPECT_EQ(fields.mid(15, 10).join(u' '), ended[i].bright);
    }

    // A new start shows the last run again and says so.
    start();
    EXPECT_EQ(Store.SeriesName[0], QStringLiteral("Messung %1").arg(ended.back().number));
    EXPECT_EQ(timesText(std::span(Store.SeriesDarkTimes[0], BarrierCount)), ended.back().dark);
    EXPECT_TRUE(Store.DataPresent);
    EXPECT_TRUE(Form6->isVisible()) << "the last run is shown";
    auto* notice = Form1->findChild<QMessageBox*>("JournalNotice");
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->text(), "Die Messungen der letzten Sitzung sind wiederhergestellt.");
    EXPECT_TRUE(notice->isVisible());

    // "Alle Messungen" lists all three, newest first, and loads the first.
    Form1->Allemessungen1Click();
    ASSERT_TRUE(allRunsWindow()->isVisible());
    ASSERT_EQ(allRunsWindow()->Liste->model()->rowCount(), int(ended.size()));
    allRunsWindow()->Liste->selectRow(int(ended.size()) - 1);
    allRunsWindow()->B_ladenst->click();
    EXPECT_EQ(Store.SeriesName[0], QStringLiteral("Messung %1").arg(ended.front().number));
    EXPECT_EQ(timesText(std::span(Store.SeriesDarkTimes[0], BarrierCount)), ended.front().dark);
    EXPECT_EQ(Store.DataTitle, Store.SeriesName[0]);
    EXPECT_TRUE(Form6->isVisible());
}

// `kelmot --runs` and `kelmot --backup` beside a program that goes on
// measuring: both read what it kept, the backup holds it all in one file,
// and the program keeps its later runs in the same journal, nothing moved.
TEST_F(JournalProgram, ReadersBesideAMeasuringProgramLeaveItsJournalAlone) {
    QProcess helper;
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start(KELMOT_JOURNAL_CRASHER, {"0"});
    ASSERT_TRUE(helper.waitForStarted());
    int endedRuns = 0;
    QByteArray pending;
    const auto untilEnded = [&](int count) {
        return processUntil(
            [&] {
                helper.waitForReadyRead(20);
                pending += helper.readAllStandardOutput();
                for (int at; (at = int(pending.indexOf('\n'))) >= 0; pending.remove(0, at + 1))
                    endedRuns += endedRun(pending.left(at)) ? 1 : 0;
                return endedRuns >= count || helper.state() == QProcess::NotRunning;
            },
            180000);
    };
    ASSERT_TRUE(untilEnded(2));

    QProcess runs;
    runs.start(KELMOT_PROGRAM, {"--runs"});
    ASSERT_TRUE(runs.waitForFinished(60000));
    EXPECT_EQ(runs.exitCode(), 0) << runs.readAllStandardError().toStdString();
    EXPECT_GE(runs.readAllStandardOutput().count('\n'), 2);
    QTemporaryDir out;
    const QString target = out.filePath("sicherung.sqlite");
    QProcess backup;
    backup.start(KELMOT_PROGRAM, {"--backup", target});
    ASSERT_TRUE(backup.waitForFinished(60000));
    EXPECT_EQ(backup.exitCode(), 0) << backup.readAllStandardError().toStdString();
    EXPECT_TRUE(QString::fromLocal8Bit(backup.readAllStandardOutput()).contains(target));
    const int endedBeforeBackup = endedRuns;

    ASSERT_TRUE(untilEnded(endedBeforeBackup + 2)) << "it goes on measuring";
    ::kill(pid_t(helper.processId()), SIGKILL);
    helper.waitForFinished(30000);
    EXPECT_TRUE(QDir(journalFolderHere()).entryList({"runs-broken-*"}).isEmpty());
    RunJournal journal(journalFolderHere(), "3.0");
    ASSERT_TRUE(journal.openForReading()) << journal.problem().toStdString();
    EXPECT_GE(int(journal.runs().size()), endedBeforeBackup + 2) << "in the same file";

    QTemporaryDir alone;
    QDir().mkpath(alone.filePath("kelmot"));
    ASSERT_TRUE(QFile::copy(target, alone.filePath("kelmot/runs.sqlite")));
    RunJournal copy(alone.filePath("kelmot"), "3.0");
    ASSERT_TRUE(copy.openForReading()) << copy.problem().toStdString();
    EXPECT_GE(int(copy.runs().size()), endedBeforeBackup) << "the backup holds every run ended";
}

// A program ended through "Ende" starts empty the next time.
TEST_F(JournalProgram, AfterANormalEndTheNextStartIsEmpty) {
    QProcess helper;
    helper.start(KELMOT_JOURNAL_CRASHER, {"2", "--end"});
    ASSERT_TRUE(helper.waitForFinished(180000));
    ASSERT_EQ(helper.exitCode(), 0);
    start();
    EXPECT_FALSE(Store.DataPresent);
    EXPECT_TRUE(Store.SeriesName[0].isEmpty());
    EXPECT_FALSE(Form1->findChild<QMessageBox*>("JournalNotice"));
    Form1->Allemessungen1Click();
    EXPECT_EQ(allRunsWindow()->Liste->model()->rowCount(), 2) << "the runs are kept all the same";
}

// Three lists: the slots, their names, colours and relationships come back.
TEST_F(JournalProgram, ThreeListsComeBackWithColoursAndRelationships) {
    const auto ended = runAndKill(4, {"three"});
    ASSERT_GE(ended.size(), 4u);
    start();
    EXPECT_EQ(Store.OutputMode, 1);
    const int last = ended.back().number;
    for (int s = 0; s < 3; ++s)
        EXPECT_EQ(Store.SeriesName[s], QStringLiteral("Messung %1").arg(last - s)) << s;
    EXPECT_EQ(Form6->selector().count(), 3);
    EXPECT_NE(Store.SeriesColor[0], Store.SeriesColor[1]);
    EXPECT_NE(Store.SeriesColor[1], Store.SeriesColor[2]);
    // The next run carries the count on: "Messung 5", not "Messung 1".
    EXPECT_EQ(Store.MeasurementNumber, last);
}

// A journal overwritten with garbage is moved aside; the next run is kept.
TEST_F(JournalProgram, AGarbageJournalIsMovedAsideAndTheNextRunIsKept) {
    QDir().mkpath(journalFolderHere());
    {
        QFile garbage(journalFolderHere() + "/runs.sqlite");
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(100000, '\x42'));
    }
    start(SimulatedMixerApi::demonstrationDevices(),
          std::make_shared<PacedBackend>("Simulation", demonstrationRuns(), 50.0,
                                         "virtuelle Fahrbahn", PacedBackend::Pacing::Lossless));
    auto* notice = Form1->findChild<QMessageBox*>("JournalNotice");
    ASSERT_TRUE(notice);
    const QStringList aside =
        QDir(journalFolderHere()).entryList({"runs-broken-*.sqlite"}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_TRUE(notice->text().contains(aside[0])) << notice->text().toStdString();
    EXPECT_TRUE(notice->text().contains("runs.sqlite"));

    Form1->Messenst1Click();
    Form2->B_mess->click();
    ASSERT_TRUE(processUntil([] { return Store.MeasurementNumber == 1; }, 120000));
    EXPECT_TRUE(Form2->L_journal->isHidden()) << Form2->L_journal->text().toStdString();
    EXPECT_EQ(Journal->runs().size(), 1u);
    EXPECT_EQ(Journal->runs()[0].source, "Simulation: virtuelle Fahrbahn");
    EXPECT_EQ(Journal->runs()[0].kind, "s-t");
    EXPECT_EQ(Journal->runs()[0].flagWidthMm, "10");
    ASSERT_TRUE(processUntil([] { return !Form2->AudioIn->DeviceOpen(); }));
}

// A journal that cannot be written never stops a run: the window says why.
TEST_F(JournalProgram, AJournalThatCannotBeKeptLeavesMeasuringAsItIsAndSaysWhy) {
    // A file where the data folder should be: nothing can be created there.
    QFile blocker(dataHome_.path() + "/kelmot");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    start(SimulatedMixerApi::demonstrationDevices(),
          std::make_shared<PacedBackend>("Simulation", demonstrationRuns(), 50.0,
                                         "virtuelle Fahrbahn", PacedBackend::Pacing::Lossless));
    Form1->Messenst1Click();
    EXPECT_TRUE(Form2->L_journal->isVisible()) << "said before the first run";
    EXPECT_TRUE(Form2->L_journal->text().contains(dataHome_.path() + "/kelmot"))
        << Form2->L_journal->text().toStdString();
    Form2->B_mess->click();
    ASSERT_TRUE(processUntil([] { return Store.MeasurementNumber == 1; }, 120000));
    ASSERT_TRUE(processUntil([] { return Form2->L_status->text() == "  Messung beendet  "; }));
    EXPECT_TRUE(Store.DataPresent);
    EXPECT_TRUE(Form2->L_journal->isVisible());
    Form1->Allemessungen1Click();
    EXPECT_TRUE(allRunsWindow()->L_problem->isVisible());
    EXPECT_EQ(allRunsWindow()->L_problem->text(), Form2->L_journal->text());
    ASSERT_TRUE(processUntil([] { return !Form2->AudioIn->DeviceOpen(); }));
}
