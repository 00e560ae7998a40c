// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <limits>

namespace kelmot {

// A light barrier with a steady output, seen through a sound card's
// AC-coupled input: where the beam goes dark the signal jumps one way and
// decays back towards zero within milliseconds, where it is free again it
// jumps the other way. A change is a jump by more than the threshold within
// JumpSamples (0.27 ms), measured from where the signal was just before, not
// from zero: behind a fast flag the signal has not yet decayed when the beam
// is free again, and the jump back then ends far short of -threshold. Over
// so short a span the input's decay, hum and any offset stay small.
//
// The first change after a start is the beam going dark (a beam is free at
// rest), and its sign fixes which way is dark from then on, so a barrier
// that is high while dark and one that is high while bright both measure
// right. The samples of the hold-off after a change are not looked at: the
// input's filters ring for a moment after a jump. The time of a change is
// its first sample past the threshold.
class EdgeRule {
public:
    static constexpr int JumpSamples = 6;
    static constexpr int HoldOffSamples = 22; // 1 ms at 22050 Hz

    enum class Change { None, Dark, Bright };

    void reset() { *this = EdgeRule{}; }

    Change feed(std::int64_t index, std::int32_t sample, std::int32_t threshold) {
        const std::int32_t before = history_[next_];
        history_[next_] = sample;
        next_ = (next_ + 1) % JumpSamples;
        if (filled_ < JumpSamples) {
            ++filled_;
            return Change::None;
        }
        if (index < quietUntil_) return Change::None;
        const std::int32_t jump = sample - before;
        if (!dark_) {
            const bool beyond = polarity_ == 0 ? (jump > threshold || jump < -threshold)
                                               : polarity_ * jump > threshold;
            if (!beyond) return Change::None;
            if (polarity_ == 0) polarity_ = jump > 0 ? 1 : -1;
            dark_ = true;
            quietUntil_ = index + 1 + HoldOffSamples;
            return Change::Dark;
        }
        if (polarity_ * jump >= -threshold) return Change::None;
        dark_ = false;
        quietUntil_ = index + 1 + HoldOffSamples;
        return Change::Bright;
    }

    // The rule looks at the sample of `index`: its history is full and the
    // hold-off is over, so only a jump beyond the threshold changes anything.
    bool watching(std::int64_t index) const {
        return filled_ == JumpSamples && index >= quietUntil_;
    }
    // A sample passed over where nothing changed: only remembered.
    void remember(std::int32_t sample) {
        history_[next_] = sample;
        next_ = (next_ + 1) % JumpSamples;
    }

    bool dark() const { return dark_; }
    // +1: the signal jumps up where the beam goes dark; -1: down; 0: not yet known.
    int polarity() const { return polarity_; }

private:
    std::array<std::int32_t, JumpSamples> history_{}; // the latest samples, a ring
    int next_ = 0;
    int filled_ = 0;
    int polarity_ = 0;
    bool dark_ = false;
    std::int64_t quietUntil_ = std::numeric_limits<std::int64_t>::min();
};

} // namespace kelmot
