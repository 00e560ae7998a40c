// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wavstream.h"

#include "platform/platformtext.h"
#include "platform/sndfilelibrary.h"

#include <samplerate.h>

#include <algorithm>
#include <cmath>

namespace kelmot::platform {

namespace {

constexpr std::size_t BlockFrames = 8192;

std::int16_t toSample(float v) {
    return static_cast<std::int16_t>(std::clamp(std::lround(v * 32768.0f), -32768L, 32767L));
}

} // namespace

std::unique_ptr<WavStream> WavStream::open(const std::string& path, int frameRate,
                                           std::string& error) {
    std::string loaderError;
    const SndFileLibrary* sf = sndFileLibrary(loaderError);
    SF_INFO info{};
    SNDFILE* file = sf ? sf->open(path.c_str(), SFM_READ, &info) : nullptr;
    if (!file) {
        error = platformText(
            QT_TRANSLATE_NOOP("Platform", "Die Datei \"%1\" kann nicht gelesen werden: %2"), path,
            sf ? std::string(sf->strerror(nullptr)) : loaderError);
        return nullptr;
    }
    std::unique_ptr<WavStream> stream(new WavStream);
    stream->sf_ = sf;
    stream->file_ = file;
    stream->path_ = path;
    stream->fileRate_ = info.samplerate;
    stream->channels_ = info.channels;
    stream->frameRate_ = frameRate;
    stream->fileFrames_ = info.frames;
    if (info.frames <= 0 || info.channels <= 0 || info.samplerate <= 0) {
        error = platformText(
            QT_TRANSLATE_NOOP("Platform", "Die Datei \"%1\" enthält keine Abtastwerte."), path);
        return nullptr;
    }
    stream->shortsExact_ =
        info.samplerate == frameRate && (info.format & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_16;
    if (info.samplerate != frameRate) {
        int rc = 0;
        stream->converter_ = src_new(SRC_SINC_MEDIUM_QUALITY, 1, &rc);
        if (!stream->converter_) {
            error = platformText(
                QT_TRANSLATE_NOOP("Platform", "Die Datei \"%1\" lässt sich nicht umrechnen: %2"),
                path, src_strerror(rc));
            return nullptr;
        }
    }
    return stream;
}

WavStream::~WavStream() {
    if (converter_) src_delete(converter_);
    if (file_) sf_->close(file_);
}

bool WavStream::readFloats(std::vector<float>& out, std::size_t frames) {
    interleaved_.resize(frames * std::size_t(channels_));
    const sf_count_t got = sf_->readfFloat(file_, interleaved_.data(), sf_count_t(frames));
    if (got < 0 || sf_->error(file_) != SF_ERR_NO_ERROR) error_ = sf_->strerror(file_);
    out.resize(std::size_t(std::max<sf_count_t>(got, 0)));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = interleaved_[i * std::size_t(channels_)];
    return got > 0;
}

std::size_t WavStream::readShortFrames(std::int16_t* out, std::size_t frames) {
    const sf_count_t got = sf_->readfShort(file_, out, sf_count_t(frames));
    if (got < 0 || sf_->error(file_) != SF_ERR_NO_ERROR) error_ = sf_->strerror(file_);
    return std::size_t(std::max<sf_count_t>(got, 0));
}

std::size_t WavStream::read(std::int16_t* out, std::size_t count) {
    if (shortsExact_) {
        // The common case, sample-exact and without conversions.
        if (channels_ == 1) return readShortFrames(out, count);
        interleavedShorts_.resize(count * std::size_t(channels_));
        const std::size_t n = readShortFrames(interleavedShorts_.data(), count);
        for (std::size_t i = 0; i < n; ++i)
            out[i] = interleavedShorts_[i * std::size_t(channels_)];
        return n;
    }
    if (!converter_) {
        std::vector<float> floats;
        readFloats(floats, count);
        std::transform(floats.begin(), floats.end(), out, toSample);
        return floats.size();
    }
    std::size_t done = 0;
    while (done < count) {
        if (inputUsed_ == input_.size() && !inputEnded_) {
            inputEnded_ = !readFloats(input_, BlockFrames);
            inputUsed_ = 0;
        }
        output_.resize(count - done);
        SRC_DATA data{};
        data.data_in = input_.data() + inputUsed_;
        data.input_frames = long(input_.size() - inputUsed_);
        data.data_out = output_.data();
        data.output_frames = long(output_.size());
        data.src_ratio = double(frameRate_) / fileRate_;
        data.end_of_input = inputEnded_ ? 1 : 0;
        if (const int rc = src_process(converter_, &data); rc != 0) {
            error_ = src_strerror(rc);
            break;
        }
        inputUsed_ += std::size_t(data.input_frames_used);
        std::transform(output_.begin(), output_.begin() + data.output_frames_gen, out + done,
                       toSample);
        done += std::size_t(data.output_frames_gen);
        // Nothing more will come once the input is used up and the
        // converter has given all it holds.
        if (inputEnded_ && data.output_frames_gen == 0) break;
    }
    return done;
}

} // namespace kelmot::platform
