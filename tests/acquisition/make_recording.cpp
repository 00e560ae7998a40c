// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a long recording for the analysis benchmark: 22050 Hz mono 16-bit,
// one complete run every 10 s, a little noise between the beams; with
// "fall", a drop of the demonstration's picket fence every 10 s instead;
// with "edges", the run of a barrier with a steady output through an input
// that lets only its edges through (a 20 Hz high-pass).
//   kelmot_make_recording <file.wav> <minutes> [fall|edges]
#include "platform/simulatedfence.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    const bool fall = argc == 4 && std::string_view(argv[3]) == "fall";
    const bool edges = argc == 4 && std::string_view(argv[3]) == "edges";
    if (argc != 3 && !fall && !edges) {
        std::fprintf(stderr, "usage: kelmot_make_recording <file.wav> <minutes> [fall|edges]\n");
        return 2;
    }
    const long minutes = std::atol(argv[2]);
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(argv[1], SFM_WRITE, &info);
    if (!f) {
        std::fprintf(stderr, "%s\n", sf_strerror(nullptr));
        return 1;
    }
    std::vector<std::int16_t> tenSeconds(22050 * 10);
    std::uint32_t noise = 12345;
    for (std::size_t i = 0; i < tenSeconds.size(); ++i) {
        noise = noise * 1664525u + 1013904223u;
        tenSeconds[i] = std::int16_t(int(noise >> 22) - 512); // about ±500
    }
    std::vector<double> beams(tenSeconds.size(), 0.0);
    for (int k = 0; k < 10; ++k) // a beam every 0.3 s from 1 s on, 20 ms dark
        for (int i = 0; i < 441; ++i)
            beams[std::size_t(22050 + k * 6615 + i)] = 14000;
    if (edges) { // what is left of each step behind the coupling capacitor
        const double tau = 1 / (2 * 3.141592653589793 * 20);
        const double alpha = tau / (tau + 1.0 / 22050);
        double in = 0, out = 0;
        for (double& v : beams) {
            out = alpha * (out + v - in);
            in = v;
            v = out;
        }
        for (std::size_t i = 0; i < beams.size(); ++i)
            tenSeconds[i] = std::int16_t(std::clamp(tenSeconds[i] + beams[i], -32768.0, 32767.0));
    } else {
        for (std::size_t i = 0; i < beams.size(); ++i)
            if (beams[i] != 0) tenSeconds[i] = std::int16_t(beams[i]);
    }
    for (long block = 0; block < minutes * 6; ++block) {
        if (fall) { // each drop of its own, the beam free between the bands
            kelmot::platform::FenceDropParameters p;
            p.seed = std::uint32_t(block + 1);
            kelmot::platform::SimulatedFence fence(p, 22050);
            fence.read(tenSeconds.data(), tenSeconds.size());
        }
        if (sf_write_short(f, tenSeconds.data(), sf_count_t(tenSeconds.size())) !=
            sf_count_t(tenSeconds.size()))
            return 1;
    }
    sf_close(f);
    return 0;
}
