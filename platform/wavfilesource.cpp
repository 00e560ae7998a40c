#include "platform/wavfilesource.h"

#include <samplerate.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kelmot::platform {

namespace {

struct SndFileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};
using SndFilePtr = std::unique_ptr<SNDFILE, SndFileCloser>;

} // namespace

std::unique_ptr<WavFileSource> WavFileSource::load(const std::string& path, int frameRate,
                                                   std::string& error) {
    SF_INFO info{};
    SndFilePtr file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file) {
        error = "Die Wiedergabedatei \"" + path +
                "\" kann nicht gelesen werden: " + sf_strerror(nullptr);
        return nullptr;
    }
    if (info.frames <= 0 || info.channels <= 0) {
        error = "Die Wiedergabedatei \"" + path + "\" enthält keine Abtastwerte.";
        return nullptr;
    }
    // Whole files are small: a run lasts seconds, not hours.
    constexpr sf_count_t MaxFrames = sf_count_t(1) << 27;
    if (info.frames > MaxFrames) {
        error = "Die Wiedergabedatei \"" + path + "\" ist zu lang.";
        return nullptr;
    }
    std::vector<float> frames(static_cast<std::size_t>(info.frames) * info.channels);
    const sf_count_t got = sf_readf_float(file.get(), frames.data(), info.frames);
    if (got <= 0) {
        error = "Die Wiedergabedatei \"" + path +
                "\" kann nicht gelesen werden: " + sf_strerror(file.get());
        return nullptr;
    }
    std::vector<float> mono(static_cast<std::size_t>(got));
    for (sf_count_t i = 0; i < got; ++i)
        mono[i] = frames[static_cast<std::size_t>(i) * info.channels];

    if (info.samplerate != frameRate) {
        const double ratio = double(frameRate) / info.samplerate;
        std::vector<float> converted(static_cast<std::size_t>(std::ceil(mono.size() * ratio)) + 16);
        SRC_DATA data{};
        data.data_in = mono.data();
        data.input_frames = static_cast<long>(mono.size());
        data.data_out = converted.data();
        data.output_frames = static_cast<long>(converted.size());
        data.src_ratio = ratio;
        if (const int rc = src_simple(&data, SRC_SINC_MEDIUM_QUALITY, 1); rc != 0) {
            error = "Die Wiedergabedatei \"" + path +
                    "\" lässt sich nicht umrechnen: " + src_strerror(rc);
            return nullptr;
        }
        converted.resize(static_cast<std::size_t>(data.output_frames_gen));
        mono = std::move(converted);
    }

    std::vector<std::int16_t> samples(mono.size());
    std::transform(mono.begin(), mono.end(), samples.begin(), [](float v) {
        return static_cast<std::int16_t>(std::clamp(std::lround(v * 32768.0f), -32768L, 32767L));
    });
    return std::unique_ptr<WavFileSource>(new WavFileSource(std::move(samples)));
}

void WavFileSource::read(std::int16_t* out, std::size_t count) {
    const std::size_t n = std::min(count, samples_.size() - next_);
    std::memcpy(out, samples_.data() + next_, n * sizeof(std::int16_t));
    std::fill(out + n, out + count, std::int16_t{0});
    next_ += n;
}

std::string writeWavFile(const std::string& path, const std::vector<std::int16_t>& samples,
                         int frameRate, int channels) {
    SF_INFO info{};
    info.samplerate = frameRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SndFilePtr file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file) return sf_strerror(nullptr);
    const auto frames = static_cast<sf_count_t>(samples.size() / std::max(channels, 1));
    if (sf_writef_short(file.get(), samples.data(), frames) != frames)
        return sf_strerror(file.get());
    return {};
}

} // namespace kelmot::platform
