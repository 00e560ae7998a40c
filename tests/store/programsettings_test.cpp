// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/programsettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kelmot;

namespace {

// The settings of one test in a configuration folder of its own.
class ProgramSettings : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.path()));
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", previous_); }
    QTemporaryDir dir_;
    QByteArray previous_;
};

} // namespace

TEST_F(ProgramSettings, TheSignalKindIsRememberedBesideTheConfiguration) {
    EXPECT_EQ(rememberedSignalKind(), SignalKind::Tone); // nothing chosen yet
    EXPECT_EQ(programSettingsFile(), dir_.filePath("kelmot/kelmot.conf"));
    ASSERT_FALSE(rememberSignalKind(SignalKind::Edges));
    EXPECT_EQ(rememberedSignalKind(), SignalKind::Edges);
    QFile file(programSettingsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("signal=edges"));
    file.close();
    ASSERT_FALSE(rememberSignalKind(SignalKind::Tone));
    EXPECT_EQ(rememberedSignalKind(), SignalKind::Tone);
}

TEST_F(ProgramSettings, AnUnknownKindReadsAsTheToneAndAFailureIsSaid) {
    ASSERT_TRUE(QDir(dir_.path()).mkpath("kelmot"));
    QFile file(programSettingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[detection]\nsignal=laser\n");
    file.close();
    EXPECT_EQ(rememberedSignalKind(), SignalKind::Tone);
    // Where the folder cannot be made (a file stands in its way), the
    // choice is not remembered and the message says where.
    QFile blocker(dir_.filePath("datei"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath("datei")));
    const auto failure = rememberSignalKind(SignalKind::Edges);
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->contains("kelmot.conf")) << failure->toStdString();
    EXPECT_EQ(rememberedSignalKind(), SignalKind::Tone);
}
