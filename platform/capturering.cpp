// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/capturering.h"

#include <algorithm>
#include <cstring>

namespace kelmot::platform {

CaptureRing::CaptureRing(std::shared_ptr<WaveInNotifier> notifier, std::size_t cushionBytes)
    : notifier_(std::move(notifier)), cushion_(cushionBytes), relay_([this] { relayLoop(); }) {}

CaptureRing::~CaptureRing() {
    stopRelay();
}

void CaptureRing::add(WaveHeader& header) {
    header.bytesRecorded = 0;
    header.flags = (header.flags & ~WHDR_DONE) | WHDR_INQUEUE;
    const std::uint64_t n = added_.load(std::memory_order_relaxed);
    slots_[n % Slots] = &header;
    added_.store(n + 1, std::memory_order_release);
    // Samples may be waiting in the cushion for just this buffer.
    if (!cushion_.empty()) ready_.release();
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

std::size_t CaptureRing::fill(const char* bytes, std::size_t count) {
    std::size_t taken = 0;
    while (taken < count) {
        const std::uint64_t f = filled_.load(std::memory_order_relaxed);
        if (f == added_.load(std::memory_order_acquire)) break;
        WaveHeader* h = slots_[f % Slots];
        const std::size_t n =
            std::min<std::size_t>(h->bufferLength - h->bytesRecorded, count - taken);
        std::memcpy(h->data + h->bytesRecorded, bytes + taken, n);
        h->bytesRecorded += static_cast<std::uint32_t>(n);
        taken += n;
        if (h->bytesRecorded == h->bufferLength) markFilled(h);
    }
    return taken;
}

std::size_t CaptureRing::queuedRoom() const {
    std::size_t bytes = 0;
    const std::uint64_t end = added_.load(std::memory_order_acquire);
    for (std::uint64_t f = filled_.load(std::memory_order_relaxed); f < end; ++f) {
        const WaveHeader* h = slots_[f % Slots];
        bytes += h->bufferLength - h->bytesRecorded;
    }
    return bytes;
}

void CaptureRing::write(const char* bytes, std::size_t count) {
    received_.fetch_add(count, std::memory_order_relaxed);
    if (cushion_.empty()) {
        const std::size_t taken = fill(bytes, count);
        if (taken < count) lost_.fetch_add(count - taken, std::memory_order_relaxed);
        return;
    }
    const std::uint64_t w = written_.load(std::memory_order_relaxed);
    const std::size_t free =
        cushion_.size() - static_cast<std::size_t>(w - taken_.load(std::memory_order_acquire));
    const std::size_t n = std::min(free, count);
    for (std::size_t done = 0; done < n;) {
        const std::size_t at = static_cast<std::size_t>((w + done) % cushion_.size());
        const std::size_t run = std::min(n - done, cushion_.size() - at);
        std::memcpy(cushion_.data() + at, bytes + done, run);
        done += run;
    }
    written_.store(w + n, std::memory_order_release);
    if (n < count) lost_.fetch_add(count - n, std::memory_order_relaxed);
    ready_.release();
}

std::size_t CaptureRing::room() const {
    if (cushion_.empty()) return queuedRoom();
    return cushion_.size() - static_cast<std::size_t>(written_.load(std::memory_order_relaxed) -
                                                      taken_.load(std::memory_order_acquire));
}

void CaptureRing::pump() {
    const std::lock_guard lock(fillMutex_);
    for (;;) {
        const std::uint64_t t = taken_.load(std::memory_order_relaxed);
        const std::uint64_t w = written_.load(std::memory_order_acquire);
        if (t == w) return;
        const std::size_t at = static_cast<std::size_t>(t % cushion_.size());
        const std::size_t run = std::min<std::size_t>(w - t, cushion_.size() - at);
        const std::size_t n = fill(cushion_.data() + at, run);
        taken_.store(t + n, std::memory_order_release);
        if (n < run) return; // no free buffer: the rest waits in the cushion
    }
}

void CaptureRing::handBackAll() {
    const std::lock_guard lock(fillMutex_);
    // A reset drops what has not reached a buffer, as a driver does.
    taken_.store(written_.load(std::memory_order_acquire), std::memory_order_release);
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
        if (!cushion_.empty()) pump();
        const std::uint64_t f = filled_.load(std::memory_order_acquire);
        for (; delivered < f; ++delivered)
            notifier_->bufferDone(slots_[delivered % Slots]);
        if (stopping_.load(std::memory_order_acquire) &&
            delivered == filled_.load(std::memory_order_acquire))
            return;
    }
}

} // namespace kelmot::platform
