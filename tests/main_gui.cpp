// SPDX-License-Identifier: GPL-3.0-or-later
#include "tempdatahome.h"
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const TemporaryDataHome dataHome;
    // Headless, on a screen large enough for every window size the tests
    // give the main window (up to 1920 x 1080) and without window frames:
    // the windows' places are the program's own. Small screens with frames
    // have tests of their own (tests/screens).
    qputenv("QT_QPA_PLATFORM",
            "offscreen:configfile=" KELMOT_SOURCE_DIR "/tests/screens/screen-large.json");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
