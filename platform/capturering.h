#pragma once

#include "platform/wavein.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <semaphore>
#include <thread>

namespace kelmot::platform {

// The queue of buffers a capture device fills, shared by three threads:
// the user-interface thread adds buffers, the producer (an audio callback or
// a pacing thread) copies frames into them, and a relay thread reports each
// filled buffer to the notifier. The producer side neither allocates nor
// blocks, so it is safe inside a real-time audio callback.
class CaptureRing {
public:
    explicit CaptureRing(std::shared_ptr<WaveInNotifier> notifier);
    ~CaptureRing();
    CaptureRing(const CaptureRing&) = delete;
    CaptureRing& operator=(const CaptureRing&) = delete;

    void add(WaveHeader& header);
    // Producer side. Bytes that arrive while no buffer is queued are lost
    // and counted.
    void write(const char* bytes, std::size_t count);
    // Marks every queued buffer done and reports it, in queue order.
    // Only while the producer is stopped.
    void handBackAll();
    // Waits until every filled buffer has been reported, then ends the relay.
    void stopRelay();

    // Bytes the driver dropped before they reached us (an overflow flag).
    void noteLost(std::size_t bytes) { lost_.fetch_add(bytes, std::memory_order_relaxed); }

    // Producer side: bytes the queued buffers can still take.
    std::size_t room() const;

    std::uint64_t lostBytes() const { return lost_.load(std::memory_order_relaxed); }
    std::size_t queued() const;

private:
    void relayLoop();
    void markFilled(WaveHeader* header);

    static constexpr std::size_t Slots = 8; // more than the at most 4 buffers in flight
    std::shared_ptr<WaveInNotifier> notifier_;
    WaveHeader* slots_[Slots]{};
    std::atomic<std::uint64_t> added_{0};
    std::atomic<std::uint64_t> filled_{0};
    std::atomic<std::uint64_t> lost_{0};
    std::atomic<bool> stopping_{false};
    std::counting_semaphore<1 << 20> ready_{0};
    std::thread relay_;
};

} // namespace kelmot::platform
