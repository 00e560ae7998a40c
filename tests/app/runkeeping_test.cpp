// SPDX-License-Identifier: GPL-3.0-or-later
// The program's keeper of runs and the lesson over a journal in a folder of
// its own, without windows.
#include "app/runkeeping.h"
#include "journal/lessonstate.h"
#include "journal/runjournal.h"
#include "store/measurementstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace kelmot;

namespace {

MeasurementStore storeWithASeries(const QString& name) {
    MeasurementStore store;
    store.initialise();
    store.DataPresent = true;
    store.SeriesName[0] = name;
    for (int k = 0; k < BarrierCount; ++k)
        store.SeriesDarkTimes[0][k] = store.RunTimes[0][k] = k * 0.1;
    return store;
}

} // namespace

// A start killed while its windows were being made, before it recovered:
// its empty store was never mirrored, so the lesson of the start before
// still comes back; after a recovery the lesson is mirrored as it changes.
TEST(RunKeeping, AStartKilledBeforeItRecoveredHidesNoLesson) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/kelmot";
    MeasurementStore lessonStore = storeWithASeries("Messung 3");
    {
        RunJournal crashed(folder, "3.0");
        ASSERT_TRUE(crashed.open());
        ASSERT_FALSE(crashed.mirrorLesson(lessonState(lessonStore)));
    }
    {
        RunJournal restart(folder, "3.0");
        ASSERT_TRUE(restart.open());
        MeasurementStore empty;
        empty.initialise();
        RunKeeping keeping(restart, empty, {});
        keeping.storeChanged(); // the windows at start touch the store
    }
    {
        RunJournal next(folder, "3.0");
        ASSERT_TRUE(next.open());
        MeasurementStore store;
        store.initialise();
        RunKeeping keeping(next, store, {});
        ASSERT_TRUE(keeping.recoverLesson());
        EXPECT_EQ(store.SeriesName[0], "Messung 3");
        store.SeriesName[0] = "Gruppe 2";
        keeping.storeChanged();
    } // killed as well
    RunJournal third(folder, "3.0");
    ASSERT_TRUE(third.open());
    MeasurementStore again;
    again.initialise();
    RunKeeping keeping(third, again, {});
    ASSERT_TRUE(keeping.recoverLesson());
    EXPECT_EQ(again.SeriesName[0], "Gruppe 2") << "mirrored once recovered";
}

// A run's barriers fill the store one by one: none is a synced write, the
// run is kept with the lesson in one, and a program killed in the middle of
// a run brings back the last complete run, not a blend of two.
TEST(RunKeeping, ARunIsOneSyncedWriteAndAKillMidRunLeavesTheLastCompleteOne) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/kelmot";
    MeasurementStore store = storeWithASeries("Messung 1");
    double completeRun[BarrierCount];
    {
        RunJournal journal(folder, "3.0");
        ASSERT_TRUE(journal.open());
        bool underway = false;
        RunKeeping keeping(journal, store, {{}, {}, [&] { return underway; }});
        keeping.recoverLesson();
        keeping.storeChanged();
        const int before = journal.commits();

        underway = true; // "Messen": the next run fills the barriers
        for (int k = 0; k < BarrierCount; ++k) {
            store.RunTimes[0][k] = 5.0 + k * 0.2;
            keeping.storeChanged();
        }
        EXPECT_EQ(journal.commits(), before) << "no write per barrier";
        ASSERT_FALSE(keeping.keepRun({}));
        underway = false;
        keeping.storeChanged();
        EXPECT_EQ(journal.commits(), before + 1) << "the run and its lesson together";

        underway = true; // a third run, killed at its eighth barrier
        for (int k = 0; k < 8; ++k) {
            store.RunTimes[0][k] = 9.0 + k * 0.3;
            keeping.storeChanged();
        }
    }
    for (int k = 0; k < BarrierCount; ++k)
        completeRun[k] = 5.0 + k * 0.2; // the second run, kept whole
    RunJournal next(folder, "3.0");
    ASSERT_TRUE(next.open());
    MeasurementStore back;
    back.initialise();
    RunKeeping keeping(next, back, {});
    ASSERT_TRUE(keeping.recoverLesson());
    for (int k = 0; k < BarrierCount; ++k)
        EXPECT_EQ(back.RunTimes[0][k], completeRun[k]) << k;
}

// The journal found damaged while the program measures: the run that finds
// it is kept in a new journal, the window is told once which file went
// where, the new journal holds this start so its lesson comes back.
TEST(RunKeeping, AJournalMovedAsideWhileMeasuringIsSaidOnceAndTheLessonGoesOn) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/kelmot";
    MeasurementStore store = storeWithASeries("Messung 1");
    {
        RunJournal journal(folder, "3.0");
        ASSERT_TRUE(journal.open());
        RunKeeping keeping(journal, store, {});
        keeping.recoverLesson();
        ASSERT_FALSE(keeping.keepRun({}));
        EXPECT_FALSE(keeping.takeNotice());
        // Spoiled in place, its log and shared index with it, as a failing
        // disk or another program might.
        for (const char* name : {"/runs.sqlite", "/runs.sqlite-wal", "/runs.sqlite-shm"}) {
            QFile file(folder + name);
            const qint64 size = file.size();
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            file.write(QByteArray(std::max<qint64>(size, 8192), 'x'));
        }
        std::optional<QString> failure;
        for (int run = 2; run <= 3 && (run == 2 || failure); ++run) {
            store.SeriesName[0] = QStringLiteral("Messung %1").arg(run);
            failure = keeping.keepRun({}); // a write may fail before the file is found damaged
        }
        ASSERT_FALSE(failure) << failure->toStdString();
        const auto notice = keeping.takeNotice();
        ASSERT_TRUE(notice);
        const QStringList aside = QDir(folder).entryList({"runs-broken-*.sqlite"}, QDir::Files);
        ASSERT_EQ(aside.size(), 1);
        EXPECT_TRUE(notice->contains(aside[0])) << notice->toStdString();
        EXPECT_TRUE(notice->contains(folder + "/runs.sqlite")) << notice->toStdString();
        EXPECT_FALSE(keeping.takeNotice()) << "said once";
        EXPECT_EQ(journal.movedAsideNotice(), *notice) << "for \"Alle Messungen\"";
        store.SeriesName[0] = "Gruppe 4";
        keeping.storeChanged();
    } // killed
    RunJournal next(folder, "3.0");
    ASSERT_TRUE(next.open());
    MeasurementStore back;
    back.initialise();
    RunKeeping keeping(next, back, {});
    ASSERT_TRUE(keeping.recoverLesson()) << "the new journal knew this start";
    EXPECT_EQ(back.SeriesName[0], "Gruppe 4");
}
