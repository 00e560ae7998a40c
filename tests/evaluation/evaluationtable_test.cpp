// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/evaluationtable.h"

#include <gtest/gtest.h>

using namespace kelmot;

namespace {

const QLocale De(QLocale::German, QLocale::Germany);
const QLocale C = QLocale::c();

// A cart that passes barrier k at 0.1·k s, each beam dark for 20 ms.
struct EvenRun {
    double dark[BarrierCount];
    double bright[BarrierCount];
    EvenRun() {
        for (int k = 0; k < BarrierCount; ++k) {
            dark[k] = 0.1 * k;
            bright[k] = dark[k] + 0.020;
        }
    }
};

} // namespace

TEST(EvaluationTable, QuotientColumnsOfTheThreeRelationships) {
    EvenRun run;
    run.dark[0] = -0.0003;
    run.dark[4] = 0.5;
    const ColumnTexts st = quotientColumn(StProportional, run.dark, 1, C);
    EXPECT_EQ(st[0], " - "); // barrier 0 at s = 0 has no quotient
    EXPECT_EQ(st[1], "1.000");
    EXPECT_EQ(st[4], "0.800"); // 0.4 m / 0.5 s
    EXPECT_EQ(st[9], "1.000");
    const ColumnTexts st2 = quotientColumn(StSquare, run.dark, 0, C);
    EXPECT_EQ(st2[0], " - ");
    EXPECT_EQ(st2[2], "5.00"); // 0.2 / 0.2²
    EXPECT_EQ(st2[4], "1.60"); // 0.4 / 0.5²
    const ColumnTexts s2t = quotientColumn(StSquareDistance, run.dark, 1, De);
    EXPECT_EQ(s2t[3], "0,300"); // 0.3² / 0.3
    EXPECT_EQ(s2t[4], "0,320"); // 0.4² / 0.5
    for (const QString& cell : quotientColumn(StNone, run.dark, 1, C))
        EXPECT_EQ(cell, "  "); // two blanks, not empty
    EXPECT_DOUBLE_EQ(stQuotient(StSquare, 0.9, 0.3), 10.0);
}

TEST(EvaluationTable, DarkIntervalsSpeedsAndAccelerations) {
    EvenRun run;
    // Speeding up: the beam of barrier k is dark for 20 ms / (1 + k/10).
    for (int k = 0; k < BarrierCount; ++k)
        run.bright[k] = run.dark[k] + 0.020 / (1 + k / 10.0);
    const ColumnTexts dt = darkIntervalColumn(run.dark, run.bright, 1, De);
    EXPECT_EQ(dt[0], "0,020");
    EXPECT_EQ(dt[9], "0,011");

    const BarrierValues v = speedsAtBarriers(0.010, run.dark, run.bright);
    EXPECT_DOUBLE_EQ(v[0], 0.5);
    EXPECT_NEAR(v[9], 0.95, 1e-12);
    EXPECT_EQ(speedColumn(v, 1, De)[0], "0,500");
    EXPECT_EQ(speedColumn(v, 0, De)[0], "0,50");
    EXPECT_EQ(speedColumn(v, 0, C)[9], "0.95");

    const ColumnTexts a = accelerationColumn(v, run.dark, 1, C);
    EXPECT_EQ(a[0], " - ");
    for (int k = 1; k < BarrierCount; ++k)
        EXPECT_EQ(a[k], "0.500") << k; // 0.05 m/s more every 0.1 s
}

TEST(EvaluationTable, DivisionsByZeroShowNoValue) {
    EvenRun run;
    run.bright[3] = run.dark[3]; // a zero dark interval
    run.dark[6] = run.dark[5];   // two equal dark times
    run.dark[2] = 0.0;           // a dark time of 0 after barrier 0
    const BarrierValues v = speedsAtBarriers(0.010, run.dark, run.bright);
    EXPECT_EQ(speedColumn(v, 1, C)[3], " - ");
    EXPECT_EQ(accelerationColumn(v, run.dark, 1, C)[6], " - ");
    EXPECT_EQ(quotientColumn(StProportional, run.dark, 1, C)[2], " - ");
    EXPECT_EQ(timeColumn(run.dark, 0, C)[2], "0.00");
}

TEST(EvaluationTable, FlagWidthEntryAsItIsTyped) {
    FlagWidthEntry e = interpretFlagWidth("2.5");
    EXPECT_EQ(e.action, FlagWidthEntry::Recompute);
    EXPECT_EQ(e.text, "2,5");
    EXPECT_DOUBLE_EQ(e.millimetres, 2.5);

    EXPECT_EQ(interpretFlagWidth("").action, FlagWidthEntry::Ignore);
    e = interpretFlagWidth("2x");
    EXPECT_EQ(e.action, FlagWidthEntry::Clear);
    EXPECT_TRUE(e.text.isEmpty());
    EXPECT_EQ(interpretFlagWidth("-2").action, FlagWidthEntry::Clear);
    EXPECT_EQ(interpretFlagWidth("2,").action, FlagWidthEntry::Wait);
    e = interpretFlagWidth("2.");
    EXPECT_EQ(e.action, FlagWidthEntry::Wait);
    EXPECT_EQ(e.text, "2,");
    EXPECT_EQ(interpretFlagWidth("0").action, FlagWidthEntry::NoValue);
    EXPECT_EQ(interpretFlagWidth("0,0").action, FlagWidthEntry::NoValue);
    EXPECT_EQ(interpretFlagWidth(",5").millimetres, 0.5);
    e = interpretFlagWidth("1.2.3");
    EXPECT_EQ(e.action, FlagWidthEntry::Invalid);
    EXPECT_EQ(e.text, "1,2,3");
    EXPECT_EQ(e.error, "'1,2,3' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(readFlagWidth("1,2,3").error, "'1,2,3' ist kein gültiger Gleitkommawert");
    EXPECT_FALSE(readFlagWidth("").millimetres);
    EXPECT_TRUE(readFlagWidth("").error.isEmpty());
}
