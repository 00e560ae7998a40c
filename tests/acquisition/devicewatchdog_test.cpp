// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/devicewatchdog.h"

#include <gtest/gtest.h>

using namespace kelmot;

TEST(DeviceWatchdog, TwoSecondsOfSilenceAfterDataEightBeforeAny) {
    DeviceWatchdog w;
    w.start(1000);
    EXPECT_FALSE(w.silentTooLong(0, 8999)); // a sound server starting its stream
    EXPECT_TRUE(w.silentTooLong(0, 9000));

    w.start(0);
    EXPECT_FALSE(w.silentTooLong(4410, 200));
    EXPECT_FALSE(w.silentTooLong(8820, 400));
    EXPECT_FALSE(w.silentTooLong(8820, 2399));
    EXPECT_TRUE(w.silentTooLong(8820, 2400));
    EXPECT_FALSE(w.silentTooLong(13230, 2600)); // delivering again

    // A new start forgets the earlier stream.
    w.start(10000);
    EXPECT_FALSE(w.silentTooLong(0, 12000));
    EXPECT_FALSE(w.silentTooLong(0, 17999));
}
