// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/datafile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace kelmot;

namespace {

const QLocale De(QLocale::German, QLocale::Germany);

void fillRun(MeasurementStore& s) {
    for (int k = 0; k < BarrierCount; ++k) {
        s.RunTimes[0][k] = k == 0 ? -0.0003 : 0.1 * k + 0.0001 * k;
        s.RunTimes[1][k] = s.RunTimes[0][k] + 0.0203;
    }
}

QList<QByteArray> linesOf(const char* text) {
    return splitTextLines(QByteArray(text), 11);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

TEST(DataFile, WrittenWithCrLfTheHeaderDigitAndTheGeneralFormat) {
    MeasurementStore s;
    fillRun(s);
    const QByteArray text = dataFileText(1, s.RunTimes, De);
    const QList<QByteArray> lines = text.split('\n');
    ASSERT_EQ(lines.size(), 12); // 11 lines, each ended by CR LF
    EXPECT_EQ(lines[0], "Ort ; Zeit dunkel; Zeit hell;1\r");
    EXPECT_EQ(lines[1], "0;-0,0003;0,02\r");
    EXPECT_EQ(lines[2], "0,1;0,1001;0,1204\r");
    EXPECT_EQ(lines[10], "0,9;0,9009;0,9212\r");
    EXPECT_TRUE(lines[11].isEmpty());
    EXPECT_TRUE(dataFileText(0, s.RunTimes, QLocale::c())
                    .startsWith("Ort ; Zeit dunkel; Zeit hell;0\r\n0;-0.0003;"));
}

TEST(DataFile, ReadBackGivesTheSameTimesBitForBit) {
    MeasurementStore written;
    for (int k = 0; k < BarrierCount; ++k) {
        written.RunTimes[0][k] = (k * 2205 + 17) / 22050.0 - 0.0003;
        written.RunTimes[1][k] = (k * 2205 + 461) / 22050.0 - 0.0003;
    }
    MeasurementStore read;
    ASSERT_FALSE(
        readDataFileLines(splitTextLines(dataFileText(1, written.RunTimes, De), 11), read));
    EXPECT_EQ(read.SeriesResolution[0], 1);
    for (int k = 0; k < BarrierCount; ++k) {
        // 15 significant digits bring back every time a 22050 Hz run gives.
        EXPECT_NEAR(read.RunTimes[0][k], written.RunTimes[0][k], 1e-15) << k;
        EXPECT_EQ(read.SeriesDarkTimes[0][k], read.RunTimes[0][k]);
        EXPECT_EQ(read.SeriesBrightTimes[0][k], read.RunTimes[1][k]);
    }
}

TEST(DataFile, FieldCounterRulesForOddFiles) {
    MeasurementStore s;
    fillRun(s);
    // A header alone: nothing else changes.
    ASSERT_FALSE(readDataFileLines(linesOf("Ort ; Zeit dunkel; Zeit hell;0\r\n"), s));
    EXPECT_EQ(s.SeriesResolution[0], 0);
    EXPECT_DOUBLE_EQ(s.RunTimes[0][3], 0.3003);

    // A trailing ";" makes the bright time a dark time and shifts the next row.
    MeasurementStore t;
    t.RunTimes[1][0] = 7;
    ASSERT_FALSE(readDataFileLines(linesOf("x;1\n0;0.5;0.6;\n0.1;0.7;0.8\n"), t));
    EXPECT_EQ(t.SeriesResolution[0], 1);
    EXPECT_EQ(t.RunTimes[0][0], 0.6);
    EXPECT_EQ(t.RunTimes[1][0], 7);   // unchanged
    EXPECT_EQ(t.RunTimes[0][1], 0.7); // the position was read first, then overwritten
    EXPECT_EQ(t.RunTimes[1][1], 0.8);

    // Empty lines count as rows; lines after the eleventh are not read.
    MeasurementStore u;
    QByteArray many = "h;0\r\n\r\n0.1;1;2\r\n";
    for (int i = 0; i < 20; ++i)
        many += "0;5;6\r\n";
    ASSERT_FALSE(readDataFileLines(splitTextLines(many, 11), u));
    EXPECT_EQ(u.RunTimes[0][0], 0);
    EXPECT_EQ(u.RunTimes[0][1], 1);
    EXPECT_EQ(u.RunTimes[0][9], 5);
    EXPECT_EQ(u.RunTimes[0][10], 0); // the spare slot is never written
}

TEST(DataFile, BadHeaderOrFieldStopsWithTheConversionMessage) {
    MeasurementStore s;
    EXPECT_EQ(readDataFileLines(linesOf("Ort ; Zeit dunkel; Zeit hell;\r\n"), s),
              "';' ist kein gültiger Integerwert");
    EXPECT_EQ(readDataFileLines(linesOf("\r\n0;1;2\r\n"), s), "'' ist kein gültiger Integerwert");
    // Values before the bad field stay.
    const auto error = readDataFileLines(linesOf("h;1\r\n0;0,5;0,6\r\n0,1;0,7.5;0,8\r\n"), s);
    EXPECT_EQ(error, "'0,7.5' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(s.RunTimes[0][0], 0.5);
    EXPECT_EQ(s.RunTimes[1][0], 0.6);
    EXPECT_EQ(s.RunTimes[0][1], 0);
    EXPECT_EQ(readDataFileLines(linesOf("h;1\r\n0;1;x\r\n"), s),
              "'x' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(readDataFileLines(linesOf("h;1\r\n0;1,,5;2\r\n"), s),
              "'1,,5' ist kein gültiger Gleitkommawert");
}

TEST(DataFile, LinesEndWithCrLfLfOrCr) {
    EXPECT_EQ(splitTextLines("a\r\nb\nc\rd", 11), (QList<QByteArray>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitTextLines("a\r\n\r\n", 11), (QList<QByteArray>{"a", ""}));
    EXPECT_TRUE(splitTextLines("", 11).isEmpty());
    EXPECT_EQ(splitTextLines("1\n2\n3\n", 2).size(), 2);
}

TEST(DataFile, SavingForcesTheExtension) {
    EXPECT_EQ(withDataFileExtension("/tmp/lauf.txt"), "/tmp/lauf.kmd");
    EXPECT_EQ(withDataFileExtension("/tmp/lauf"), "/tmp/lauf.kmd");
    EXPECT_EQ(withDataFileExtension("/tmp/lauf.KMD"), "/tmp/lauf.kmd");
    EXPECT_EQ(withDataFileExtension("/tmp/v1.2/lauf"), "/tmp/v1.2/lauf.kmd");
    EXPECT_EQ(withDataFileExtension("/tmp/run.2.kmd"), "/tmp/run.2.kmd");
}

TEST(DataFile, AFailedSaveSaysSoAndKeepsTheEarlierFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("lauf.kmd");
    ASSERT_FALSE(saveFileAtomically(path, "first\r\n"));
    EXPECT_EQ(readAll(path), "first\r\n");

    // A disk that fills up half-way: the write fails past 8 bytes.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 8;
    setrlimit(RLIMIT_FSIZE, &small);
    const auto error = saveFileAtomically(path, QByteArray(300, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->startsWith("Die Datei \"" + QDir::toNativeSeparators(path) +
                                  "\" wurde nicht gespeichert."))
        << error->toStdString();
    EXPECT_EQ(readAll(path), "first\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"lauf.kmd"}); // no leftovers

    EXPECT_TRUE(saveFileAtomically(dir.filePath("fehlt/lauf.kmd"), "x"));
}

TEST(DataFile, ReadingReportsTheRuntimesMessages) {
    QTemporaryDir dir;
    EXPECT_EQ(readSmallFile(dir.filePath("fehlt.kmd"), 100).error, "Datei nicht gefunden");
    EXPECT_EQ(readSmallFile(dir.path(), 100).error, "Dateizugriff verweigert");
    QFile big(dir.filePath("gross.kmd"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write("h;1\r\n0;0,5;0,6\r\n0,1;0,7;0,8123456\r\n");
    big.close();
    // Cut inside the last number: only whole lines are kept.
    const FileRead cut = readSmallFile(big.fileName(), 30);
    EXPECT_FALSE(cut.error);
    EXPECT_EQ(cut.content, "h;1\r\n0;0,5;0,6\r\n");
}
