// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startoptions.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kelmot;

namespace {
ParsedOptions parse(QStringList args) {
    args.prepend("kelmot");
    return parseStartOptions(args);
}
} // namespace

TEST(StartOptions, ChooseTheCaptureSourceAndTheMixer) {
    auto p = parse({});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->capture, StartOptions::Capture::SoundCard);
    EXPECT_EQ(p.options->mixer, StartOptions::Mixer::Alsa);
    p = parse({"--simulate", "--mixer=simulated"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->capture, StartOptions::Capture::Simulation);
    EXPECT_EQ(p.options->mixer, StartOptions::Mixer::Simulated);
    p = parse({"--replay", "lauf.wav"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->capture, StartOptions::Capture::Replay);
    EXPECT_EQ(p.options->replayFile, "lauf.wav");
    EXPECT_EQ(makeCaptureBackend(*p.options)->inputName(), "lauf.wav");
}

TEST(StartOptions, HelpAndVersionEndWithZero) {
    auto p = parse({"--help"});
    EXPECT_FALSE(p.options);
    EXPECT_EQ(p.exitCode, 0);
    EXPECT_TRUE(p.output.contains("--simulate"));
    EXPECT_TRUE(p.output.contains("--replay"));
    p = parse({"--version"});
    EXPECT_EQ(p.exitCode, 0);
    EXPECT_TRUE(p.output.startsWith("Kelmot 3.0\n")) << p.output.toStdString();
    EXPECT_TRUE(p.output.contains("GPL-3.0-or-later")) << "the licence";
}

TEST(StartOptions, BadOptionsEndWithTwo) {
    for (const QStringList& bad :
         {QStringList{"--mixer=oss"}, QStringList{"--bogus"},
          QStringList{"--simulate", "--replay", "x.wav"}, QStringList{"a.kmd", "b.kmd"},
          QStringList{"--analyse", "x.wav", "a.kmd"}, QStringList{"--replay"},
          QStringList{"--simulate-speed=0"}}) {
        const auto p = parse(bad);
        EXPECT_FALSE(p.options) << bad.join(' ').toStdString();
        EXPECT_EQ(p.exitCode, 2) << bad.join(' ').toStdString();
        EXPECT_TRUE(p.output.startsWith("kelmot: ")) << p.output.toStdString();
    }
}

TEST(StartOptions, ADataFileToOpenAtStart) {
    const auto p = parse({"--simulate", "lauf.kmd"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->openFile, "lauf.kmd");
}

// --backup copies the journal and does nothing else: alone it is taken,
// beside any other work it is refused.
TEST(StartOptions, BackupStandsAlone) {
    auto p = parse({"--backup", "sicherung.sqlite"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->backupFile, "sicherung.sqlite");
    EXPECT_FALSE(p.options->listRuns);
    for (const QStringList& bad :
         {QStringList{"--backup", "a.sqlite", "--runs"}, QStringList{"--backup", "a", "lauf.kmd"},
          QStringList{"--backup", "a", "--analyse", "lauf.wav"},
          QStringList{"--backup", "a", "--simulate"}, QStringList{"--backup"},
          QStringList{"--backup="}}) {
        p = parse(bad);
        EXPECT_FALSE(p.options) << bad.join(' ').toStdString();
        EXPECT_EQ(p.exitCode, 2) << bad.join(' ').toStdString();
    }
    EXPECT_TRUE(parse({"--help"}).output.contains("--backup"));
}

TEST(StartOptions, TheSignalKindForThisStartAndTheSimulatedBarrier) {
    auto p = parse({});
    ASSERT_TRUE(p.options);
    EXPECT_FALSE(p.options->signal) << "the remembered choice holds";
    p = parse({"--simulate", "--signal", "edges"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->signal, SignalKind::Edges);
    p = parse({"--replay", "lauf.wav", "--signal=tone"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->signal, SignalKind::Tone);
    p = parse({"--analyse", "lauf.wav", "--signal", "edges"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->signal, SignalKind::Edges);
    for (const QStringList& bad : {QStringList{"--signal", "flanken"}, QStringList{"--signal"},
                                   QStringList{"--runs", "--signal", "edges"}}) {
        p = parse(bad);
        EXPECT_FALSE(p.options) << bad.join(' ').toStdString();
        EXPECT_EQ(p.exitCode, 2) << bad.join(' ').toStdString();
    }
    EXPECT_TRUE(parse({"--help"}).output.contains("--signal"));
}
