// SPDX-License-Identifier: GPL-3.0-or-later
// The program's keeper of runs and the lesson over a journal in a folder of
// its own, without windows.
#include "app/runkeeping.h"
#include "journal/lessonstate.h"
#include "journal/runjournal.h"
#include "store/measurementstore.h"

#include <QTemporaryDir>
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
