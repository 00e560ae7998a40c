// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/signalmonitor.h"

#include <algorithm>
#include <vector>

namespace kelmot {

void SignalMonitor::setRule(SignalKind kind, int threshold) {
    if (kind != kind_) edges_.reset();
    kind_ = kind;
    edgeThreshold_ = threshold;
}

void SignalMonitor::add(const std::int16_t* samples, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::int16_t v = samples[i];
        if (kind_ == SignalKind::Edges) edges_.feed(sampleIndex_++, v, edgeThreshold_);
        recent_[recentNext_] = v;
        recentNext_ = (recentNext_ + 1) % recent_.size();
        recentCount_ = std::min(recentCount_ + 1, recent_.size());
        if (partialCount_ == 0) partial_ = {v, v};
        partial_.low = std::min(partial_.low, v);
        partial_.high = std::max(partial_.high, v);
        if (++partialCount_ == SliceSamples) {
            slices_.push_back(partial_);
            if (int(slices_.size()) > Slices) slices_.pop_front();
            partialCount_ = 0;
        }
    }
}

void SignalMonitor::clear() {
    slices_.clear();
    recentCount_ = 0;
    recentNext_ = 0;
    partialCount_ = 0;
    edges_.reset();
}

int SignalMonitor::reach(const Slice& s) const {
    if (kind_ == SignalKind::Edges) return std::max<int>(s.high, -int(s.low));
    return std::max<int>(s.high, 0);
}

int SignalMonitor::peak() const {
    int highest = 0;
    for (const Slice& s : slices_)
        highest = std::max(highest, reach(s));
    return highest;
}

int SignalMonitor::noise() const {
    if (slices_.empty()) return 0;
    std::vector<int> highs;
    highs.reserve(slices_.size());
    for (const Slice& s : slices_)
        highs.push_back(reach(s));
    const auto middle = highs.begin() + std::ptrdiff_t(highs.size() / 2);
    std::nth_element(highs.begin(), middle, highs.end());
    return *middle;
}

std::optional<int> SignalMonitor::suggestedThreshold() const {
    const int n = noise();
    if (kind_ == SignalKind::Edges) {
        const auto swing = typicalSwing(n);
        if (!swing || *swing / 2 <= n) return std::nullopt;
        return *swing / 2;
    }
    const int p = peak();
    if (p - n < SuggestionMargin) return std::nullopt;
    return (p + n) / 2;
}

std::optional<int> SignalMonitor::typicalSwing(int noiseLevel) const {
    // An edge is a slice that reaches further than both its neighbours (the
    // jump; the slices after it hold the decay) and clearly above the noise.
    std::vector<int> swings;
    for (std::size_t i = 0; i < slices_.size(); ++i) {
        const int r = reach(slices_[i]);
        const bool left = i == 0 || r > reach(slices_[i - 1]);
        const bool right = i + 1 == slices_.size() || r >= reach(slices_[i + 1]);
        if (left && right && r - noiseLevel >= SuggestionMargin) swings.push_back(r);
    }
    if (swings.empty()) return std::nullopt;
    const auto middle = swings.begin() + std::ptrdiff_t(swings.size() / 2);
    std::nth_element(swings.begin(), middle, swings.end());
    return *middle;
}

bool SignalMonitor::dark(int threshold) const {
    if (kind_ == SignalKind::Edges) return edges_.dark();
    // The beam went dark at the last sample above the threshold and is
    // bright again only once RecentSamples at or below it follow that one.
    for (std::size_t i = 0; i < recentCount_; ++i)
        if (recent_[i] > threshold) return true;
    return false;
}

} // namespace kelmot
