// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/AudioIO.h"
#include "acquisition/lightbarrierdetector.h"
#include "platform/paced_wavein.h"
#include "platform/simulatedtrack.h"
#include "platform/wavfilesource.h"
#include "tests/acquisition/detection_fixture.h"
#include "tests/eventloop.h"

#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

// Runs a capture from `backend` through the detection until the run ends.
struct DetectedRun {
    MeasurementStore store;
    RecordingOutput out;
    LightBarrierDetector detector{store, out};
    bool ended = false;
    QString error;

    explicit DetectedRun(std::shared_ptr<WaveInBackend> backend, int timeoutMs = 120000) {
        store.initialise();
        TAudioIn audio(nullptr, std::move(backend));
        audio.setBufferSize(8820);
        audio.setFrameRate(22050);
        audio.OnBufferFilled = [&](char* b, int& size) {
            detector.analyse(b, size);
            if (out.stops > 0) audio.StopWhenDrained();
            return true;
        };
        detector.reset();
        if (!audio.Start()) {
            error = audio.ErrorText();
            return;
        }
        ended = processUntil([&] { return !audio.DeviceOpen(); }, timeoutMs);
        lost = audio.LostFrames();
    }
    std::uint64_t lost = 0;
};

} // namespace

TEST(SimulationBackend, ALiveRunFromTheVirtualTrackEndsWithTenEvents) {
    TrackParameters p;
    p.noise = 0;
    SimulatedTrack reference(p, 22050);
    auto backend = std::make_shared<PacedBackend>(
        "Simulation",
        [p](int rate, std::string&) { return std::make_unique<SimulatedTrack>(p, rate); }, 20.0, "",
        PacedBackend::Pacing::Lossless);
    DetectedRun run(backend);
    ASSERT_TRUE(run.error.isEmpty()) << run.error.toStdString();
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.lost, 0u); // lossless, however busy the machine
    EXPECT_EQ(run.detector.EventCount, 10);
    EXPECT_TRUE(run.store.DataPresent);
    const double t0 = reference.edges()[0].first;
    for (int k = 0; k < 10; ++k) {
        EXPECT_DOUBLE_EQ(
            run.store.RunTimes[0][k],
            static_cast<double>((reference.edges()[k].first - t0) / 22050.0L - 0.0003L));
        EXPECT_DOUBLE_EQ(
            run.store.RunTimes[1][k],
            static_cast<double>((reference.edges()[k].second - t0) / 22050.0L - 0.0003L));
    }
}

TEST(SimulationBackend, OnlySixteenBitMonoIsOffered) {
    PacedBackend backend("Simulation", [](int, std::string&) {
        return std::make_unique<SimulatedTrack>(TrackParameters{}, 22050);
    });
    TAudioIn audio(nullptr, std::shared_ptr<WaveInBackend>(&backend, [](WaveInBackend*) {}));
    audio.setStereo(true);
    EXPECT_FALSE(audio.Start());
    EXPECT_EQ(audio.ErrorText().toStdString(), genericWaveInErrorText(WaveErrBadFormat));
}

TEST(ReplayBackend, AFileAtAnotherRateAndInStereoIsConvertedAndDetected) {
    QTemporaryDir dir;
    // 44100 Hz stereo: the light-barrier signal in the first channel, a
    // loud tone that must be ignored in the second.
    const int rate = 44100;
    std::vector<std::int16_t> mono(static_cast<std::size_t>(rate * 3), 0);
    for (int k = 0; k < 10; ++k)
        for (int i = 0; i < rate / 50; ++i)
            mono[static_cast<std::size_t>(rate / 2 + k * rate / 5 + i)] = 16000;
    std::vector<std::int16_t> stereo(mono.size() * 2);
    for (std::size_t i = 0; i < mono.size(); ++i) {
        stereo[2 * i] = mono[i];
        stereo[2 * i + 1] = static_cast<std::int16_t>(30000 * std::sin(i * 0.3));
    }
    const std::string path = dir.filePath("lauf.wav").toStdString();
    ASSERT_EQ(writeWavFile(path, stereo, rate, 2), "");
    std::string error;
    auto source = WavFileSource::load(path, 22050, error);
    ASSERT_TRUE(source) << error;
    EXPECT_NEAR(static_cast<double>(source->samples().size()), 22050 * 3, 2);

    auto backend = std::make_shared<PacedBackend>(
        "Wiedergabe",
        [path](int r, std::string& e) -> std::unique_ptr<SampleSource> {
            return WavFileSource::load(path, r, e);
        },
        20.0, "", PacedBackend::Pacing::Lossless);
    DetectedRun run(backend);
    ASSERT_TRUE(run.ended);
    for (int k = 0; k < 10; ++k)
        EXPECT_NEAR(run.store.RunTimes[0][k], k * 0.2 - 0.0003, 1.5 / 22050) << k;
}

TEST(ReplayBackend, UnreadableAndEmptyFilesGiveAClearErrorText) {
    QTemporaryDir dir;
    const std::string missing = dir.filePath("fehlt.wav").toStdString();
    const std::string empty = dir.filePath("leer.wav").toStdString();
    ASSERT_EQ(writeWavFile(empty, {}, 22050), "");
    for (const auto& [file, words] : {std::pair{missing, std::string("kann nicht gelesen werden")},
                                      std::pair{empty, std::string("enthält keine Abtastwerte")}}) {
        const std::string path = file; // a lambda cannot capture a structured binding (C++20)
        auto backend = std::make_shared<PacedBackend>(
            "Wiedergabe", [path](int r, std::string& e) -> std::unique_ptr<SampleSource> {
                return WavFileSource::load(path, r, e);
            });
        TAudioIn audio(nullptr, backend);
        EXPECT_FALSE(audio.Start());
        EXPECT_NE(audio.ErrorText().toStdString().find(words), std::string::npos)
            << audio.ErrorText().toStdString();
        EXPECT_NE(audio.ErrorText().toStdString().find(path), std::string::npos);
    }
}
