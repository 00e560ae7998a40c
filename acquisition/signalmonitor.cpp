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

void drawSignalView(Canvas& canvas, int width, int height, const SignalMonitor& monitor,
                    int threshold) {
    // 16-bit values over the height, +32767 at the top.
    auto y = [height](int value) { return int((32767 - value) * (height - 1) / 65535); };
    canvas.setBrushColour(Cream);
    canvas.setPenWidth(1);
    canvas.setPenColour(Black);
    canvas.rectangle(0, 0, width, height);
    canvas.setPenColour(Silver);
    canvas.line(1, y(0), width - 1, y(0));
    canvas.setPenColour(Navy);
    const auto& slices = monitor.slices();
    // The newest slice at the right edge.
    const int first = width - 1 - int(slices.size());
    for (std::size_t i = 0; i < slices.size(); ++i) {
        const int x = first + int(i);
        if (x < 1) continue;
        canvas.line(x, y(slices[i].high), x, y(slices[i].low) + 1);
    }
    canvas.setPenColour(Red);
    canvas.line(1, y(threshold), width - 1, y(threshold));
    canvas.setPenColour(Black);
}

} // namespace kelmot
