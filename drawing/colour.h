// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelmot {

// A colour as the program's drawings and the store's series use it.
struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The series' colours (navy, red, green) and black.
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb Navy{0, 0, 128};
inline constexpr Rgb Red{255, 0, 0};
inline constexpr Rgb Green{0, 128, 0};
// What the diagrams and tables are drawn on and with besides.
inline constexpr Rgb Cream{255, 251, 240};
inline constexpr Rgb Silver{192, 192, 192};
inline constexpr Rgb Blue{0, 0, 255};
inline constexpr Rgb Gray{128, 128, 128};

} // namespace kelmot
