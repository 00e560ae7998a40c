// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

namespace kelmot {

// The integer nearest to x, a half going to the even neighbour.
inline int nearest(double x) {
    return static_cast<int>(std::nearbyint(x));
}
// The integer part of x, cut toward zero.
inline int intPart(double x) {
    return static_cast<int>(std::trunc(x));
}

} // namespace kelmot
