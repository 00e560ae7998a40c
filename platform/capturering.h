// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/wavein.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <semaphore>
#include <thread>
#include <vector>

namespace kelmot::platform {

// The queue of buffers a capture device fills, shared by three threads:
// the user-interface thread adds buffers, the producer (an audio callback or
// a pacing thread) writes frames, and a relay thread reports each filled
// buffer to the notifier. The producer side neither allocates, locks nor
// blocks, so it is safe inside a real-time audio callback.
//
// With a cushion the producer writes into a lock-free ring of that many
// bytes, and the relay thread moves them into the queued buffers as they
// are free: a user-interface thread that stalls for seconds (a slow repaint,
// a message box, a window dragged) loses nothing until the cushion is full.
// Without one, frames that find no queued buffer are lost at once.
class CaptureRing {
public:
    explicit CaptureRing(std::shared_ptr<WaveInNotifier> notifier, std::size_t cushionBytes = 0);
    ~CaptureRing();
    CaptureRing(const CaptureRing&) = delete;
    CaptureRing& operator=(const CaptureRing&) = delete;

    void add(WaveHeader& header);
    // Producer side. Bytes that find no room are lost and counted.
    void write(const char* bytes, std::size_t count);
    // Marks every queued buffer done and reports it, in queue order; what
    // the cushion still holds is dropped. Only while the producer is stopped.
    void handBackAll();
    // Waits until every filled buffer has been reported, then ends the relay.
    void stopRelay();

    // Bytes the driver dropped before they reached us (an overflow flag).
    void noteLost(std::size_t bytes) { lost_.fetch_add(bytes, std::memory_order_relaxed); }
    // Producer side: bytes that can still be written without a loss.
    std::size_t room() const;

    std::uint64_t lostBytes() const { return lost_.load(std::memory_order_relaxed); }
    std::uint64_t bytesReceived() const { return received_.load(std::memory_order_relaxed); }
    std::size_t queued() const;

private:
    void relayLoop();
    void markFilled(WaveHeader* header);
    // Copies into the oldest queued buffer, marking it filled when full;
    // returns how much it took.
    std::size_t fill(const char* bytes, std::size_t count);
    std::size_t queuedRoom() const;
    // Relay side: moves what the cushion holds into the queued buffers.
    void pump();

    static constexpr std::size_t Slots = 8; // more than the at most 4 buffers in flight
    std::shared_ptr<WaveInNotifier> notifier_;
    WaveHeader* slots_[Slots]{};
    std::atomic<std::uint64_t> added_{0};
    std::atomic<std::uint64_t> filled_{0};
    std::atomic<std::uint64_t> lost_{0};
    std::atomic<std::uint64_t> received_{0};
    std::atomic<bool> stopping_{false};
    std::counting_semaphore<1 << 20> ready_{0};

    std::vector<char> cushion_;
    std::atomic<std::uint64_t> written_{0}; // cushion bytes written (producer)
    std::atomic<std::uint64_t> taken_{0};   // cushion bytes moved on (relay)
    std::mutex fillMutex_;                  // the relay's filling against handBackAll

    std::thread relay_;
};

} // namespace kelmot::platform
