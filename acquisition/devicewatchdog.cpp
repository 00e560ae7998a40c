// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/devicewatchdog.h"

namespace kelmot {

void DeviceWatchdog::start(std::int64_t nowMs) {
    lastProgressMs_ = nowMs;
    lastBytes_ = 0;
}

bool DeviceWatchdog::silentTooLong(std::uint64_t bytesReceived, std::int64_t nowMs) {
    if (bytesReceived != lastBytes_) {
        lastBytes_ = bytesReceived;
        lastProgressMs_ = nowMs;
        return false;
    }
    const std::int64_t limit = lastBytes_ == 0 ? FirstDataLimitMs : SilenceLimitMs;
    return nowMs - lastProgressMs_ >= limit;
}

} // namespace kelmot
