// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/AudioIO.h"
#include "acquisition/lightbarrierdetector.h"
#include "acquisition/offlineanalysis.h"
#include "platform/portaudio_wavein.h"
#include "platform/wavfilesource.h"
#include "platform/wavstream.h"
#include "tests/acquisition/detection_fixture.h"
#include "tests/acquisition/played_run.h"
#include "tests/eventloop.h"
#include "tests/soundserver.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

// A ten-barrier run played into the null sink with paplay and captured from
// its monitor, the default input, through PortAudio and the detection.
TEST(RealSound, APlayedRunIsDetectedToTheSample) {
    KELMOT_NEED_SOUND_SERVER();
    const FullVolumeSoundPath fullVolume;
    const PlayedRun played;
    QTemporaryDir dir;
    const QString wav = dir.filePath("lauf.wav");
    ASSERT_EQ(writeWavFile(wav.toStdString(), played.samples, 22050), "");

    MeasurementStore store;
    store.initialise();
    RecordingOutput out;
    LightBarrierDetector detector(store, out);
    TAudioIn audio(nullptr, std::make_shared<PortAudioBackend>());
    audio.setBufferSize(8820);
    audio.setFrameRate(22050);
    std::uint64_t lostDuringRun = ~0ull;
    audio.OnBufferFilled = [&](char* buffer, int& size) {
        detector.analyse(buffer, size);
        if (out.stops && audio.KeepRunning()) {
            // While draining, the buffers are not queued again and what
            // arrives is dropped by design; until here nothing may be lost.
            lostDuringRun = audio.LostFrames();
            audio.StopWhenDrained();
        }
        return true;
    };
    detector.reset();
    ASSERT_TRUE(audio.Start()) << audio.ErrorText().toStdString();
    // Play only once the capture runs, so no part of the run is missed.
    ASSERT_TRUE(processUntil([&] { return audio.BuffersReturned() >= 2; }));
    ASSERT_TRUE(playWhileWaiting(wav, [&] { return detector.EventCount >= 10; }))
        << "events seen: " << detector.EventCount;
    ASSERT_TRUE(processUntil([&] { return !audio.DeviceOpen(); }));

    for (int k = 0; k < 10; ++k) {
        EXPECT_DOUBLE_EQ(store.RunTimes[0][k], played.darkTime(k)) << "dark " << k;
        EXPECT_DOUBLE_EQ(store.RunTimes[1][k], played.brightTime(k)) << "bright " << k;
    }
    EXPECT_EQ(lostDuringRun, 0u);
    EXPECT_EQ(store.SeriesName[0], "Messung 1");

    // The recording analysed offline gives the same times as the capture.
    std::string error;
    auto stream = WavStream::open(wav.toStdString(), 22050, error);
    ASSERT_TRUE(stream) << error;
    int runs = 0;
    analyseRecording(*stream, store.Threshold, [&](int, const double(&times)[2][TimeSlots]) {
        ++runs;
        for (int k = 0; k < 10; ++k) {
            EXPECT_EQ(times[0][k], store.RunTimes[0][k]) << "offline dark " << k;
            EXPECT_EQ(times[1][k], store.RunTimes[1][k]) << "offline bright " << k;
        }
    });
    EXPECT_EQ(runs, 1);
}

// A sample rate no device offers (ALSA would quietly pick another one):
// Start fails with a clear text and leaves nothing open.
TEST(RealSound, ARateTheDeviceCannotDeliverFailsClearly) {
    KELMOT_NEED_SOUND_SERVER();
    TAudioIn audio(nullptr, std::make_shared<PortAudioBackend>());
    for (const int rate : {0, -5}) {
        audio.setFrameRate(rate);
        EXPECT_FALSE(audio.Start()) << rate;
        EXPECT_FALSE(audio.DeviceOpen());
        EXPECT_FALSE(audio.ErrorText().isEmpty());
    }
    audio.setFrameRate(22050); // and the component is usable again
    ASSERT_TRUE(audio.Start()) << audio.ErrorText().toStdString();
    audio.StopNow();
}

// With the sound server out of reach there is no input device at all.
TEST(RealSound, NoInputDeviceFailsCleanly) {
    const QByteArray saved = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/kelmot-no-server");
    {
        TAudioIn audio(nullptr, std::make_shared<PortAudioBackend>());
        EXPECT_FALSE(audio.Start());
        EXPECT_FALSE(audio.DeviceOpen());
        EXPECT_FALSE(audio.ErrorText().isEmpty());
        std::printf("without a device: %s\n", qPrintable(audio.ErrorText()));
    }
    if (saved.isNull())
        qunsetenv("PULSE_SERVER");
    else
        qputenv("PULSE_SERVER", saved);
}
