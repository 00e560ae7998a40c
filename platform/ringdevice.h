// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/capturering.h"
#include "platform/wavein.h"

namespace kelmot::platform {

// How long the user-interface thread may stall before samples are lost,
// for the devices that capture in real time (16 s, twice a long repaint of
// a busy machine and then some).
inline constexpr double CaptureCushionSeconds = 16.0;

// The part every capture device shares: header bookkeeping, the buffer queue
// and the order of notifications (open on opening, every buffer back before
// the close). A concrete device only starts and stops its producer.
class RingDevice : public WaveInDevice {
public:
    // `cushionSeconds` of samples wait for free buffers before any is lost.
    // Devices that record in real time have a cushion and report progress.
    RingDevice(const WaveFormat& format, std::shared_ptr<WaveInNotifier> notifier,
               double cushionSeconds = 0)
        : format_(format), notifier_(notifier), reportsProgress_(cushionSeconds > 0),
          ring_(notifier, cushionBytes(format, cushionSeconds)) {}
    ~RingDevice() override = default;

    int prepareHeader(WaveHeader& header) override {
        header.flags |= WHDR_PREPARED;
        return WaveOk;
    }
    int unprepareHeader(WaveHeader& header) override {
        if (header.flags & WHDR_INQUEUE) return WaveErrStillPlaying;
        header.flags &= ~WHDR_PREPARED;
        return WaveOk;
    }
    int addBuffer(WaveHeader& header) override {
        if (closed_) return WaveErrInvalidHandle;
        if (!(header.flags & WHDR_PREPARED)) return WaveErrUnprepared;
        if (header.data == nullptr || header.bufferLength == 0) return WaveErrInvalidParam;
        ring_.add(header);
        return WaveOk;
    }
    int start() override {
        if (closed_) return WaveErrInvalidHandle;
        if (running_) return WaveOk;
        const int rc = startProducer();
        running_ = rc == WaveOk;
        return rc;
    }
    int reset() override {
        if (closed_) return WaveErrInvalidHandle;
        if (running_) stopProducer();
        running_ = false;
        ring_.handBackAll();
        return WaveOk;
    }
    int close() override {
        if (closed_) return WaveErrInvalidHandle;
        if (ring_.queued() > 0 && running_) return WaveErrStillPlaying;
        shutDown();
        closed_ = true;
        notifier_->deviceClosed();
        return WaveOk;
    }

    std::uint64_t lostFrames() const override { return ring_.lostBytes() / format_.blockAlign; }
    std::optional<std::uint64_t> bytesReceived() const override {
        if (!reportsProgress_) return std::nullopt;
        return ring_.bytesReceived();
    }

protected:
    // A format no device delivers (a rate of 0 or of billions, asked for
    // before the driver refuses it) gets no cushion rather than gigabytes.
    static std::size_t cushionBytes(const WaveFormat& format, double seconds) {
        if (format.samplesPerSec == 0 || format.samplesPerSec > 384000 || format.blockAlign == 0 ||
            format.blockAlign > 32)
            return 0;
        return static_cast<std::size_t>(seconds * format.samplesPerSec) * format.blockAlign;
    }

    virtual int startProducer() = 0;
    // Returns only when the producer will not write again.
    virtual void stopProducer() = 0;
    // Stops the producer if it still runs; derived destructors call it
    // before their own members go away.
    void shutDown() {
        if (running_) stopProducer();
        running_ = false;
        if (!closed_) {
            ring_.handBackAll();
            ring_.stopRelay();
        }
    }
    void announceOpen() { notifier_->deviceOpened(); }

    WaveFormat format_;
    std::shared_ptr<WaveInNotifier> notifier_;
    bool reportsProgress_;
    CaptureRing ring_;

private:
    bool running_ = false;
    bool closed_ = false;
};

} // namespace kelmot::platform
