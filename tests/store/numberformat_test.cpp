// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/numberformat.h"

#include <gtest/gtest.h>

using namespace kelmot;

TEST(NumberFormat, FixedFormatsUseTheLocaleSeparatorAndNoNegativeZero) {
    const QLocale de(QLocale::German, QLocale::Germany);
    const QLocale c = QLocale::c();
    EXPECT_EQ(formatFixed(-0.0003, 2, de), "0,00");
    EXPECT_EQ(formatFixed(-0.0003, 3, de), "0,000");
    EXPECT_EQ(formatFixed(1.7997, 3, de), "1,800");
    EXPECT_EQ(formatFixed(0.019655, 3, c), "0.020");
    EXPECT_EQ(formatFixed(-0.0063, 2, c), "-0.01");
    EXPECT_EQ(formatFixed(1234.5, 1, de), "1234,5");
    EXPECT_EQ(decimalsForResolution(1), 3);
    EXPECT_EQ(decimalsForResolution(0), 2);
    EXPECT_EQ(decimalsForResolution(7), 2);
}

TEST(NumberFormat, GeneralFormatIsTheShortestForm) {
    const QLocale de(QLocale::German, QLocale::Germany);
    EXPECT_EQ(formatGeneral(0, de), "0");
    EXPECT_EQ(formatGeneral(3 / 10.0, de), "0,3");
    EXPECT_EQ(formatGeneral(0.25, QLocale::c()), "0.25");
    EXPECT_EQ(formatGeneral(-0.0, de), "0");
}

TEST(NumberFormat, GeneralFormatSwitchesNotationAtItsBoundaries) {
    const QLocale de(QLocale::German, QLocale::Germany);
    const QLocale c = QLocale::c();
    EXPECT_EQ(formatGeneral(0.0001, de), "0,0001");
    EXPECT_EQ(formatGeneral(0.00009999, de), "9,999E-5");
    EXPECT_EQ(formatGeneral(-0.00001, c), "-1E-5");
    EXPECT_EQ(formatGeneral(1e15, c), "1E+15");
    EXPECT_EQ(formatGeneral(999999999999999.0, c), "999999999999999");
    EXPECT_EQ(formatGeneral(1234567890123456.0, c), "1.23456789012346E+15");
    EXPECT_EQ(formatGeneral(123456.5, de), "123456,5");
    EXPECT_EQ(formatGeneral(-0.0003, de), "-0,0003");
    EXPECT_EQ(formatGeneral(0.1 + 0.2, c), "0.3"); // 15 digits hide the binary error
    EXPECT_EQ(formatGeneral(2.0 / 3.0, c), "0.666666666666667");
    EXPECT_EQ(formatGeneral(0.9999999999999999, c), "1"); // rounds up a digit
    EXPECT_EQ(formatGeneral(0.000099999999999999999, c), "0.0001");
    EXPECT_EQ(formatGeneral(1.5e-300, c), "1.5E-300");
    EXPECT_EQ(formatGeneral(100, c), "100");
    EXPECT_EQ(formatGeneral(0.4, c), "0.4");
}
