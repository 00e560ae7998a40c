// SPDX-License-Identifier: GPL-3.0-or-later
// "Alle Messungen" alone, over a journal in a folder of its own and a loader
// that notes what it is handed.
#include "acquisition/tabellemess_u.h"
#include "app/kelmot_u.h"
#include "app/program.h"
#include "evaluation/tabelle_u.h"
#include "journal/allrunswindow.h"
#include "journal/runjournal.h"
#include "journal/timestext.h"
#include "store/datafile.h"
#include "tests/app/gui_fixture.h"
#include "tests/eventloop.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <freexl.h>

using namespace kelmot;
using namespace kelmot::test;

namespace {

struct NotingLoader : RunLoader {
    std::vector<RunRecord> runs;
    bool brightTimes = false;
    int calls = 0;
    void loadRuns(const std::vector<RunRecord>& r, bool withBrightTimes) override {
        runs = r;
        brightTimes = withBrightTimes;
        ++calls;
    }
};

class AllRunsAlone : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(journal.open());
        const QDateTime now = QDateTime::currentDateTimeUtc();
        for (int n = 1; n <= 4; ++n) {
            RunRecord run;
            run.number = n;
            run.name = QStringLiteral("Messung %1").arg(n);
            run.kind = "s-t";
            run.resolution = 1; // and no flag width: an s-t run says none
            for (int k = 0; k < BarrierCount; ++k) {
                run.darkTimes[k] = -0.0003 + k * 0.2 + n / 1000.0;
                run.brightTimes[k] = run.darkTimes[k] + 0.03;
            }
            // The oldest two a month ago, the newest two now.
            run.endedUtc = n <= 2 ? now.addDays(-30) : now;
            run.startedUtc = run.endedUtc;
            run.utcOffsetSeconds = QDateTime::currentDateTime().offsetFromUtc();
            run.source = n == 4 ? "Wiedergabe: gruppe4.wav" : "Simulation: virtuelle Fahrbahn";
            const auto failure = journal.keepRun(run, {});
            ASSERT_FALSE(failure) << failure->toStdString();
        }
        window =
            std::make_unique<AllRunsWindow>(journal, loader, nullptr, [this](QWidget*, int count) {
                asked << count;
                return allowDelete;
            });
        window->open();
    }
    void TearDown() override { window.reset(); }

    int rows() const { return window->Liste->model()->rowCount(); }
    QString nameAt(int row) const {
        return window->Liste->model()->index(row, RunListModel::Name).data().toString();
    }

    QTemporaryDir dir;
    RunJournal journal{dir.path() + "/kelmot", "3.0"};
    NotingLoader loader;
    QList<int> asked;
    bool allowDelete = false;
    std::unique_ptr<AllRunsWindow> window;
};

} // namespace

TEST_F(AllRunsAlone, ListsNewestFirstAndNarrowsByKeyboard) {
    ASSERT_EQ(rows(), 4);
    EXPECT_EQ(nameAt(0), "Messung 4");
    EXPECT_EQ(nameAt(3), "Messung 1");
    // The span by keyboard: the radio buttons act on their state.
    window->RB_heute->setFocus();
    window->RB_heute->setChecked(true);
    EXPECT_EQ(rows(), 2);
    window->RB_woche->setChecked(true);
    EXPECT_EQ(rows(), 2);
    window->RB_alle->setChecked(true);
    EXPECT_EQ(rows(), 4);
    QTest::keyClicks(window->E_suche, "gruppe4");
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(nameAt(0), "Messung 4");
    window->E_suche->clear();
    EXPECT_EQ(rows(), 4);
}

TEST_F(AllRunsAlone, ARenamedRunKeepsItsNameInTheJournal) {
    window->Liste->selectRow(1);
    window->B_umbenennen->click();
    auto* editor = window->Liste->findChild<QLineEdit*>();
    ASSERT_TRUE(editor) << "the name opens for editing";
    editor->selectAll();
    QTest::keyClicks(editor, "Gruppe 3, 50 g");
    ASSERT_EQ(editor->text(), "Gruppe 3, 50 g");
    QTest::keyClick(editor, Qt::Key_Return);
    // The view takes the edit when its event loop next runs.
    EXPECT_TRUE(processUntil([&] { return nameAt(1) == "Gruppe 3, 50 g"; }));
    const qint64 id = window->model().runAt(1).id;
    EXPECT_EQ(journal.run(id)->name, "Gruppe 3, 50 g");
    window->refresh();
    EXPECT_EQ(nameAt(1), "Gruppe 3, 50 g");
}

TEST_F(AllRunsAlone, LoadsTheChosenRunsNewestFirst) {
    window->Liste->selectRow(3);
    window->Liste->selectionModel()->select(window->Liste->model()->index(2, 0),
                                            QItemSelectionModel::Select |
                                                QItemSelectionModel::Rows); // and the one above
    window->B_ladenvt->click();
    ASSERT_EQ(loader.calls, 1);
    EXPECT_TRUE(loader.brightTimes);
    ASSERT_EQ(loader.runs.size(), 2u);
    EXPECT_EQ(loader.runs[0].name, "Messung 2");
    EXPECT_EQ(loader.runs[1].name, "Messung 1");
    EXPECT_EQ(loader.runs[1].darkTimes[9], -0.0003 + 9 * 0.2 + 0.001);
}

TEST_F(AllRunsAlone, DeletesOnlyAfterTheQuestion) {
    window->Liste->selectRow(0);
    ASSERT_TRUE(window->B_loeschen->isEnabled());
    ASSERT_EQ(window->selectedRuns().size(), 1u);
    window->B_loeschen->click();
    EXPECT_EQ(asked, QList<int>{1});
    EXPECT_EQ(journal.runs().size(), 4u) << "answered no";
    allowDelete = true;
    window->B_loeschen->click();
    EXPECT_EQ(journal.runs().size(), 3u);
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(nameAt(0), "Messung 3");
}

// "Sichern …" copies the whole journal, whatever is chosen in the list, into
// the one file named.
TEST_F(AllRunsAlone, SichernCopiesTheWholeJournalIntoTheOneFileNamed) {
    EXPECT_TRUE(window->B_sichern->isEnabled());
    QTemporaryDir out;
    const QString target = out.filePath("sicherung.sqlite");
    const auto runsIn = [](const QString& copy) {
        QTemporaryDir alone;
        QDir().mkpath(alone.filePath("kelmot"));
        QFile::copy(copy, alone.filePath("kelmot/runs.sqlite"));
        RunJournal reader(alone.filePath("kelmot"), "3.0");
        return reader.openForReading() ? reader.runs() : std::vector<RunRecord>{};
    };
    EXPECT_EQ(answeringModals([&] { window->B_sichern->click(); }, chooseFile(target)),
              QStringList{"BackupDialog"});
    const auto copied = runsIn(target);
    ASSERT_EQ(copied.size(), 4u);
    EXPECT_EQ(copied[3].name, "Messung 4");
    EXPECT_EQ(copied[3].darkTimes[9], journal.runs()[3].darkTimes[9]);

    // Cancelled, nothing is written.
    QFile::remove(target);
    EXPECT_EQ(answeringModals([&] { window->B_sichern->click(); }, chooseFile({})),
              QStringList{"BackupDialog"});
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(AllRunsAlone, SavesOneDataFilePerRunAndExportsOneSheetAndOneCsv) {
    window->Liste->selectAll();
    ASSERT_EQ(window->selectedRuns().size(), 4u);
    QTemporaryDir out;
    // The folder, as a user types its name in the dialog.
    const QStringList seen =
        answeringModals([&] { window->saveSelected(); }, chooseFile(out.path()));
    EXPECT_EQ(seen, QStringList{"FolderDialog"});
    const QStringList files = QDir(out.path()).entryList({"*.kmd"}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 4) << files.join(' ').toStdString();
    // Each reads back as a data file with its run's times.
    MeasurementStore back;
    QFile first(out.filePath(files[0]));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    ASSERT_FALSE(readDataFileLines(splitTextLines(first.readAll(), 11), back));
    const RunRecord run1 = *journal.run(files[0].section(u' ', 0, 0).toLongLong());
    for (int k = 0; k < BarrierCount; ++k)
        EXPECT_NEAR(back.RunTimes[0][k], run1.darkTimes[k], 1e-12);

    const QString base = out.filePath("alle");
    EXPECT_EQ(answeringModals([&] { window->exportSelected(); }, chooseFile(base + ".xls")),
              QStringList{"ExportDialog"});
    ASSERT_TRUE(QFile::exists(base + ".xls"));
    ASSERT_TRUE(QFile::exists(base + ".csv"));
    // A spreadsheet reader sees one header row and ten rows per run.
    const void* handle = nullptr;
    ASSERT_EQ(freexl_open(QFile::encodeName(base + ".xls").constData(), &handle), FREEXL_OK);
    ASSERT_EQ(freexl_select_active_worksheet(handle, 0), FREEXL_OK);
    unsigned int rowsInSheet = 0;
    unsigned short columns = 0;
    ASSERT_EQ(freexl_worksheet_dimensions(handle, &rowsInSheet, &columns), FREEXL_OK);
    EXPECT_EQ(rowsInSheet, 1u + 4 * BarrierCount);
    EXPECT_EQ(columns, 8);
    freexl_close(handle);
    QFile csv(base + ".csv");
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(csv.readAll().count("\r\n"), 1 + 4 * BarrierCount);
}
