// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/seriesstatistics.h"
#include "evaluation/uncertainty.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace kelmot;

namespace {
const QLocale De(QLocale::German, QLocale::Germany);
const QLocale En(QLocale::English, QLocale::UnitedStates);
} // namespace

// The uncertainty to two significant digits, the value to the same place.
TEST(Uncertainty, WrittenAsPhysicistsWriteIt) {
    EXPECT_EQ(formatWithUncertainty(0.13021, 0.00108, De), "(0,1302 ± 0,0011)");
    EXPECT_EQ(formatWithUncertainty(0.13021, 0.00108, En), "(0.1302 ± 0.0011)");
    EXPECT_EQ(formatWithUncertainty(0.00096, 0.000104, De), "(0,00096 ± 0,00010)");
    // 0.0996 rounds to 0.10: two digits, not three.
    EXPECT_EQ(formatWithUncertainty(1.2345, 0.0996, De), "(1,23 ± 0,10)");
    EXPECT_EQ(formatWithUncertainty(-0.1302, 0.0021, De), "(-0,1302 ± 0,0021)");
    EXPECT_EQ(formatWithUncertainty(9.87, 1.5, De), "(9,9 ± 1,5)");
    EXPECT_EQ(formatWithUncertainty(98.7, 15, De), "(99 ± 15)");
    // Beyond six decimals or above the units: a shared power of ten.
    EXPECT_EQ(formatWithUncertainty(1234567, 23456, De), "(1,235 ± 0,023)·10⁶");
    EXPECT_EQ(formatWithUncertainty(1.2e-7, 1.1e-8, De), "(120 ± 11)·10⁻⁹");
    // Exact data: four significant digits.
    EXPECT_EQ(formatWithUncertainty(0.13, 0, De), "(0,1300 ± 0)");
    EXPECT_EQ(formatWithUncertainty(0.13, 1e-18, De), "(0,1300 ± 0)") << "rounding noise";
    EXPECT_EQ(formatWithUncertainty(0, 0, De), "(0 ± 0)");
    // An uncertainty that could not be found is unknown, never "exact".
    EXPECT_EQ(formatWithUncertainty(0.13, std::numeric_limits<double>::quiet_NaN(), De),
              "(0,1300 ± - )");
    EXPECT_EQ(formatWithUncertainty(0.13, std::numeric_limits<double>::infinity(), De),
              "(0,1300 ± - )");
    // A large uncertainty keeps two digits: the power of ten follows it.
    EXPECT_EQ(formatWithUncertainty(250, 123, De), "(2,5 ± 1,2)·10²");
    EXPECT_EQ(formatWithUncertainty(500e-9, 456e-9, De), "(5,0 ± 4,6)·10⁻⁷");
    EXPECT_EQ(formatWithUncertainty(-3000, 987, De), "(-3,00 ± 0,99)·10³"); // 10³ keeps two digits
    EXPECT_EQ(formatWithUncertainty(12, 345, En), "(0.1 ± 3.5)·10²");
    EXPECT_EQ(formatWithUncertainty(std::numeric_limits<double>::infinity(), 1, De), " - ");
    EXPECT_EQ(formatUncertainty(0.000734, De), "0,00073");
    EXPECT_EQ(formatUncertainty(0.0996, De), "0,10");
    EXPECT_EQ(formatUncertainty(0, De), "0");
}

// Identical runs scatter not at all, yet each has its fit's uncertainty: the
// mean is never written as more certain than the runs allow.
TEST(SeriesOfRuns, TheMeanIsNeverMoreCertainThanItsRuns) {
    const Spread same = spreadOf({0.13, 0.13, 0.13, 0.13});
    EXPECT_EQ(same.meanUncertainty, 0);
    EXPECT_DOUBLE_EQ(meanUncertainty(same, {0.002, 0.002, 0.002, 0.002}), 0.001); // √(4·0.002²)/4
    // A scatter larger than the runs' own: s/√n stands.
    const Spread wide = spreadOf({0.128, 0.131, 0.134});
    EXPECT_DOUBLE_EQ(meanUncertainty(wide, {1e-5, 1e-5, 1e-5}), wide.meanUncertainty);
    EXPECT_TRUE(std::isnan(meanUncertainty(wide, {1e-5, NAN, 1e-5})));
    RunFit f{"Messung 1", Navy, {0.13, 0.002}, {0.35, 0.004}};
    const TableTexts t = seriesOfRunsTable({f, f, f, f}, QLocale(QLocale::German));
    EXPECT_EQ(t[5][1], "(0,1300 ± 0,0010)") << "not ± 0";
    EXPECT_EQ(t[5][2], "(0,3500 ± 0,0020)");
}

TEST(SeriesOfRuns, MeanDeviationAndUncertaintyOfTheMean) {
    // By hand: 0.128, 0.131, 0.134: mean 0.131, s = 0.003, s/√3 = 0.001732...
    const Spread s = spreadOf({0.128, 0.131, 0.134});
    EXPECT_EQ(s.n, 3);
    EXPECT_NEAR(s.mean, 0.131, 1e-15);
    EXPECT_NEAR(s.deviation, 0.003, 1e-15);
    EXPECT_NEAR(s.meanUncertainty, 0.003 / std::sqrt(3.0), 1e-15);
    EXPECT_EQ(spreadOf({0.5}).deviation, 0);
    EXPECT_EQ(spreadOf({}).n, 0);

    const std::vector<RunFit> fits{{"Messung 3", Green, {0.134, 0.0011}, {0.351, 0.002}},
                                   {"Messung 2", Red, {0.131, 0.0012}, {0.349, 0.002}},
                                   {"Messung 1", Navy, {0.128, 0.0010}, {0.353, 0.002}}};
    const TableTexts t = seriesOfRunsTable(fits, De);
    ASSERT_EQ(t.size(), 7u);
    EXPECT_EQ(t[0], (QStringList{"Messung", "a in m/s²", "v₀ in m/s"}));
    EXPECT_EQ(t[1], (QStringList{"Messung 3", "(0,1340 ± 0,0011)", "(0,3510 ± 0,0020)"}));
    EXPECT_EQ(t[4], (QStringList{"Mittelwert (n = 3)", "(0,1310 ± 0,0017)", "(0,3510 ± 0,0012)"}));
    EXPECT_EQ(t[5], (QStringList{"Standardabweichung s", "0,0030", "0,0020"}));
    EXPECT_EQ(t[6], (QStringList{"Unsicherheit des Mittelwerts s/√n", "0,0017", "0,0012"}));
    EXPECT_EQ(tabSeparatedText({{"a", "b"}, {"1", "2"}}), "a\tb\r\n1\t2\r\n");
    // One run is no series: no statistics.
    EXPECT_EQ(seriesOfRunsTable({fits[0]}, De).size(), 2u);
}
