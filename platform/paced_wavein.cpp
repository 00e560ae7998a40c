// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/paced_wavein.h"

#include "platform/ringdevice.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace kelmot::platform {

namespace {

class PacedDevice final : public RingDevice {
public:
    PacedDevice(const WaveFormat& format, std::shared_ptr<WaveInNotifier> notifier,
                std::unique_ptr<SampleSource> source, double speed, bool lossless)
        : RingDevice(format, std::move(notifier), CaptureCushionSeconds),
          source_(std::move(source)), speed_(speed), lossless_(lossless) {
        announceOpen();
    }
    ~PacedDevice() override { shutDown(); }

protected:
    int startProducer() override {
        stop_ = false;
        thread_ = std::thread([this] { run(); });
        return WaveOk;
    }
    void stopProducer() override {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable()) thread_.join();
    }

private:
    void run() {
        using Clock = std::chrono::steady_clock;
        const auto begin = Clock::now();
        const double rate = format_.samplesPerSec * speed_;
        std::uint64_t produced = 0;
        std::int16_t chunk[1024];
        std::unique_lock lock(mutex_);
        while (!stop_) {
            const double elapsed = std::chrono::duration<double>(Clock::now() - begin).count();
            const auto due = static_cast<std::uint64_t>(elapsed * rate);
            lock.unlock();
            while (lossless_ || produced < due) {
                std::size_t n = std::min<std::uint64_t>(due - produced, std::size(chunk));
                // Lossless: as much as the free buffers take, whatever the clock.
                if (lossless_) n = std::min(std::size(chunk), ring_.room() / sizeof(std::int16_t));
                if (n == 0) break;
                source_->read(chunk, n);
                ring_.write(reinterpret_cast<const char*>(chunk), n * sizeof(std::int16_t));
                produced += n;
            }
            lock.lock();
            // About a hundred deliveries a second: fine-grained enough that a
            // 0.2 s buffer arrives on time, coarse enough to cost nothing.
            wake_.wait_for(lock, std::chrono::milliseconds(lossless_ ? 1 : 10),
                           [this] { return stop_; });
        }
    }

    std::unique_ptr<SampleSource> source_;
    double speed_;
    bool lossless_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
};

} // namespace

PacedBackend::PacedBackend(std::string sourceName, SourceFactory factory, double speed,
                           std::string inputName, Pacing pacing)
    : sourceName_(std::move(sourceName)), inputName_(std::move(inputName)),
      factory_(std::move(factory)), speed_(speed > 0 ? speed : 1.0), pacing_(pacing) {}

int PacedBackend::open(std::unique_ptr<WaveInDevice>& device, int deviceId,
                       const WaveFormat& format, std::shared_ptr<WaveInNotifier> notifier) {
    if (deviceId != WaveMapper && deviceId != 0) return WaveErrBadDeviceId;
    if (format.formatTag != 1 || format.bitsPerSample != 16 || format.channels != 1 ||
        format.samplesPerSec == 0)
        return WaveErrBadFormat;
    std::string error;
    auto source = factory_(static_cast<int>(format.samplesPerSec), error);
    if (!source) {
        lastSourceError_ = error;
        return WaveErrFile;
    }
    device = std::make_unique<PacedDevice>(format, std::move(notifier), std::move(source), speed_,
                                           pacing_ == Pacing::Lossless);
    return WaveOk;
}

std::string PacedBackend::errorText(int code) const {
    if (code == WaveErrFile && !lastSourceError_.empty()) return lastSourceError_;
    return genericWaveInErrorText(code);
}

} // namespace kelmot::platform
