// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/jpegpicture.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kelmot;

TEST(JpegPicture, DecodesThePhotographAndSurvivesBadFiles) {
    const QImage photo = loadJpegPicture(KELMOT_SOURCE_DIR "/resources/aufbau.jpg");
    ASSERT_FALSE(photo.isNull());
    EXPECT_EQ(photo.size(), QSize(512, 315));
    QTemporaryDir dir;
    EXPECT_TRUE(loadJpegPicture(dir.filePath("fehlt.jpg")).isNull());
    QFile junk(dir.filePath("kaputt.jpg"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("das ist kein Bild");
    junk.close();
    EXPECT_TRUE(loadJpegPicture(junk.fileName()).isNull());
    QFile original(KELMOT_SOURCE_DIR "/resources/aufbau.jpg");
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    QFile cut(dir.filePath("halb.jpg"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(original.read(original.size() / 2));
    cut.close();
    EXPECT_TRUE(loadJpegPicture(cut.fileName()).isNull());
}
