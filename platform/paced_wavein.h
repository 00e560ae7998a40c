// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/samplesource.h"
#include "platform/wavein.h"

#include <functional>

namespace kelmot::platform {

// A capture back end fed by a sample source instead of a sound card, delivering
// at real-time pace (or faster, for demonstrations and tests). Only 16-bit
// mono is produced, like the light-barrier interface gives.
class PacedBackend : public WaveInBackend {
public:
    using SourceFactory =
        std::function<std::unique_ptr<SampleSource>(int frameRate, std::string& error)>;
    // Real time: samples come when the clock says, and are lost when no
    // buffer is free, as from a sound card. Lossless: samples come as fast
    // as buffers are free and none is ever lost, however slow the machine
    // (for tests, which must not depend on its speed).
    enum class Pacing { RealTime, Lossless };

    PacedBackend(std::string sourceName, SourceFactory factory, double speed = 1.0,
                 std::string inputName = {}, Pacing pacing = Pacing::RealTime);
    int open(std::unique_ptr<WaveInDevice>& device, int deviceId, const WaveFormat& format,
             std::shared_ptr<WaveInNotifier> notifier) override;
    std::string errorText(int code) const override;
    std::string sourceName() const override { return sourceName_; }
    std::string inputName() const override { return inputName_; }

private:
    std::string sourceName_;
    std::string inputName_;
    SourceFactory factory_;
    double speed_;
    Pacing pacing_;
    std::string lastSourceError_;
};

} // namespace kelmot::platform
