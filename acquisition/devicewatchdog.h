// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kelmot {

// Tells a sound card that has stopped delivering (unplugged, the sound
// server gone) from one that is merely slow to start. It is asked now and
// then with the bytes the device has received so far and the time.
class DeviceWatchdog {
public:
    // A sound card delivers every few milliseconds: two seconds without new
    // data from a stream that was delivering mean it has gone.
    static constexpr std::int64_t SilenceLimitMs = 2000;
    // Its first data may take longer: a sound server that has just come back
    // needs about two seconds to start a stream.
    static constexpr std::int64_t FirstDataLimitMs = 8000;

    void start(std::int64_t nowMs);
    // True once the device has been silent for longer than its limit.
    bool silentTooLong(std::uint64_t bytesReceived, std::int64_t nowMs);

private:
    std::int64_t lastProgressMs_ = 0;
    std::uint64_t lastBytes_ = 0;
};

} // namespace kelmot
