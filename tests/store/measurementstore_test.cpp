// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/measurementstore.h"
#include "tests/fakeselector.h"

#include <gtest/gtest.h>

using namespace kelmot;
using kelmot::test::ListSelector;

namespace {

// A store right after program start with the given output mode from the
// configuration file.
MeasurementStore startedStore(int outputMode) {
    MeasurementStore s;
    s.OutputMode = outputMode;
    s.initialise();
    return s;
}

void makeRun(MeasurementStore& s, ListSelector& sel, double offset) {
    for (int k = 0; k < BarrierCount; ++k) {
        s.RunTimes[0][k] = offset + k;
        s.RunTimes[1][k] = offset + k + 0.5;
    }
    s.commitRun(sel);
}

} // namespace

TEST(StoreStart, NoDataAndBlackColoursBeforeTheFirstRun) {
    MeasurementStore s = startedStore(0);
    EXPECT_FALSE(s.DataPresent);
    EXPECT_EQ(s.ColumnCount, 2);
    for (int i = 0; i < SeriesSlots; ++i) {
        EXPECT_EQ(s.SeriesColor[i], Black);
        EXPECT_TRUE(s.SeriesName[i].isEmpty());
    }
    EXPECT_EQ(s.MeasurementNumber, 0);
    EXPECT_EQ(s.SeriesCounter, 0);
}

TEST(StoreColourCycle, SwitchingToThreeListsGivesRedGreenNavy) {
    MeasurementStore s = startedStore(0);
    ListSelector sel;
    s.switchOutputFormat(true, sel);
    EXPECT_TRUE(sel.shown);
    EXPECT_EQ(s.SeriesCounter, 1);
    makeRun(s, sel, 0);
    EXPECT_EQ(s.SeriesColor[0], Red);
    makeRun(s, sel, 10);
    EXPECT_EQ(s.SeriesColor[0], Green);
    makeRun(s, sel, 20);
    EXPECT_EQ(s.SeriesColor[0], Navy);
    EXPECT_EQ(s.SeriesColor[1], Green);
    EXPECT_EQ(s.SeriesColor[2], Red);
    EXPECT_EQ(sel.items, (QStringList{"Messung 3", "Messung 2", "Messung 1"}));
    EXPECT_EQ(sel.itemIndex(), 0);
}

TEST(StoreColourCycle, ThreeListsFromTheConfigurationGiveNavyRedGreen) {
    MeasurementStore s = startedStore(1);
    ListSelector sel;
    makeRun(s, sel, 0);
    makeRun(s, sel, 10);
    makeRun(s, sel, 20);
    EXPECT_EQ(s.SeriesColor[2], Navy);
    EXPECT_EQ(s.SeriesColor[1], Red);
    EXPECT_EQ(s.SeriesColor[0], Green);
}

TEST(StoreColourCycle, SingleListIsAlwaysNavy) {
    MeasurementStore s = startedStore(0);
    ListSelector sel;
    for (int i = 0; i < 4; ++i) {
        makeRun(s, sel, i);
        EXPECT_EQ(s.SeriesColor[0], Navy);
    }
    // An output mode other than 1 from the file acts as single list.
    s.OutputMode = 7;
    makeRun(s, sel, 5);
    EXPECT_EQ(s.SeriesColor[0], Navy);
    EXPECT_EQ(sel.items, QStringList{"Messung 5"});
}

TEST(StoreCommit, ThreeListsPushDownAndTheFourthRunDropsTheOldest) {
    MeasurementStore s = startedStore(1);
    ListSelector sel;
    makeRun(s, sel, 100);
    makeRun(s, sel, 200);
    makeRun(s, sel, 300);
    s.SeriesStRelation[0] = 2;
    s.SeriesResolution[0] = 1;
    makeRun(s, sel, 400);
    EXPECT_EQ(sel.items, (QStringList{"Messung 4", "Messung 3", "Messung 2"}));
    EXPECT_DOUBLE_EQ(s.SeriesDarkTimes[0][3], 403);
    EXPECT_DOUBLE_EQ(s.SeriesBrightTimes[0][9], 409.5);
    EXPECT_DOUBLE_EQ(s.SeriesDarkTimes[1][3], 303);
    EXPECT_DOUBLE_EQ(s.SeriesDarkTimes[2][3], 203);
    // The pushed series keeps its relationship; the new one starts with none.
    EXPECT_EQ(s.SeriesStRelation[1], 2);
    EXPECT_EQ(s.SeriesStRelation[0], 0);
    // The resolution buttons' state stays in slot 0 and is copied down.
    EXPECT_EQ(s.SeriesResolution[0], 1);
    EXPECT_EQ(s.SeriesResolution[1], 1);
    EXPECT_EQ(s.DataTitle, "Messung 4");
    EXPECT_TRUE(s.DataPresent);
}

TEST(StoreCommit, SingleListReplacesSlotZeroOnly) {
    MeasurementStore s = startedStore(1);
    ListSelector sel;
    makeRun(s, sel, 1);
    makeRun(s, sel, 2);
    s.OutputMode = 0;
    s.SeriesVtRelation[0] = 2;
    makeRun(s, sel, 3);
    EXPECT_DOUBLE_EQ(s.SeriesDarkTimes[0][0], 3);
    EXPECT_EQ(s.SeriesVtRelation[0], 0);
    EXPECT_DOUBLE_EQ(s.SeriesDarkTimes[1][0], 1);
    EXPECT_EQ(s.SeriesName[1], "Messung 1");
    EXPECT_EQ(s.SeriesColor[1], Navy);
    // The selector lists every named slot, so slot 1 is still there.
    EXPECT_EQ(sel.items, (QStringList{"Messung 3", "Messung 1"}));
}

TEST(StoreCommit, RunNumbersCountAcrossFormatSwitches) {
    MeasurementStore s = startedStore(0);
    ListSelector sel;
    makeRun(s, sel, 0);
    makeRun(s, sel, 0);
    s.switchOutputFormat(true, sel);
    s.switchOutputFormat(false, sel);
    makeRun(s, sel, 0);
    EXPECT_EQ(s.SeriesName[0], "Messung 3");
    EXPECT_EQ(s.MeasurementNumber, 3);
}

TEST(StoreLoescheFeld, BeforeAnyDataLeavesOneEmptyItem) {
    MeasurementStore s = startedStore(0);
    ListSelector sel;
    s.LoescheFeld(sel);
    EXPECT_EQ(sel.items, QStringList{QString()});
    EXPECT_EQ(sel.itemIndex(), 0);
}

TEST(StoreLoescheFeld, ClearsOlderSlotsButKeepsTheirUnreachableFields) {
    MeasurementStore s = startedStore(1);
    ListSelector sel;
    makeRun(s, sel, 1);
    makeRun(s, sel, 2);
    makeRun(s, sel, 3);
    s.SeriesStRelation[1] = 1;
    s.LoescheFeld(sel);
    EXPECT_EQ(sel.items, QStringList{"Messung 3"});
    EXPECT_TRUE(s.SeriesName[1].isEmpty());
    EXPECT_TRUE(s.SeriesName[2].isEmpty());
    EXPECT_DOUBLE_EQ(s.SeriesDarkTimes[1][5], 0);
    EXPECT_EQ(s.SeriesStRelation[1], 0);
    EXPECT_DOUBLE_EQ(s.SeriesBrightTimes[1][5], 7.5); // left as it was
    EXPECT_DOUBLE_EQ(s.SeriesDarkTimes[0][5], 8);
}

TEST(StoreLoescheFeld, StaysInsideTheThreeSlotsWhateverTheSelectorHolds) {
    MeasurementStore s = startedStore(1);
    ListSelector sel;
    for (int i = 0; i < 7; ++i)
        sel.insertItem(i, QStringLiteral("getippt %1").arg(i));
    sel.setItemIndex(-1);
    s.LoescheFeld(sel); // ASan would catch a write past slot 2
    EXPECT_EQ(sel.count(), 1);
    EXPECT_FALSE(MeasurementStore::slotOf(-1).has_value());
    EXPECT_FALSE(MeasurementStore::slotOf(3).has_value());
    EXPECT_EQ(MeasurementStore::slotOf(2), 2);
}

TEST(StoreOutputFormat, SingleListClearsOlderSeriesAndRestartsNavy) {
    MeasurementStore s = startedStore(1);
    ListSelector sel;
    makeRun(s, sel, 1);
    makeRun(s, sel, 2);
    s.SeriesResolution[1] = 1;
    s.switchOutputFormat(false, sel);
    EXPECT_FALSE(sel.shown);
    EXPECT_EQ(sel.items, QStringList{"Messung 2"});
    EXPECT_EQ(s.SeriesCounter, 0);
    EXPECT_EQ(s.OutputMode, 0);
    EXPECT_EQ(s.SeriesColor[0], Navy);
    EXPECT_TRUE(s.SeriesName[1].isEmpty());
    EXPECT_EQ(s.SeriesResolution[1], 0);
    EXPECT_DOUBLE_EQ(s.SeriesBrightTimes[1][0], 0);
    EXPECT_DOUBLE_EQ(s.SeriesDarkTimes[0][0], 2);
}

TEST(StorePuffersetzen, DoesNothingInSingleListMode) {
    MeasurementStore s = startedStore(0);
    s.SeriesName[0] = "A";
    s.Puffersetzen();
    EXPECT_TRUE(s.SeriesName[1].isEmpty());
    s.OutputMode = 1;
    s.Puffersetzen();
    EXPECT_EQ(s.SeriesName[1], "A");
    EXPECT_EQ(s.SeriesName[0], "A"); // slot 0 keeps its values
}
