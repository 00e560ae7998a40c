// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace kelmot::platform {

// The line and control identifiers both mixer back ends hand out, so that a
// saved setting means the same line whichever back end reads it.
// Destination d: 0xFFFF0000 | d. Source s of destination d: d << 16 | s.
// Control c of source s (-1 for the destination's own): d << 20 | (s + 1) << 8 | c.
inline std::uint32_t destinationLineId(std::uint32_t d) {
    return 0xFFFF0000u | d;
}
inline std::uint32_t sourceLineId(std::uint32_t d, std::uint32_t s) {
    return (d << 16) | s;
}
inline std::uint32_t mixerControlId(std::uint32_t d, int s, std::uint32_t c) {
    return (d << 20) | (static_cast<std::uint32_t>(s + 1) << 8) | c;
}
// The destination and source (-1 for the destination itself) of a line id.
inline void decodeLineId(std::uint32_t lineId, std::uint32_t& d, int& s) {
    if ((lineId & 0xFFFF0000u) == 0xFFFF0000u) {
        d = lineId & 0xFFFF;
        s = -1;
    } else {
        d = lineId >> 16;
        s = static_cast<int>(lineId & 0xFFFF);
    }
}

// A name into a fixed field of the mixer's structures: cut to fit, always
// ended with a zero, the rest of the field zero too.
inline void copyName(char* out, std::size_t capacity, const std::string& name) {
    std::memset(out, 0, capacity);
    std::memcpy(out, name.data(), std::min(name.size(), capacity - 1));
}

} // namespace kelmot::platform
