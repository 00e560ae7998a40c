// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace kelmot::platform {

// A stream of 16-bit mono samples at a fixed rate, produced on demand.
class SampleSource {
public:
    virtual ~SampleSource() = default;
    // Fills out[0..count) with the next samples; after its end a source
    // gives silence, as a sound card input does with nothing connected.
    virtual void read(std::int16_t* out, std::size_t count) = 0;
};

} // namespace kelmot::platform
