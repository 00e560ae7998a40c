// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/wavein.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kelmot::platform {

// A capture back end driven by hand: the caller decides which samples arrive
// and when, and which driver calls fail. Used by tests and for stepping
// through a run sample by sample.
class ManualBackend : public WaveInBackend {
public:
    struct Failures {
        int open = WaveOk;
        int prepare = WaveOk;
        int start = WaveOk;
        int addBufferAfter = -1; // fail the add-buffer calls after this many
        int addBuffer = WaveErrNoMemory;
    };
    struct Calls {
        int opens = 0, prepares = 0, unprepares = 0, adds = 0, starts = 0, resets = 0, closes = 0;
    };

    ManualBackend();
    ~ManualBackend() override;
    int open(std::unique_ptr<WaveInDevice>& device, int deviceId, const WaveFormat& format,
             std::shared_ptr<WaveInNotifier> notifier) override;
    std::string errorText(int code) const override;
    std::string sourceName() const override { return "Handbetrieb"; }

    Failures failures;
    // Seconds of samples the device keeps while no buffer is free, as a
    // sound card's capture does (0: none, samples without a buffer are lost).
    // Takes effect at the next opening.
    double cushionSeconds = 0;
    // Like a sound card, the device tells how many bytes it has received
    // (the watchdog of a run reads it); off, it says nothing.
    bool reportsProgress = false;
    const Calls& calls() const;
    // Feeds samples into the buffers of the open device; false when no
    // device is open and started.
    bool deliver(const std::vector<std::int16_t>& samples);
    bool deviceOpen() const;
    std::size_t queuedBuffers() const;
    std::uint64_t lostFrames() const;

    struct State;

private:
    std::shared_ptr<State> state_;
};

} // namespace kelmot::platform
