// SPDX-License-Identifier: GPL-3.0-or-later
#include "tempdatahome.h"
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const TemporaryDataHome dataHome;
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
