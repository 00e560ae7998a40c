// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace kelmot {

// What the light barriers send while a beam is dark. The interface box of
// the track sends a tone; many single light barriers give a steady voltage
// instead (a logic output through a voltage divider), of which a sound
// card's AC-coupled input passes only the changes: a swing one way where the
// beam goes dark and the other way where it is free again.
enum class SignalKind { Tone, Edges };

// The words of the command line and of the program's settings file.
constexpr std::string_view signalKindWord(SignalKind kind) {
    return kind == SignalKind::Edges ? "edges" : "tone";
}

constexpr std::optional<SignalKind> signalKindFromWord(std::string_view word) {
    if (word == "tone") return SignalKind::Tone;
    if (word == "edges") return SignalKind::Edges;
    return std::nullopt;
}

} // namespace kelmot
