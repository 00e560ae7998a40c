// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/signalmonitor.h"

#include <algorithm>
#include <vector>

namespace kelmot {

void SignalMonitor::add(const std::int16_t* samples, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::int16_t v = samples[i];
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
}

int SignalMonitor::peak() const {
    int highest = 0;
    for (const Slice& s : slices_)
        highest = std::max<int>(highest, s.high);
    return highest;
}

int SignalMonitor::noise() const {
    if (slices_.empty()) return 0;
    std::vector<int> highs;
    highs.reserve(slices_.size());
    for (const Slice& s : slices_)
        highs.push_back(std::max<int>(s.high, 0));
    const auto middle = highs.begin() + std::ptrdiff_t(highs.size() / 2);
    std::nth_element(highs.begin(), middle, highs.end());
    return *middle;
}

std::optional<int> SignalMonitor::suggestedThreshold() const {
    const int p = peak();
    const int n = noise();
    if (p - n < SuggestionMargin) return std::nullopt;
    return (p + n) / 2;
}

bool SignalMonitor::dark(int threshold) const {
    // The beam went dark at the last sample above the threshold and is
    // bright again only once RecentSamples at or below it follow that one.
    for (std::size_t i = 0; i < recentCount_; ++i)
        if (recent_[i] > threshold) return true;
    return false;
}

} // namespace kelmot
