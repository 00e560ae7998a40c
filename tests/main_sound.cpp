// SPDX-License-Identifier: GPL-3.0-or-later
#include "tempdatahome.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <dlfcn.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const TemporaryDataHome dataHome;
    // ALSA loads its PulseAudio plugins on demand and unloads them on close;
    // whatever they keep until exit would then be reported from an unknown
    // module. Kept resident, LeakSanitizer can name them (see lsan.supp).
    const QDir plugins("/usr/lib/x86_64-linux-gnu/alsa-lib");
    for (const QString& name : plugins.entryList({"libasound_module_*.so"}, QDir::Files))
        dlopen(QFile::encodeName(plugins.filePath(name)).constData(), RTLD_LAZY | RTLD_NODELETE);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
