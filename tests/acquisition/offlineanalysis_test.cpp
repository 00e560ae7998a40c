// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/offlineanalysis.h"
#include "platform/wavfilesource.h"
#include "platform/wavstream.h"
#include "tests/acquisition/detection_fixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

// Beams of different lengths at uneven distances, 0.5 s after `start`.
struct RecordedRun {
    std::vector<std::pair<std::int64_t, std::int64_t>> edges;
    void addTo(std::vector<std::int16_t>& samples, std::int64_t start, int variant) {
        std::int64_t at = start + 11025;
        for (int k = 0; k < 10; ++k) {
            const std::int64_t length = 900 - 40 * k + (k % 3) * 7 + variant;
            for (std::int64_t i = 0; i < length; ++i)
                samples[std::size_t(at + i)] = 14000;
            edges.emplace_back(at, at + length - 1);
            at += 3300 - 150 * k + (k % 2) * 13 + 5 * variant;
        }
    }
    double time(std::int64_t index) const {
        return double((index - edges[0].first) / 22050.0L - 0.0003L);
    }
};

struct Found {
    std::vector<std::array<double, 20>> runs;
    RecordingAnalysis result;
};

Found analyse(const std::string& path, std::int32_t threshold = 5000) {
    std::string error;
    auto stream = WavStream::open(path, 22050, error);
    EXPECT_TRUE(stream) << error;
    Found f;
    if (!stream) return f;
    f.result = analyseRecording(*stream, threshold, [&](int run, const double(&t)[2][TimeSlots]) {
        EXPECT_EQ(run, int(f.runs.size()) + 1);
        std::array<double, 20> times{};
        for (int k = 0; k < 10; ++k) {
            times[std::size_t(k)] = t[0][k];
            times[std::size_t(10 + k)] = t[1][k];
        }
        f.runs.push_back(times);
    });
    return f;
}

} // namespace

TEST(OfflineAnalysis, EveryRunOfARecordingToTheSample) {
    // Three runs 4 s apart, then half a run that never ends.
    std::vector<std::int16_t> samples(std::size_t(22050 * 14), 0);
    std::vector<RecordedRun> runs(3);
    for (int r = 0; r < 3; ++r)
        runs[std::size_t(r)].addTo(samples, std::int64_t(r) * 22050 * 4, r);
    for (int i = 0; i < 500; ++i)
        samples[std::size_t(22050 * 13 + i)] = 14000;
    QTemporaryDir dir;
    const std::string path = dir.filePath("stunde.wav").toStdString();
    ASSERT_EQ(writeWavFile(path, samples, 22050), "");

    const Found f = analyse(path);
    ASSERT_EQ(f.runs.size(), 3u);
    EXPECT_EQ(f.result.runs, 3);
    EXPECT_EQ(f.result.edges, 3 * 20 + 2);
    EXPECT_TRUE(f.result.error.empty());
    for (int r = 0; r < 3; ++r) {
        for (int k = 0; k < 10; ++k) {
            const auto& e = runs[std::size_t(r)].edges[std::size_t(k)];
            EXPECT_DOUBLE_EQ(f.runs[std::size_t(r)][std::size_t(k)],
                             runs[std::size_t(r)].time(e.first))
                << r << " dark " << k;
            EXPECT_DOUBLE_EQ(f.runs[std::size_t(r)][std::size_t(10 + k)],
                             runs[std::size_t(r)].time(e.second))
                << r << " bright " << k;
        }
        EXPECT_DOUBLE_EQ(f.runs[std::size_t(r)][0], -0.0003);
    }
}

TEST(OfflineAnalysis, ARunInTheFirstBufferAfterARunIsLostAsLive) {
    // The detection starts again after the tenth bright edge and leaves the
    // next 0.2 s buffer out, as "Messen" pressed again does. Run A ends in
    // buffer 10; run B begins in buffer 11, so its first beam is missed and
    // it never completes.
    std::vector<std::int16_t> samples(std::size_t(22050 * 6), 0);
    const auto a = fullRunSignal(5000, 300);
    const auto b = fullRunSignal(50000, 300, 12000, 4410 * 26);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] =
            std::max(i < a.size() ? a[i] : std::int16_t(0), i < b.size() ? b[i] : std::int16_t(0));
    QTemporaryDir dir;
    const std::string path = dir.filePath("a.wav").toStdString();
    ASSERT_EQ(writeWavFile(path, samples, 22050), "");
    const Found f = analyse(path);
    ASSERT_EQ(f.runs.size(), 1u);
    EXPECT_NEAR(f.runs[0][9], 9 * 0.2 - 0.0003, 1e-9);
    EXPECT_EQ(f.result.edges, 20 + 18);
    // A threshold above the signal finds nothing.
    const Found none = analyse(path, 20000);
    EXPECT_EQ(none.result.runs, 0);
    EXPECT_EQ(none.result.edges, 0);
}

TEST(OfflineAnalysis, StereoAtAnotherRateIsConvertedAsTheReplayDoes) {
    const int rate = 44100;
    std::vector<std::int16_t> stereo(std::size_t(rate * 3 * 2), 0);
    for (int k = 0; k < 10; ++k)
        for (int i = 0; i < rate / 50; ++i)
            stereo[std::size_t(2 * (rate / 2 + k * rate / 5 + i))] = 16000;
    for (std::size_t i = 1; i < stereo.size(); i += 2)
        stereo[i] = std::int16_t(30000 * std::sin(double(i) * 0.3)); // ignored second channel
    QTemporaryDir dir;
    const std::string path = dir.filePath("stereo.wav").toStdString();
    ASSERT_EQ(writeWavFile(path, stereo, rate, 2), "");
    const Found f = analyse(path);
    ASSERT_EQ(f.runs.size(), 1u);
    for (int k = 0; k < 10; ++k)
        EXPECT_NEAR(f.runs[0][std::size_t(k)], k * 0.2 - 0.0003, 1.5 / 22050) << k;

    // The replay reads the same samples.
    std::string error;
    auto whole = WavFileSource::load(path, 22050, error);
    ASSERT_TRUE(whole) << error;
    auto stream = WavStream::open(path, 22050, error);
    std::vector<std::int16_t> streamed(whole->samples().size() + 100);
    std::size_t n = 0;
    while (const std::size_t got = stream->read(streamed.data() + n, 1000))
        n += got;
    streamed.resize(n);
    EXPECT_EQ(streamed, whole->samples());
}
