// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/wrongcodelimit.h"

#include <algorithm>
#include <vector>

namespace kelmot {

bool WrongCodeLimit::blocked(const QByteArray& address, std::int64_t nowMs) const {
    const auto it = entries_.find(address);
    return it != entries_.end() && nowMs < it->second.blockedUntil;
}

std::int64_t WrongCodeLimit::blockedForMs(const QByteArray& address, std::int64_t nowMs) const {
    const auto it = entries_.find(address);
    return it == entries_.end() ? 0 : std::max<std::int64_t>(0, it->second.blockedUntil - nowMs);
}

void WrongCodeLimit::wrongTry(const QByteArray& address, std::int64_t nowMs) {
    auto it = entries_.find(address);
    if (it == entries_.end()) {
        if (entries_.size() >= MaxAddresses) forgetOldest(nowMs);
        it = entries_.emplace(address, Entry{nowMs, 0, -1, nowMs}).first;
    }
    Entry& e = it->second;
    e.lastSeen = nowMs;
    if (nowMs - e.windowStart >= WindowMs) {
        e.windowStart = nowMs;
        e.tries = 0;
    }
    if (++e.tries >= MaxWrongTries) {
        e.blockedUntil = nowMs + BlockMs;
        e.tries = 0;
        e.windowStart = e.blockedUntil;
    }
}

void WrongCodeLimit::forgetOldest(std::int64_t nowMs) {
    // First what no longer counts: neither blocked nor within its minute.
    std::erase_if(entries_, [nowMs](const auto& e) {
        return nowMs >= e.second.blockedUntil && nowMs - e.second.windowStart >= WindowMs;
    });
    if (entries_.size() < MaxAddresses) return;
    // A flood of addresses within a minute: the tenth seen longest ago go at
    // once (so that each new address costs little), blocked ones last.
    std::vector<std::pair<std::pair<bool, std::int64_t>, QByteArray>> order;
    order.reserve(entries_.size());
    for (const auto& [address, e] : entries_)
        order.push_back({{nowMs < e.blockedUntil, e.lastSeen}, address});
    const std::size_t drop = std::max<std::size_t>(1, entries_.size() / 10);
    std::nth_element(order.begin(), order.begin() + std::ptrdiff_t(drop - 1), order.end());
    for (std::size_t i = 0; i < drop; ++i)
        entries_.erase(order[i].second);
}

} // namespace kelmot
