// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/manual_wavein.h"

#include "platform/ringdevice.h"

namespace kelmot::platform {

class ManualDevice;

struct ManualBackend::State {
    ManualBackend::Calls calls;
    ManualDevice* device = nullptr;
    bool started = false;
};

class ManualDevice final : public RingDevice {
public:
    ManualDevice(const WaveFormat& format, std::shared_ptr<WaveInNotifier> notifier,
                 ManualBackend& backend, std::shared_ptr<ManualBackend::State> state)
        : RingDevice(format, std::move(notifier), backend.cushionSeconds), backend_(backend),
          state_(std::move(state)) {
        state_->device = this;
        announceOpen();
    }
    ~ManualDevice() override {
        shutDown();
        if (state_->device == this) state_->device = nullptr;
        state_->started = false;
    }
    int prepareHeader(WaveHeader& header) override {
        ++state_->calls.prepares;
        if (backend_.failures.prepare != WaveOk) return backend_.failures.prepare;
        return RingDevice::prepareHeader(header);
    }
    int unprepareHeader(WaveHeader& header) override {
        ++state_->calls.unprepares;
        return RingDevice::unprepareHeader(header);
    }
    int addBuffer(WaveHeader& header) override {
        ++state_->calls.adds;
        if (backend_.failures.addBufferAfter >= 0 &&
            state_->calls.adds > backend_.failures.addBufferAfter)
            return backend_.failures.addBuffer;
        return RingDevice::addBuffer(header);
    }
    int start() override {
        ++state_->calls.starts;
        if (backend_.failures.start != WaveOk) return backend_.failures.start;
        return RingDevice::start();
    }
    int reset() override {
        ++state_->calls.resets;
        return RingDevice::reset();
    }
    int close() override {
        ++state_->calls.closes;
        const int rc = RingDevice::close();
        if (rc == WaveOk && state_->device == this) state_->device = nullptr;
        return rc;
    }
    void write(const std::vector<std::int16_t>& samples) {
        ring_.write(reinterpret_cast<const char*>(samples.data()),
                    samples.size() * sizeof(std::int16_t));
    }
    std::optional<std::uint64_t> bytesReceived() const override {
        if (!backend_.reportsProgress) return std::nullopt;
        return ring_.bytesReceived();
    }
    std::size_t queued() const { return ring_.queued(); }
    std::uint64_t lost() const { return lostFrames(); }

protected:
    int startProducer() override {
        state_->started = true;
        return WaveOk;
    }
    void stopProducer() override { state_->started = false; }

private:
    ManualBackend& backend_;
    std::shared_ptr<ManualBackend::State> state_;
};

ManualBackend::ManualBackend() : state_(std::make_shared<State>()) {}
ManualBackend::~ManualBackend() = default;

int ManualBackend::open(std::unique_ptr<WaveInDevice>& device, int, const WaveFormat& format,
                        std::shared_ptr<WaveInNotifier> notifier) {
    ++state_->calls.opens;
    if (failures.open != WaveOk) return failures.open;
    if (state_->device) return WaveErrAllocated;
    device = std::make_unique<ManualDevice>(format, std::move(notifier), *this, state_);
    return WaveOk;
}

std::string ManualBackend::errorText(int code) const {
    return genericWaveInErrorText(code);
}

const ManualBackend::Calls& ManualBackend::calls() const {
    return state_->calls;
}

bool ManualBackend::deliver(const std::vector<std::int16_t>& samples) {
    if (!state_->device || !state_->started) return false;
    state_->device->write(samples);
    return true;
}

bool ManualBackend::deviceOpen() const {
    return state_->device != nullptr;
}

std::size_t ManualBackend::queuedBuffers() const {
    return state_->device ? state_->device->queued() : 0;
}

std::uint64_t ManualBackend::lostFrames() const {
    return state_->device ? state_->device->lost() : 0;
}

} // namespace kelmot::platform
