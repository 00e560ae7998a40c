#pragma once

#include "platform/wavein.h"

namespace kelmot::platform {

// The sound card: PortAudio's default input device (or device index n),
// 8- or 16-bit at the requested rate and channel count.
class PortAudioBackend : public WaveInBackend {
public:
    PortAudioBackend() = default;
    ~PortAudioBackend() override;
    int open(std::unique_ptr<WaveInDevice>& device, int deviceId, const WaveFormat& format,
             std::shared_ptr<WaveInNotifier> notifier) override;
    std::string errorText(int code) const override;

private:
    int ensureInitialised();
    bool initialised_ = false;
};

} // namespace kelmot::platform
