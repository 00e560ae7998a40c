// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

typedef struct sf_private_tag SNDFILE;
typedef struct SRC_STATE_tag SRC_STATE;

namespace kelmot::platform {

struct SndFileLibrary;

// A WAV (or any sound file libsndfile reads) as a stream of 16-bit samples
// of its first channel at the capture rate, read block by block: a file of
// an hour never lies in memory whole. A file at another rate is converted
// on the way; 16-bit files at the capture rate come through sample-exact.
class WavStream {
public:
    // Null and a message naming the file, in the program's language, when it
    // cannot be used.
    static std::unique_ptr<WavStream> open(const std::string& path, int frameRate,
                                           std::string& error);
    ~WavStream();

    // Up to `count` samples; fewer only at the end of the file, 0 after it.
    std::size_t read(std::int16_t* out, std::size_t count);
    // The read error, if reading stopped early.
    const std::string& error() const { return error_; }

    int fileRate() const { return fileRate_; }
    int channels() const { return channels_; }
    std::int64_t fileFrames() const { return fileFrames_; }

private:
    WavStream() = default;
    // The next frames of the first channel as floats; false at the end.
    bool readFloats(std::vector<float>& out, std::size_t frames);

    // Up to `frames` interleaved frames; the count read (0 after an error).
    std::size_t readShortFrames(std::int16_t* out, std::size_t frames);

    const SndFileLibrary* sf_ = nullptr;
    SNDFILE* file_ = nullptr;
    SRC_STATE* converter_ = nullptr;
    std::string path_;
    std::string error_;
    int fileRate_ = 0;
    int channels_ = 0;
    int frameRate_ = 0;
    std::int64_t fileFrames_ = 0;
    bool shortsExact_ = false; // 16-bit PCM at the capture rate
    bool inputEnded_ = false;
    std::vector<std::int16_t> interleavedShorts_;
    std::vector<float> interleaved_;
    std::vector<float> input_;
    std::size_t inputUsed_ = 0;
    std::vector<float> output_;
};

} // namespace kelmot::platform
