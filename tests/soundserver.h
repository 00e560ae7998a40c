// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QStringList>
#include <cstdlib>
#include <gtest/gtest.h>

namespace kelmot::test {

// Runs a command and returns its standard output ("" when it fails).
inline QString runTool(const QString& program, const QStringList& args, bool* ok = nullptr) {
    QProcess p;
    p.start(program, args);
    const bool done = p.waitForFinished(60000);
    const bool good = done && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok) *ok = good;
    return good ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

// Whether the PulseAudio test server answers. The test script sets
// KELMOT_REQUIRE_SOUND, and then a missing server is a failure, not a skip.
inline bool soundServerReady() {
    bool ok = false;
    runTool("pactl", {"info"}, &ok);
    return ok;
}

inline bool soundRequired() {
    return std::getenv("KELMOT_REQUIRE_SOUND") != nullptr;
}

} // namespace kelmot::test

#define KELMOT_NEED_SOUND_SERVER()                                                                 \
    do {                                                                                           \
        if (!kelmot::test::soundServerReady()) {                                                   \
            if (kelmot::test::soundRequired())                                                     \
                FAIL() << "no PulseAudio server: start it with scripts/pulse-session.sh start";    \
            GTEST_SKIP() << "no PulseAudio server (scripts/pulse-session.sh start)";               \
        }                                                                                          \
    } while (0)
