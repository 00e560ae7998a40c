#include "acquisition/AudioIO.h"
#include "acquisition/lightbarrierdetector.h"
#include "platform/portaudio_wavein.h"
#include "platform/wavfilesource.h"
#include "tests/acquisition/detection_fixture.h"
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
    runTool("pactl", {"set-sink-volume", "@DEFAULT_SINK@", "100%"});
    runTool("pactl", {"set-source-volume", "@DEFAULT_SOURCE@", "100%"});
    runTool("pactl", {"set-source-mute", "@DEFAULT_SOURCE@", "0"});

    // Beams of different lengths at uneven distances, as a real cart gives.
    std::vector<std::int16_t> signal(static_cast<std::size_t>(22050 * 3.5), 0);
    std::vector<std::pair<std::int64_t, std::int64_t>> edges;
    std::int64_t at = 11025; // half a second of silence first
    for (int k = 0; k < 10; ++k) {
        const std::int64_t length = 900 - 40 * k + (k % 3) * 7;
        for (std::int64_t i = 0; i < length; ++i)
            signal[static_cast<std::size_t>(at + i)] = 14000;
        edges.emplace_back(at, at + length - 1);
        at += 3300 - 150 * k + (k % 2) * 13;
    }
    QTemporaryDir dir;
    const QString wav = dir.filePath("lauf.wav");
    ASSERT_EQ(writeWavFile(wav.toStdString(), signal, 22050), "");

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
    ASSERT_TRUE(processUntil([&] { return audio.BuffersReturned() >= 2; }, 5000));
    QProcess player;
    player.start("paplay", {"--device=@DEFAULT_SINK@", wav});
    ASSERT_TRUE(player.waitForStarted(5000));
    const bool ended = processUntil([&] { return detector.EventCount >= 10; }, 15000);
    player.waitForFinished(10000);
    ASSERT_TRUE(ended) << "events seen: " << detector.EventCount;
    ASSERT_TRUE(processUntil([&] { return !audio.DeviceOpen(); }, 5000));

    const long double t0 = static_cast<long double>(edges[0].first);
    for (int k = 0; k < 10; ++k) {
        EXPECT_DOUBLE_EQ(store.RunTimes[0][k],
                         static_cast<double>((edges[k].first - t0) / 22050.0L - 0.0003L))
            << "dark " << k;
        EXPECT_DOUBLE_EQ(store.RunTimes[1][k],
                         static_cast<double>((edges[k].second - t0) / 22050.0L - 0.0003L))
            << "bright " << k;
    }
    EXPECT_EQ(lostDuringRun, 0u);
    EXPECT_EQ(store.SeriesName[0], "Messung 1");
}
