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
