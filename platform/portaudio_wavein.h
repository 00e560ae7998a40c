// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/wavein.h"

#include <cstdint>

namespace kelmot::platform {

class CaptureRing;

// What the PortAudio callback does with one block of input: the samples go
// into the ring, and an input-overflow flag (the driver dropped input before
// this block) counts at least one frame as lost.
void receiveInputBlock(CaptureRing& ring, const void* input, unsigned long frames,
                       unsigned long statusFlags, std::uint16_t blockAlign);

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
