// SPDX-License-Identifier: GPL-3.0-or-later
// The live signal view listening on its own capture while a run measures on
// another: two producers, two relay threads and the user-interface thread at
// once, as ThreadSanitizer sees them.
#include "acquisition/AudioIO.h"
#include "acquisition/lightbarrierdetector.h"
#include "acquisition/signalmonitor.h"
#include "platform/paced_wavein.h"
#include "platform/portaudio_wavein.h"
#include "platform/simulatedtrack.h"
#include "tests/acquisition/detection_fixture.h"
#include "tests/eventloop.h"
#include "tests/soundserver.h"

#include <gtest/gtest.h>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

std::shared_ptr<PacedBackend> virtualTrack(double speed) {
    TrackParameters p;
    p.noise = 0;
    return std::make_shared<PacedBackend>(
        "Simulation",
        [p](int rate, std::string&) { return std::make_unique<SimulatedTrack>(p, rate); }, speed,
        "", PacedBackend::Pacing::Lossless);
}

} // namespace

TEST(Concurrency, TheSignalMonitorListensBesideAMeasurement) {
    MeasurementStore store;
    store.initialise();
    RecordingOutput out;
    LightBarrierDetector detector(store, out);
    detector.reset();
    TAudioIn run(nullptr, virtualTrack(20));
    run.setBufferSize(8820);
    run.OnBufferFilled = [&](char* buffer, int& size) {
        detector.analyse(buffer, size);
        if (out.stops) run.StopWhenDrained();
        return true;
    };
    SignalMonitor monitor;
    bool sawBeam = false; // noise is off: any peak is a dark beam
    TAudioIn listen(nullptr, virtualTrack(20));
    listen.setBufferSize(8820);
    listen.OnBufferFilled = [&](char* buffer, int& size) {
        monitor.add(reinterpret_cast<const std::int16_t*>(buffer), std::size_t(size / 2));
        // The view keeps two seconds: a beam seen once may have left it by
        // the time the run has ended.
        sawBeam = sawBeam || monitor.peak() > 0;
        return true;
    };
    ASSERT_TRUE(run.Start()) << run.ErrorText().toStdString();
    ASSERT_TRUE(listen.Start()) << listen.ErrorText().toStdString();
    // Both tracks are paced by their own threads: how far the listening one
    // has got when the run ends depends on the scheduling, so the test waits
    // until the monitor has seen a beam dark.
    ASSERT_TRUE(processUntil([&] { return store.DataPresent && sawBeam; }, 120000))
        << "run stored: " << store.DataPresent << ", beam seen: " << sawBeam;
    listen.StopNow();
    ASSERT_TRUE(processUntil([&] { return !run.DeviceOpen(); }, 60000));
    EXPECT_EQ(detector.EventCount, 10);
    EXPECT_EQ(run.LostFrames(), 0u);
    EXPECT_EQ(listen.LostFrames(), 0u);
}

// The sound card's capture through PortAudio (the sound server's monitor
// source; silence is enough here): PortAudio's callback thread, the relay
// and this thread, through two openings. No process is started meanwhile:
// ThreadSanitizer (gcc 12) reports races in the capture ring after a fork
// from a process whose PortAudio threads run, which a program without the
// fork does not show (so the sound server is not asked with pactl first);
// the played-run tests of the other presets cover the rest.
TEST(Concurrency, TheSoundCardCaptureBesideTheUserInterfaceThread) {
    for (int opening = 0; opening < 2; ++opening) {
        TAudioIn audio(nullptr, std::make_shared<PortAudioBackend>());
        audio.setBufferSize(8820);
        MeasurementStore store;
        store.initialise();
        RecordingOutput out;
        LightBarrierDetector detector(store, out);
        detector.reset();
        int buffers = 0;
        audio.OnBufferFilled = [&](char* buffer, int& size) {
            detector.analyse(buffer, size);
            ++buffers;
            return true;
        };
        if (!audio.Start()) {
            if (soundRequired()) FAIL() << "no sound input: " << audio.ErrorText().toStdString();
            GTEST_SKIP() << "no sound input (scripts/pulse-session.sh start)";
        }
        ASSERT_TRUE(processUntil([&] { return buffers >= 3; }, 15000));
        if (opening == 0) {
            audio.StopNow();
        } else {
            audio.StopWhenDrained();
            ASSERT_TRUE(processUntil([&] { return !audio.DeviceOpen(); }, 15000));
        }
        EXPECT_EQ(detector.EventCount, 0); // silence: no beam
    }
}
