// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers under the C library's German locale, as a Qt program runs on a
// German desktop (QCoreApplication calls setlocale(LC_ALL, "")): printf puts
// a comma where the point stands and strtod stops at the point of "2.5".
// Our conversions must give the same text and values as under "C".
#include "diagrams/stdiagram.h"
#include "diagrams/vtdiagram.h"
#include "evaluation/evaluationtable.h"
#include "store/datafile.h"
#include "store/numberconversion.h"
#include "store/numberformat.h"
#include "tests/diagrams/canvas_checks.h"

#include <QLocale>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

using namespace kelmot;
using namespace kelmot::test;

namespace {

const QLocale De(QLocale::German, QLocale::Germany);

// Switches the C library to de_DE.UTF-8 for one test. A machine without
// that locale fails the test: it would hide exactly the fault looked for.
class GermanCLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::setlocale(LC_ALL, nullptr);
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "the locale de_DE.UTF-8 is not generated (scripts/install-deps.sh does it)";
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    void TearDown() override { std::setlocale(LC_ALL, previous_.c_str()); }

private:
    std::string previous_;
};

QStringList labelTexts(const RecordingCanvas& c) {
    QStringList texts;
    for (const auto& l : c.labels())
        texts << l.text;
    return texts;
}

} // namespace

TEST(DesktopLocale, TheLocaleOfTheEnvironmentIsInstalled) {
    // The test environment asks for a locale (LANG, LC_ALL); QCoreApplication
    // has set it. A missing locale leaves "C" behind and the German-desktop
    // runs of this suite would test nothing.
    const char* asked = std::getenv("LC_ALL");
    if (!asked || !*asked) asked = std::getenv("LANG");
    const std::string expected = asked && *asked ? asked : "C";
    EXPECT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), expected);
}

TEST_F(GermanCLibrary, GeneralFormatKeepsItsOwnSeparator) {
    EXPECT_EQ(formatGeneral(0.8, De), "0,8");
    EXPECT_EQ(formatGeneral(0.8, QLocale::c()), "0.8");
    EXPECT_EQ(formatGeneral(1, De), "1");
    EXPECT_EQ(formatGeneral(-0.0003, De), "-0,0003");
    EXPECT_EQ(formatGeneral(0.0467294784580499, De), "0,0467294784580499");
    EXPECT_EQ(formatGeneral(0.00009999, De), "9,999E-5");
    EXPECT_EQ(formatGeneral(1234567890123456.0, QLocale::c()), "1.23456789012346E+15");
    EXPECT_EQ(formatPoint(1.25, 1), "1.2"); // to nearest, ties to even
    EXPECT_EQ(formatPoint(2.0 / 3.0, 2), "0.67");
}

TEST_F(GermanCLibrary, ConversionsReadTheirOwnNotation) {
    EXPECT_EQ(parseFloat("2.5", u'.'), 2.5);
    EXPECT_EQ(parseFloat("2,5", u','), 2.5);
    EXPECT_EQ(parseFloat("-1,5E-3", u','), -0.0015);
    EXPECT_EQ(parseFloatEitherSeparator("0.25"), 0.25);
    EXPECT_EQ(parseFloatEitherSeparator("0,25"), 0.25);
    EXPECT_EQ(parseFloatEitherSeparator("1e-400"), 0.0); // too small reads as zero
    EXPECT_FALSE(parseFloatEitherSeparator("1e400"));    // too large is no number
    EXPECT_FALSE(parseFloatEitherSeparator("1,5.5"));

    // The flag width typed with a point is used as typed, not cut at it.
    const FlagWidthEntry point = interpretFlagWidth("2.5");
    EXPECT_EQ(point.text, "2,5");
    EXPECT_DOUBLE_EQ(point.millimetres, 2.5);
    EXPECT_DOUBLE_EQ(interpretFlagWidth("0,5").millimetres, 0.5);
    double dark[BarrierCount] = {};
    double bright[BarrierCount] = {};
    for (int k = 0; k < BarrierCount; ++k) {
        dark[k] = 0.2 * k;
        bright[k] = dark[k] + 0.057;
    }
    const BarrierValues v = speedsAtBarriers(point.millimetres / 1000, dark, bright);
    EXPECT_EQ(speedColumn(v, 1, De)[4], "0,044"); // 2.5 mm in 57 ms; 2 mm would give 0,035
}

TEST_F(GermanCLibrary, DataFileRoundTripUnderEitherSeparator) {
    MeasurementStore written;
    for (int k = 0; k < BarrierCount; ++k) {
        written.RunTimes[0][k] = (k * 2205 + 17) / 22050.0 - 0.0003;
        written.RunTimes[1][k] = (k * 2205 + 461) / 22050.0 - 0.0003;
    }
    for (const QLocale& locale :
         {De, QLocale::c(), QLocale(QLocale::English, QLocale::UnitedStates)}) {
        const QByteArray text = dataFileText(1, written.RunTimes, locale);
        const QByteArray separator = locale.decimalPoint().toLatin1();
        EXPECT_TRUE(text.contains("\r\n0" + separator + "1;0" + separator)) << text.constData();
        // Every field is one number with at most one separator; 15 digits
        // bring every time back to within 1e-15 s.
        for (const QByteArray& line : text.split('\n').mid(1, BarrierCount))
            for (const QByteArray& field : line.trimmed().split(';'))
                EXPECT_LE(field.count(separator), 1) << line.constData();
        MeasurementStore read;
        ASSERT_FALSE(readDataFileLines(splitTextLines(text, 11), read)) << text.constData();
        for (int k = 0; k < BarrierCount; ++k) {
            EXPECT_NEAR(read.RunTimes[0][k], written.RunTimes[0][k], 1e-15) << k;
            EXPECT_NEAR(read.RunTimes[1][k], written.RunTimes[1][k], 1e-15) << k;
        }
    }
}

TEST_F(GermanCLibrary, DiagramAxesAreLabelledWithoutStraySeparators) {
    MeasurementStore store;
    for (int i = 0; i < BarrierCount; ++i) {
        store.SeriesDarkTimes[0][i] = i * 0.99 / 9; // time axis 0 ... 1 in tenths
        store.SeriesBrightTimes[0][i] = store.SeriesDarkTimes[0][i] + 0.02;
        store.RunTimes[0][i] = store.SeriesDarkTimes[0][i];
    }
    store.SeriesColor[0] = Navy;
    StDiagram st;
    RecordingCanvas s;
    st.Zeichne(s, PictureGeometry, {store, 1, 1000, De});
    const QStringList stLabels = labelTexts(s);
    for (const char* tick : {"0", "0,1", "0,5", "0,8", "0,9", "1"})
        EXPECT_TRUE(stLabels.contains(QString::fromLatin1(tick))) << tick;
    VtDiagram vt;
    RecordingCanvas v;
    vt.Zeichne(v, PictureGeometry, {store, 1, 1000, De}, QStringLiteral("10"));
    const QStringList vtLabels = labelTexts(v);
    for (const char* tick : {"0,1", "0,8", "1"})
        EXPECT_TRUE(vtLabels.contains(QString::fromLatin1(tick))) << tick;
    // No label ends in a separator or holds two.
    for (const QString& label : stLabels + vtLabels) {
        EXPECT_FALSE(label.endsWith(u',')) << label.toStdString();
        EXPECT_LE(label.count(u','), 1) << label.toStdString();
    }
}
