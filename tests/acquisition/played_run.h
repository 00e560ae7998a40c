// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/wavfilesource.h"
#include "tests/eventloop.h"
#include "tests/soundserver.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

namespace kelmot::test {

// A ten-barrier run as the interface box would give it: beams of different
// lengths at uneven distances after half a second of silence.
struct PlayedRun {
    std::vector<std::int16_t> samples;
    std::vector<std::pair<std::int64_t, std::int64_t>> edges; // first, last dark sample

    PlayedRun() : samples(static_cast<std::size_t>(22050 * 3.5), 0) {
        std::int64_t at = 11025;
        for (int k = 0; k < 10; ++k) {
            const std::int64_t length = 900 - 40 * k + (k % 3) * 7;
            for (std::int64_t i = 0; i < length; ++i)
                samples[static_cast<std::size_t>(at + i)] = 14000;
            edges.emplace_back(at, at + length - 1);
            at += 3300 - 150 * k + (k % 2) * 13;
        }
    }
    // Times as the detection must find them: from the first dark edge, less 0.3 ms.
    double darkTime(int k) const { return timeOf(edges[k].first); }
    double brightTime(int k) const { return timeOf(edges[k].second); }

private:
    double timeOf(std::int64_t index) const {
        return static_cast<double>((index - edges[0].first) / 22050.0L - 0.0003L);
    }
};

// Plays a WAV file into the sound server's default sink and lets the event
// loop run (the capture's notifications) until `done` holds and the player
// has finished. Player and capture go at the machine's pace: the limit is
// generous, the condition is what the test asserts.
template <typename Done>
bool playWhileWaiting(const QString& wav, Done done, int limitMs = 120000) {
    QProcess player;
    player.start("paplay", {"--device=@DEFAULT_SINK@", wav});
    if (!player.waitForStarted(60000)) return false;
    const bool ok =
        processUntil([&] { return done() && player.state() == QProcess::NotRunning; }, limitMs);
    if (player.state() != QProcess::NotRunning) {
        player.kill();
        player.waitForFinished(60000);
    }
    return ok && player.exitStatus() == QProcess::NormalExit && player.exitCode() == 0;
}

// The default sink and source at full volume, unmuted, while it lives:
// samples pass unchanged. What they were before is restored at the end, so a
// later test (or the developer's own server) finds them as they were.
class FullVolumeSoundPath {
public:
    FullVolumeSoundPath()
        : sinkVolume_(rawVolume("get-sink-volume", "@DEFAULT_SINK@")),
          sourceVolume_(rawVolume("get-source-volume", "@DEFAULT_SOURCE@")),
          sourceMute_(pactl({"get-source-mute", "@DEFAULT_SOURCE@"}).contains("yes") ? "1" : "0") {
        pactl({"set-sink-volume", "@DEFAULT_SINK@", "100%"});
        pactl({"set-source-volume", "@DEFAULT_SOURCE@", "100%"});
        pactl({"set-source-mute", "@DEFAULT_SOURCE@", "0"});
    }
    ~FullVolumeSoundPath() {
        if (!sinkVolume_.isEmpty()) pactl({"set-sink-volume", "@DEFAULT_SINK@", sinkVolume_});
        if (!sourceVolume_.isEmpty())
            pactl({"set-source-volume", "@DEFAULT_SOURCE@", sourceVolume_});
        pactl({"set-source-mute", "@DEFAULT_SOURCE@", sourceMute_});
    }
    FullVolumeSoundPath(const FullVolumeSoundPath&) = delete;
    FullVolumeSoundPath& operator=(const FullVolumeSoundPath&) = delete;

private:
    // pactl in its own words ("Mute: yes"), not the desktop's language.
    static QString pactl(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LC_ALL", "C");
        p.setProcessEnvironment(env);
        p.start("pactl", args);
        p.waitForFinished(10000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
    // "Volume: mono: 65536 / 100% / 0.00 dB": the first raw value.
    static QString rawVolume(const char* command, const char* device) {
        const QString out = pactl({command, device});
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral(":\\s*(\\d+)\\s*/")).match(out);
        return m.hasMatch() ? m.captured(1) : QString();
    }
    QString sinkVolume_;
    QString sourceVolume_;
    QString sourceMute_;
};

} // namespace kelmot::test
