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

    explicit DetectedRun(std::shared_ptr<WaveInBackend> backend, int timeoutMs = 20000) {
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

std::vector<std::int16_t> trackSamples(const TrackParameters& p, std::size_t n) {
    SimulatedTrack t(p, 22050);
    std::vector<std::int16_t> s(n);
    t.read(s.data(), n);
    return s;
}

} // namespace

TEST(SimulatedTrack, DefaultsGiveTenBarriersInOrder) {
    SimulatedTrack t(TrackParameters{}, 22050);
    ASSERT_EQ(t.edges().size(), 10u);
    for (std::size_t k = 1; k < 10; ++k) {
        EXPECT_GT(t.edges()[k].first, t.edges()[k - 1].second + 8);
        // Accelerating: each flag passes faster than the one before.
        EXPECT_LE(t.edges()[k].second - t.edges()[k].first,
                  t.edges()[k - 1].second - t.edges()[k - 1].first);
    }
    // 20 mm at 0.35 m/s: about 57 ms dark at barrier 0.
    EXPECT_NEAR((t.edges()[0].second - t.edges()[0].first) / 22050.0, 0.057, 0.002);
}

TEST(SimulatedTrack, FrictionCanStopTheCartBeforeTheEnd) {
    TrackParameters p;
    p.acceleration = 0;
    p.friction = 0.2;
    p.startSpeed = 0.3; // stops after 0.225 m
    SimulatedTrack t(p, 22050);
    EXPECT_EQ(t.edges().size(), 3u);
}

TEST(SimulatedTrack, DcSignalIsExactlyTheEdgesWithoutNoise) {
    TrackParameters p;
    p.noise = 0;
    SimulatedTrack reference(p, 22050);
    const auto& e = reference.edges();
    const auto s = trackSamples(p, static_cast<std::size_t>(e.back().second + 100));
    EXPECT_EQ(s[e[3].first - 1], 0);
    EXPECT_EQ(s[e[3].first], 12000);
    EXPECT_EQ(s[e[3].second], 12000);
    EXPECT_EQ(s[e[3].second + 1], 0);
}

TEST(SimulatedTrack, ToneBurstAndAcCouplingStillResolveIntoTenEvents) {
    for (const bool tone : {false, true}) {
        TrackParameters p;
        p.toneBurst = tone;
        p.acCoupling = tone;
        p.noise = 500;
        SimulatedTrack t(p, 22050);
        const auto s = trackSamples(p, static_cast<std::size_t>(t.edges().back().second + 4410));
        MeasurementStore store;
        store.initialise();
        RecordingOutput out;
        LightBarrierDetector d(store, out);
        d.reset();
        std::vector<std::int16_t> settle(4410, 0);
        d.analyse(reinterpret_cast<const char*>(settle.data()), 8820);
        for (std::size_t at = 0; at + 4410 <= s.size(); at += 4410)
            d.analyse(reinterpret_cast<const char*>(s.data() + at), 8820);
        EXPECT_EQ(d.EventCount, 10) << "tone " << tone;
        const double t0 = t.edges()[0].first;
        // Within a half-wave of the tone of the true edges.
        for (int k = 0; k < 10; ++k)
            EXPECT_NEAR(store.RunTimes[0][k], (t.edges()[k].first - t0) / 22050 - 0.0003, 0.0002);
    }
}

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
