// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelmot {

// The child windows start below the main window's menu and tool bar: their
// top edge, and the part of the main window's height they leave out.
inline constexpr int ClientTop = 85;

} // namespace kelmot
