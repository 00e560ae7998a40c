// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysecommand.h"
#include "platform/simulatedpendulum.h"
#include "platform/simulatedpulley.h"
#include "platform/wavfilesource.h"
#include "store/datafile.h"
#include "store/programsettings.h"
#include "tests/acquisition/detection_fixture.h"
#include "tests/acquisition/steadyvoltage.h"
#include "tests/experiments/fencerecording.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

using namespace kelmot;

namespace {

// Runs the command, its output and messages caught in temporary files.
struct Command {
    int status = -1;
    QByteArray out;
    QString err;
};

QByteArray readAll(std::FILE* f) {
    std::rewind(f);
    QByteArray all;
    char block[4096];
    while (const std::size_t n = std::fread(block, 1, sizeof block, f))
        all.append(block, qsizetype(n));
    return all;
}

Command run(const QStringList& arguments) {
    const ParsedOptions parsed = parseStartOptions(QStringList{"kelmot"} + arguments);
    Command c;
    if (!parsed.options) {
        c.status = parsed.exitCode;
        c.err = parsed.output;
        return c;
    }
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    c.status = runAnalysis(*parsed.options, out, err);
    c.out = readAll(out);
    c.err = QString::fromLocal8Bit(readAll(err));
    std::fclose(out);
    std::fclose(err);
    return c;
}

class AnalyseCommand : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        // Two runs, 5 s apart.
        std::vector<std::int16_t> samples(std::size_t(22050 * 10), 0);
        for (int r = 0; r < 2; ++r) {
            const auto one = test::fullRunSignal(6000, 300 + 20 * r);
            std::copy(one.begin(), one.end(), samples.begin() + r * 22050 * 5);
        }
        wav_ = dir_.filePath("stunde.wav");
        ASSERT_EQ(platform::writeWavFile(wav_.toStdString(), samples, 22050), "");
    }
    void TearDown() override {
        QDir::setCurrent(previous_);
        QLocale::setDefault(QLocale::c());
    }
    QTemporaryDir dir_;
    QString previous_;
    QString wav_;
};

} // namespace

TEST_F(AnalyseCommand, PrintsEveryRunAsDataFileBlocks) {
    const Command c = run({"--analyse", wav_});
    EXPECT_EQ(c.status, 0) << c.err.toStdString();
    const QList<QByteArray> blocks = c.out.split('\n');
    // Two blocks of 11 lines, an empty line between them.
    ASSERT_EQ(blocks.size(), 24);
    EXPECT_EQ(blocks[0], "Ort ; Zeit dunkel; Zeit hell;1\r");
    EXPECT_EQ(blocks[1], "0;-0,0003;0,0132600907029478\r"); // 299 samples later
    EXPECT_EQ(blocks[11], "\r");
    EXPECT_EQ(blocks[12], "Ort ; Zeit dunkel; Zeit hell;1\r");
    EXPECT_EQ(blocks[22], "0,9;1,7997;1,81416712018141\r");
}

TEST_F(AnalyseCommand, WritesLoadableFilesIntoTheOutputFolder) {
    const Command c = run({"--analyse", wav_, "--output", dir_.filePath("tabellen")});
    EXPECT_EQ(c.status, 0) << c.err.toStdString();
    EXPECT_TRUE(c.out.isEmpty());
    const QStringList files = QDir(dir_.filePath("tabellen")).entryList(QDir::Files);
    EXPECT_EQ(files, (QStringList{"stunde-1.kmd", "stunde-2.kmd"}));
    QFile f(dir_.filePath("tabellen/stunde-2.kmd"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    MeasurementStore store;
    ASSERT_FALSE(readDataFileLines(splitTextLines(f.readAll(), 11), store));
    EXPECT_EQ(store.SeriesResolution[0], 1);
    EXPECT_NEAR(store.RunTimes[1][0], 319 / 22050.0 - 0.0003, 1e-16);
}

TEST_F(AnalyseCommand, ThresholdFromTheOptionOrTheConfiguration) {
    Command c = run({"--analyse", wav_, "--threshold", "13000"});
    EXPECT_EQ(c.status, 1);
    EXPECT_TRUE(c.err.contains("keine vollständige Messung")) << c.err.toStdString();
    EXPECT_TRUE(c.err.contains("0 Flanken")) << c.err.toStdString();
    QFile cfg(dir_.filePath("kelmot.cfg"));
    ASSERT_TRUE(cfg.open(QIODevice::WriteOnly));
    cfg.write("0\r\n0\r\n13000\r\n0\r\n");
    cfg.close();
    EXPECT_EQ(run({"--analyse", wav_}).status, 1);
    EXPECT_EQ(run({"--analyse", wav_, "--threshold", "5000"}).status, 0);
}

TEST_F(AnalyseCommand, BadArgumentsAndFilesEndWithTwo) {
    Command c = run({"--analyse", dir_.filePath("fehlt.wav")});
    EXPECT_EQ(c.status, 2);
    EXPECT_TRUE(c.err.contains(dir_.filePath("fehlt.wav")));
    QFile text(dir_.filePath("text.wav"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("kein Klang");
    text.close();
    c = run({"--analyse", text.fileName()});
    EXPECT_EQ(c.status, 2);
    EXPECT_TRUE(c.err.contains("text.wav"));
    EXPECT_EQ(run({"--analyse", wav_, "--threshold", "viel"}).status, 2);
    EXPECT_EQ(run({"--output", "x"}).status, 2);
    EXPECT_EQ(run({"--analyse", wav_, "--simulate"}).status, 2);
}

// The program itself, started as a teacher or a script starts it: its
// QCoreApplication sets the C locale from the environment, and the numbers
// must come out whole under each one and load back under any other.
TEST_F(AnalyseCommand, ProgramPrintsWellFormedNumbersUnderEveryLocale) {
    struct Desktop {
        const char* locale;
        char separator;
    };
    QList<QByteArray> outputs;
    for (const Desktop d :
         {Desktop{"de_DE.UTF-8", ','}, Desktop{"en_US.UTF-8", '.'}, Desktop{"C.UTF-8", '.'}}) {
        QProcess kelmot;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", d.locale);
        env.insert("LANG", d.locale);
        kelmot.setProcessEnvironment(env);
        kelmot.start(QStringLiteral(KELMOT_PROGRAM), {"--analyse", wav_});
        ASSERT_TRUE(kelmot.waitForFinished(60000)) << d.locale;
        ASSERT_EQ(kelmot.exitCode(), 0) << d.locale << kelmot.readAllStandardError().constData();
        const QByteArray out = kelmot.readAllStandardOutput();
        const QList<QByteArray> lines = out.split('\n');
        ASSERT_EQ(lines.size(), 24) << d.locale << out.constData();
        // position;dark;bright, each a number with at most one separator, and
        // the separator of that locale.
        const QString number =
            QStringLiteral("-?[0-9]+(\\%1[0-9]+)?(E[-+][0-9]+)?").arg(d.separator);
        const QRegularExpression row(QStringLiteral("^%1;%1;%1\r$").arg(number));
        for (int r = 0; r < 2; ++r)
            for (int k = 1; k <= 10; ++k)
                EXPECT_TRUE(row.match(QString::fromLatin1(lines[r * 12 + k])).hasMatch())
                    << d.locale << " line " << r * 12 + k << ": " << lines[r * 12 + k].constData();
        EXPECT_TRUE(lines[2].startsWith(QByteArray("0") + d.separator + "1;")) << d.locale;
        outputs << out;
    }
    // Written under one locale, read under any: the same times to the bit.
    MeasurementStore german, english, plain;
    ASSERT_FALSE(readDataFileLines(splitTextLines(outputs[0], 11), german));
    ASSERT_FALSE(readDataFileLines(splitTextLines(outputs[1], 11), english));
    ASSERT_FALSE(readDataFileLines(splitTextLines(outputs[2], 11), plain));
    for (int k = 0; k < BarrierCount; ++k) {
        EXPECT_EQ(german.RunTimes[0][k], english.RunTimes[0][k]) << k;
        EXPECT_EQ(german.RunTimes[1][k], plain.RunTimes[1][k]) << k;
    }
    EXPECT_NEAR(german.RunTimes[1][0], 299 / 22050.0 - 0.0003, 1e-16);
}

// A recording of a barrier with a steady output, as a teacher records it
// through the line input: its times by the edges' rule, and the tone's rule
// warns on it.
TEST_F(AnalyseCommand, ASteadyVoltageRecordingByItsEdgesAndAWarningByTheTone) {
    for (const double cutoff : {20.0, 40.0})
        for (const bool highWhileBright : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << cutoff << " Hz, high while " << (highWhileBright ? "bright" : "dark"));
            const auto r = test::cartRun(47, cutoff, 1, highWhileBright);
            const QString wav = dir_.filePath("gleichspannung.wav");
            ASSERT_EQ(platform::writeWavFile(wav.toStdString(), r.samples(), 22050), "");
            const QString folder = dir_.filePath(highWhileBright ? "hell" : "dunkel");
            Command c = run(
                {"--analyse", wav, "--signal", "edges", "--threshold", "6000", "--output", folder});
            ASSERT_EQ(c.status, 0) << c.err.toStdString();
            EXPECT_TRUE(c.err.isEmpty()) << c.err.toStdString();
            QFile f(QDir(folder).filePath("gleichspannung-1.kmd"));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            MeasurementStore store;
            ASSERT_FALSE(readDataFileLines(splitTextLines(f.readAll(), 11), store));
            const auto edges = r.edges();
            auto timeOf = [&](std::int64_t n) {
                return double((n - edges[0].first) / 22050.0L - 0.0003L);
            };
            for (int k = 0; k < BarrierCount; ++k) {
                EXPECT_NEAR(store.RunTimes[0][k], timeOf(edges[k].first), 1.0 / 22050 + 1e-9) << k;
                EXPECT_NEAR(store.RunTimes[1][k], timeOf(edges[k].second), 1.0 / 22050 + 1e-9) << k;
            }
            // By the tone's rule the run is found, and said to look wrong.
            c = run({"--analyse", wav, "--threshold", "6000"});
            EXPECT_EQ(c.status, 0) << c.err.toStdString();
            EXPECT_TRUE(c.err.contains("Gleichspannung")) << c.err.toStdString();
            EXPECT_TRUE(c.err.contains("--signal edges")) << c.err.toStdString();
        }
    // A tone recording is not warned about.
    const Command tone = run({"--analyse", wav_});
    EXPECT_EQ(tone.status, 0);
    EXPECT_TRUE(tone.err.isEmpty()) << tone.err.toStdString();
}

TEST_F(AnalyseCommand, TheKindChosenInTheSettingsUnlessTheCommandLineSaysOtherwise) {
    const auto r = test::cartRun(47, 20, 1, true);
    const QString wav = dir_.filePath("gleichspannung.wav");
    ASSERT_EQ(platform::writeWavFile(wav.toStdString(), r.samples(), 22050), "");
    ASSERT_FALSE(rememberSignalKind(SignalKind::Edges));
    Command c = run({"--analyse", wav, "--threshold", "6000"});
    EXPECT_EQ(c.status, 0);
    EXPECT_TRUE(c.err.isEmpty()) << "read by its edges: " << c.err.toStdString();
    c = run({"--analyse", wav, "--threshold", "6000", "--signal", "tone"});
    EXPECT_TRUE(c.err.contains("--signal edges")) << c.err.toStdString();
    ASSERT_FALSE(rememberSignalKind(SignalKind::Tone));
    EXPECT_EQ(run({"--analyse", wav, "--signal", "flanken"}).status, 2);
}

// Drops of a picket fence in a recording: each as a block with its bands and
// its g, in the desktop's number format; the geometry typed either way.
TEST_F(AnalyseCommand, DropsOfAPicketFenceWithTheirG) {
    platform::FenceDropParameters p;
    p.g = 9.5; // not the standard value: the command must measure it
    p.dragPerMetre = 0;
    const test::FenceRecording recording(p, 2);
    const QString wav = dir_.filePath("fall.wav");
    ASSERT_EQ(recording.write(wav), "");
    Command c = run({"--analyse", wav, "--experiment", "fall", "--bands", "8", "--pitch", "50,0",
                     "--band-width", "25"});
    ASSERT_EQ(c.status, 0) << c.err.toStdString();
    const QStringList lines = QString::fromUtf8(c.out).split("\r\n");
    ASSERT_GE(lines.size(), 24) << c.out.constData();
    EXPECT_EQ(lines[0], "Fall 1");
    EXPECT_EQ(lines[1], "Latte;Ort;Zeit dunkel;Zeit hell;Geschwindigkeit");
    EXPECT_TRUE(lines[2].startsWith("1;0;-0,0003;")) << lines[2].toStdString();
    EXPECT_TRUE(lines[4].startsWith("3;0,1;")) << lines[4].toStdString();
    const QRegularExpression gLine(QStringLiteral("^g = \\((9,\\d+) ± (0,\\d+)\\) m/s²$"));
    const auto match = gLine.match(lines[10]);
    ASSERT_TRUE(match.hasMatch()) << lines[10].toStdString();
    EXPECT_NEAR(QLocale(QLocale::German).toDouble(match.captured(1)), 9.5, 0.02);
    EXPECT_EQ(lines[12], "Fall 2");
    // "50.0" as a script types it, the same drops.
    EXPECT_EQ(run({"--analyse", wav, "--experiment", "fall", "--pitch", "50.0"}).out, c.out);

    for (const QStringList& bad :
         {QStringList{"--pitch", "0"}, QStringList{"--pitch", "viel"}, QStringList{"--bands", "1"},
          QStringList{"--bands", "31"}, QStringList{"--band-width", "50"},
          QStringList{"--band-width", "-3"}}) {
        c = run(QStringList{"--analyse", wav, "--experiment", "fall"} + bad);
        EXPECT_EQ(c.status, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(c.err.startsWith("kelmot: ")) << c.err.toStdString();
    }
    EXPECT_TRUE(
        run({"--analyse", wav, "--experiment", "fall", "--pitch", "viel"}).err.contains("--pitch"));
    EXPECT_EQ(run({"--analyse", wav, "--experiment", "wurf"}).status, 2);
    EXPECT_EQ(run({"--analyse", wav, "--pitch", "50"}).status, 2) << "geometry without the fall";
    // Two flashes through the beam are no drop to give g.
    std::vector<std::int16_t> flashes(22050 * 3, 0);
    for (const int at : {11025, 22050})
        std::fill_n(flashes.begin() + at, 200, std::int16_t{12000});
    const QString few = dir_.filePath("blitze.wav");
    ASSERT_EQ(platform::writeWavFile(few.toStdString(), flashes, 22050), "");
    c = run({"--analyse", few, "--experiment", "fall"});
    EXPECT_EQ(c.status, 1);
    EXPECT_TRUE(c.err.contains("Flanken")) << c.err.toStdString();
}

// Swings of a pendulum in a recording: the passages with every second one's
// period, then T, g (and what it would be without the amplitude's
// correction) and τ, in the desktop's number format; the setup checked.
TEST_F(AnalyseCommand, SwingsOfAPendulumWithTAndGAndTheirDecay) {
    platform::PendulumParameters p;
    p.lengthMm = 800;
    p.g = 9.7; // not the standard value: the command must measure it
    p.amplitudeDeg = 12;
    p.tau = 40;
    platform::SimulatedPendulum pendulum(p, 22050);
    std::vector<std::int16_t> samples(22050 * 20);
    pendulum.read(samples.data(), samples.size());
    const QString wav = dir_.filePath("pendel.wav");
    ASSERT_EQ(platform::writeWavFile(wav.toStdString(), samples, 22050), "");
    Command c = run({"--analyse", wav, "--experiment", "pendulum", "--length", "800,0",
                     "--bob-width", "20", "--periods", "5"});
    ASSERT_EQ(c.status, 0) << c.err.toStdString();
    const QStringList lines = QString::fromUtf8(c.out).split("\r\n");
    ASSERT_GE(lines.size(), 19) << c.out.constData();
    EXPECT_EQ(lines[0], "Pendel 1");
    EXPECT_EQ(lines[1], "Durchgang;Zeit;Dunkel;Geschwindigkeit;Periode");
    EXPECT_TRUE(lines[2].endsWith(";")) << "the first passage has no period";
    EXPECT_TRUE(QRegularExpression("^3;\\d+,\\d{5};0,\\d{5};\\d,\\d{4};1,\\d{5}$")
                    .match(lines[4])
                    .hasMatch())
        << lines[4].toStdString();
    const auto valueIn = [&](int line, const char* pattern) {
        const auto match = QRegularExpression(QString::fromUtf8(pattern)).match(lines[line]);
        EXPECT_TRUE(match.hasMatch()) << lines[line].toStdString();
        return QLocale(QLocale::German).toDouble(match.captured(1));
    };
    EXPECT_NEAR(valueIn(13, "^T = \\((1,\\d+) ± 0,\\d+\\) s$"),
                2 * std::numbers::pi * std::sqrt(0.8 / 9.7) * 1.0025, 0.004);
    EXPECT_NEAR(valueIn(14, "^g = \\((9,\\d+) ± 0,\\d+\\) m/s²$"), 9.7, 0.01);
    EXPECT_LT(valueIn(15, "^Ohne Korrektur der Amplitude \\(\\d+,\\d°\\): g = (9,\\d+) m/s²$"),
              9.7 - 0.01);
    EXPECT_NEAR(valueIn(16, "^τ = \\((\\d+,?\\d*) ± \\d+,?\\d*\\) s$"), 40, 2);
    EXPECT_TRUE(lines[17].startsWith("Q = ")) << lines[17].toStdString();
    EXPECT_EQ(lines[19], "Pendel 2") << "the swing goes on after five periods";

    for (const QStringList& bad : {QStringList{"--length", "20"}, QStringList{"--length", "lang"},
                                   QStringList{"--bob-width", "0"}, QStringList{"--periods", "201"},
                                   QStringList{"--periods", "zwei"}}) {
        c = run(QStringList{"--analyse", wav, "--experiment", "pendulum"} + bad);
        EXPECT_EQ(c.status, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(c.err.startsWith("kelmot: ")) << c.err.toStdString();
    }
    EXPECT_EQ(run({"--analyse", wav, "--experiment", "fall", "--length", "500"}).status, 2);
    EXPECT_EQ(run({"--analyse", wav, "--experiment", "pendulum", "--bands", "8"}).status, 2);
}

// Turns of a spoked pulley in a recording: a row per spoke, then a and α in
// the desktop's number format (the program itself runs here); the setup
// checked, its options only with the pulley.
TEST_F(AnalyseCommand, TurnsOfASpokedPulleyWithTheStringsAcceleration) {
    platform::PulleyParameters p;
    p.spokes = 8;
    p.radiusMm = 20;
    p.mass1G = 100; // another a than the window's default wheel
    p.mass2G = 40;
    platform::SimulatedPulley wheel(p, 22050);
    std::vector<std::int16_t> samples(22050 * 5);
    wheel.read(samples.data(), samples.size());
    const QString wav = dir_.filePath("rad.wav");
    ASSERT_EQ(platform::writeWavFile(wav.toStdString(), samples, 22050), "");
    Command c = run({"--analyse", wav, "--experiment", "pulley", "--spokes", "8", "--radius",
                     "20,0", "--turns", "2"});
    ASSERT_EQ(c.status, 0) << c.err.toStdString();
    const QStringList lines = QString::fromUtf8(c.out).split("\r\n");
    ASSERT_GE(lines.size(), 2 + 17 + 3) << c.out.constData();
    EXPECT_EQ(lines[0], "Rad 1");
    EXPECT_EQ(lines[1], "Speiche;Winkel;Ort;Zeit dunkel;Zeit hell;Geschwindigkeit");
    EXPECT_TRUE(lines[4].startsWith("3;90;")) << lines[4].toStdString();
    const auto match =
        QRegularExpression("^Aus s-t \\(Parabel\\): a = \\((\\d,\\d+) ± 0,\\d+\\) m/s², R² = ")
            .match(lines[19]);
    ASSERT_TRUE(match.hasMatch()) << lines[19].toStdString();
    EXPECT_NEAR(QLocale(QLocale::German).toDouble(match.captured(1)), p.acceleration(),
                0.005 * p.acceleration());
    EXPECT_TRUE(lines[21].startsWith("Winkelbeschleunigung: α = (")) << lines[21].toStdString();

    for (const QStringList& bad : {QStringList{"--spokes", "1"}, QStringList{"--spokes", "zehn"},
                                   QStringList{"--radius", "0"}, QStringList{"--turns", "21"}}) {
        c = run(QStringList{"--analyse", wav, "--experiment", "pulley"} + bad);
        EXPECT_EQ(c.status, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(c.err.startsWith("kelmot: ")) << c.err.toStdString();
    }
    EXPECT_EQ(run({"--analyse", wav, "--experiment", "fall", "--spokes", "8"}).status, 2);
    EXPECT_EQ(run({"--analyse", wav, "--experiment", "pulley", "--bands", "8"}).status, 2);
    // A recording without spokes: nothing to say, and the command says so.
    const QString quiet = dir_.filePath("still.wav");
    ASSERT_EQ(
        platform::writeWavFile(quiet.toStdString(), std::vector<std::int16_t>(22050 * 2), 22050),
        "");
    c = run({"--analyse", quiet, "--experiment", "pulley"});
    EXPECT_EQ(c.status, 1);
    EXPECT_TRUE(c.err.contains("keine Umdrehung")) << c.err.toStdString();
}
