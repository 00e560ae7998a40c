// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a sound file, through the stream reader
// (libsndfile, rate conversion) into the detection, as --analyse does.
#include "acquisition/offlineanalysis.h"
#include "platform/wavstream.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/kelmot-fuzz-" + std::to_string(::getpid()) + ".wav";
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    std::string error;
    if (auto stream = kelmot::platform::WavStream::open(path, 22050, error)) {
        // Long files are cut short by the fuzzer's own limits; any run found
        // must have ten ordered dark edges.
        kelmot::analyseRecording(*stream, 5000, [](int, const double(&t)[2][kelmot::TimeSlots]) {
            for (int k = 1; k < 10; ++k)
                if (!(t[0][k] >= t[0][k - 1])) __builtin_trap();
        });
    }
    return 0;
}
