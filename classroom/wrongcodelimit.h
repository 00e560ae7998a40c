// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <cstdint>
#include <map>

namespace kelmot {

// Makes guessing the access code hopeless: an address that sent
// `MaxWrongTries` wrong codes within a minute is refused (429) for a minute.
// Times are milliseconds of a monotonic clock the caller reads, so tests
// set their own. Keeps at most `MaxAddresses` addresses: a flood from many
// forged ones cannot grow it without bound (those that no longer count are
// forgotten first, then the ones seen longest ago; blocked ones last).
class WrongCodeLimit {
public:
    static constexpr int MaxWrongTries = 10;
    static constexpr std::int64_t WindowMs = 60'000;
    static constexpr std::int64_t BlockMs = 60'000;
    static constexpr std::size_t MaxAddresses = 4096;

    // Whether `address` is refused now.
    bool blocked(const QByteArray& address, std::int64_t nowMs) const;
    // How long it stays refused (0 when it is not).
    std::int64_t blockedForMs(const QByteArray& address, std::int64_t nowMs) const;
    // A wrong code from `address`.
    void wrongTry(const QByteArray& address, std::int64_t nowMs);
    std::size_t tracked() const { return entries_.size(); }

private:
    struct Entry {
        std::int64_t windowStart = 0;
        int tries = 0;
        std::int64_t blockedUntil = -1;
        std::int64_t lastSeen = 0;
    };
    void forgetOldest(std::int64_t nowMs);

    std::map<QByteArray, Entry> entries_;
};

} // namespace kelmot
