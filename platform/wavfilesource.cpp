// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wavfilesource.h"

#include "platform/platformtext.h"

#include "platform/sndfilelibrary.h"
#include "platform/wavstream.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kelmot::platform {

namespace {

struct SndFileCloser {
    const SndFileLibrary* sf;
    void operator()(SNDFILE* f) const { sf->close(f); }
};
using SndFilePtr = std::unique_ptr<SNDFILE, SndFileCloser>;

} // namespace

std::unique_ptr<WavFileSource> WavFileSource::load(const std::string& path, int frameRate,
                                                   std::string& error) {
    // The same stream the offline analysis reads, taken whole: a run lasts
    // seconds, not hours.
    auto stream = WavStream::open(path, frameRate, error);
    if (!stream) return nullptr;
    constexpr std::int64_t MaxFrames = std::int64_t(1) << 27;
    if (stream->fileFrames() > MaxFrames) {
        error = platformText(
            QT_TRANSLATE_NOOP("Platform", "Die Wiedergabedatei \"%1\" ist zu lang."), path);
        return nullptr;
    }
    std::vector<std::int16_t> samples;
    std::int16_t block[8192];
    while (const std::size_t n = stream->read(block, std::size(block)))
        samples.insert(samples.end(), block, block + n);
    if (!stream->error().empty() || samples.empty()) {
        error = platformText(QT_TRANSLATE_NOOP("Platform",
                                               "Die Wiedergabedatei \"%1\" kann nicht gelesen "
                                               "werden: %2"),
                             path,
                             stream->error().empty()
                                 ? platformText(QT_TRANSLATE_NOOP("Platform", "keine Abtastwerte"))
                                 : stream->error());
        return nullptr;
    }
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
    std::string loaderError;
    const SndFileLibrary* sf = sndFileLibrary(loaderError);
    if (!sf) return loaderError;
    SF_INFO info{};
    info.samplerate = frameRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SndFilePtr file(sf->open(path.c_str(), SFM_WRITE, &info), SndFileCloser{sf});
    if (!file) return sf->strerror(nullptr);
    const auto frames = static_cast<sf_count_t>(samples.size() / std::max(channels, 1));
    if (sf->writefShort(file.get(), samples.data(), frames) != frames)
        return sf->strerror(file.get());
    return {};
}

} // namespace kelmot::platform
