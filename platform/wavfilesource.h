// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/samplesource.h"

#include <memory>
#include <string>
#include <vector>

namespace kelmot::platform {

// A recorded signal replayed from a WAV file: the first channel, converted to
// the capture rate when the file has another one.
class WavFileSource : public SampleSource {
public:
    // Null and a message when the file cannot be used.
    static std::unique_ptr<WavFileSource> load(const std::string& path, int frameRate,
                                               std::string& error);
    void read(std::int16_t* out, std::size_t count) override;
    const std::vector<std::int16_t>& samples() const { return samples_; }

private:
    explicit WavFileSource(std::vector<std::int16_t> samples) : samples_(std::move(samples)) {}
    std::vector<std::int16_t> samples_;
    std::size_t next_ = 0;
};

// Writes 16-bit PCM (interleaved frames when channels > 1); returns an empty
// string or the error.
std::string writeWavFile(const std::string& path, const std::vector<std::int16_t>& samples,
                         int frameRate, int channels = 1);

} // namespace kelmot::platform
