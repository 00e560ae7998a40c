// SPDX-License-Identifier: GPL-3.0-or-later
// The windows on a small screen: the platform (offscreen with a screen of
// a given size and window frames) comes from QT_QPA_PLATFORM, which ctest
// sets for each screen size.
#include "../tempdatahome.h"
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const TemporaryDataHome dataHome;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
