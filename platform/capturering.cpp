#include "platform/capturering.h"

#include <algorithm>
#include <cstring>

namespace kelmot::platform {

CaptureRing::CaptureRing(std::shared_ptr<WaveInNotifier> notifier)
    : notifier_(std::move(notifier)), relay_([this] { relayLoop(); }) {}

CaptureRing::~CaptureRing() {
    stopRelay();
}

void CaptureRing::add(WaveHeader& header) {
    header.bytesRecorded = 0;
    header.flags = (header.flags & ~WHDR_DONE) | WHDR_INQUEUE;
    const std::uint64_t n = added_.load(std::memory_order_relaxed);
    slots_[n % Slots] = &header;
    added_.store(n + 1, std::memory_order_release);
}

std::size_t CaptureRing::queued() const {
    return static_cast<std::size_t>(added_.load(std::memory_order_acquire) -
                                    filled_.load(std::memory_order_acquire));
}

void CaptureRing::markFilled(WaveHeader* header) {
    header->flags = (header->flags & ~WHDR_INQUEUE) | WHDR_DONE;
    filled_.fetch_add(1, std::memory_order_release);
    ready_.release();
}

void CaptureRing::write(const char* bytes, std::size_t count) {
    while (count > 0) {
        const std::uint64_t f = filled_.load(std::memory_order_relaxed);
        if (f == added_.load(std::memory_order_acquire)) {
            lost_.fetch_add(count, std::memory_order_relaxed);
            return;
        }
        WaveHeader* h = slots_[f % Slots];
        const std::size_t room = h->bufferLength - h->bytesRecorded;
        const std::size_t n = std::min(room, count);
        std::memcpy(h->data + h->bytesRecorded, bytes, n);
        h->bytesRecorded += static_cast<std::uint32_t>(n);
        bytes += n;
        count -= n;
        if (h->bytesRecorded == h->bufferLength) markFilled(h);
    }
}

std::size_t CaptureRing::room() const {
    std::size_t bytes = 0;
    const std::uint64_t end = added_.load(std::memory_order_acquire);
    for (std::uint64_t f = filled_.load(std::memory_order_relaxed); f < end; ++f) {
        const WaveHeader* h = slots_[f % Slots];
        bytes += h->bufferLength - h->bytesRecorded;
    }
    return bytes;
}

void CaptureRing::handBackAll() {
    while (filled_.load(std::memory_order_relaxed) != added_.load(std::memory_order_acquire))
        markFilled(slots_[filled_.load(std::memory_order_relaxed) % Slots]);
}

void CaptureRing::stopRelay() {
    if (!relay_.joinable()) return;
    stopping_.store(true, std::memory_order_release);
    ready_.release();
    relay_.join();
}

void CaptureRing::relayLoop() {
    std::uint64_t delivered = 0;
    for (;;) {
        ready_.acquire();
        const std::uint64_t f = filled_.load(std::memory_order_acquire);
        for (; delivered < f; ++delivered)
            notifier_->bufferDone(slots_[delivered % Slots]);
        if (stopping_.load(std::memory_order_acquire) &&
            delivered == filled_.load(std::memory_order_acquire))
            return;
    }
}

} // namespace kelmot::platform
