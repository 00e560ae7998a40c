// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelmot {

// The width of the flag on the cart that the evaluation table's field
// starts with (mm): the flag of the usual track, and of the virtual one, so
// that the demonstration's speeds are the cart's.
inline constexpr int UsualFlagWidthMm = 10;

} // namespace kelmot
