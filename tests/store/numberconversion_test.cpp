// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/numberconversion.h"

#include <gtest/gtest.h>

using namespace kelmot;

TEST(NumberConversion, StrictFloatsInTheGivenNotation) {
    EXPECT_EQ(parseFloat("1,5", u','), 1.5);
    EXPECT_EQ(parseFloat(" -0,0003 ", u','), -0.0003);
    EXPECT_EQ(parseFloat("1,5E-3", u','), 0.0015);
    EXPECT_EQ(parseFloat("2e+2", u'.'), 200.0);
    EXPECT_EQ(parseFloat("5,", u','), 5.0);
    EXPECT_FALSE(parseFloat("1.5", u','));
    EXPECT_FALSE(parseFloat("1,5", u'.'));
    for (const char* bad :
         {"", " ", ",", "-", "1e", "1e+", "abc", "inf", "nan", "0x10", "1 2", "1,5;", "1e999"})
        EXPECT_FALSE(parseFloat(QString::fromLatin1(bad), u',')) << bad;
}

TEST(NumberConversion, StrictIntegers) {
    EXPECT_EQ(parseInteger("1"), 1);
    EXPECT_EQ(parseInteger(" +7"), 7);
    EXPECT_EQ(parseInteger("-12"), -12);
    for (const char* bad : {"", ";", "x", "1.0", "+", "99999999999", "1 1"})
        EXPECT_FALSE(parseInteger(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(notAnIntegerMessage(";"), "';' ist kein gültiger Integerwert");
}
