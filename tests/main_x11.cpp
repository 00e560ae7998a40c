// SPDX-License-Identifier: GPL-3.0-or-later
// Tests against a real X server (Xvfb, started by ctest through xvfb-run):
// what other programs read from our clipboard.
#include "tempdatahome.h"
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const TemporaryDataHome dataHome;
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
