// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kelmot::platform {

struct WaveFormat {
    std::uint16_t formatTag = 1; // PCM
    std::uint16_t channels = 1;
    std::uint32_t samplesPerSec = 22050;
    std::uint32_t avgBytesPerSec = 44100;
    std::uint16_t blockAlign = 2;
    std::uint16_t bitsPerSample = 16;
    std::uint16_t extraSize = 0;
};

inline constexpr std::uint32_t WHDR_DONE = 1;
inline constexpr std::uint32_t WHDR_PREPARED = 2;
inline constexpr std::uint32_t WHDR_INQUEUE = 16;

// One capture buffer as the driver sees it. The data block stays at a fixed
// address from allocation to release.
struct WaveHeader {
    char* data = nullptr;
    std::uint32_t bufferLength = 0;
    std::uint32_t bytesRecorded = 0;
    std::uintptr_t user = 0;
    std::uint32_t flags = 0;
    std::uint32_t loops = 0;
    WaveHeader* next = nullptr;
    std::uintptr_t reserved = 0;
};

// Result codes of the wave-in operations; 0 is success. Back ends may return
// their own codes (PortAudio's are negative); errorText turns any into text.
enum WaveInResult : int {
    WaveOk = 0,
    WaveErrUnspecified = 1,
    WaveErrBadDeviceId = 2,
    WaveErrAllocated = 4,
    WaveErrInvalidHandle = 5,
    WaveErrNoDriver = 6,
    WaveErrNoMemory = 7,
    WaveErrInvalidParam = 11,
    WaveErrBadFormat = 32,
    WaveErrStillPlaying = 33,
    WaveErrUnprepared = 34,
    WaveErrFile = 100, // a replay file that cannot be read
};

inline constexpr int WaveMapper = -1; // the default input device

// Where a device reports its open, data and close events. The calls may come
// from any thread; the receiver hands them to the user-interface thread.
class WaveInNotifier {
public:
    virtual ~WaveInNotifier() = default;
    virtual void deviceOpened() = 0;
    virtual void bufferDone(WaveHeader* header) = 0;
    virtual void deviceClosed() = 0;
};

// One opened capture device. Buffers added come back, filled, through the
// notifier in the order they were added; reset hands back every queued one.
class WaveInDevice {
public:
    virtual ~WaveInDevice() = default;
    virtual int prepareHeader(WaveHeader& header) = 0;
    virtual int unprepareHeader(WaveHeader& header) = 0;
    virtual int addBuffer(WaveHeader& header) = 0;
    virtual int start() = 0;
    virtual int reset() = 0;
    virtual int close() = 0;
    // Frames that arrived while no buffer was queued.
    virtual std::uint64_t lostFrames() const { return 0; }
    // Bytes the driver has handed over since the start; it grows steadily
    // while a sound card records. Nothing for a device fed by hand.
    virtual std::optional<std::uint64_t> bytesReceived() const { return std::nullopt; }
};

// A source of capture devices: the sound card, the simulated track, a replay.
class WaveInBackend {
public:
    virtual ~WaveInBackend() = default;
    virtual int open(std::unique_ptr<WaveInDevice>& device, int deviceId, const WaveFormat& format,
                     std::shared_ptr<WaveInNotifier> notifier) = 0;
    virtual std::string errorText(int code) const = 0;
    // What the measurement window's info line shows for the sound card,
    // empty for a real sound card (then the mixer's product name is shown).
    virtual std::string sourceName() const { return {}; }
    // What it shows as the input in use, empty for a real sound card (then
    // the mixer's recording line is shown).
    virtual std::string inputName() const { return {}; }
};

// Texts of the generic result codes.
std::string genericWaveInErrorText(int code);

} // namespace kelmot::platform
