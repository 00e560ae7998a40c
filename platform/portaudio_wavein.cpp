// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/portaudio_wavein.h"

#include "platform/alsamessages.h"
#include "platform/ringdevice.h"

#include <alsa/asoundlib.h>
#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <portaudio.h>
#include <unistd.h>

namespace kelmot::platform {

namespace {

class PortAudioDevice final : public RingDevice {
public:
    PortAudioDevice(const WaveFormat& format, std::shared_ptr<WaveInNotifier> notifier)
        : RingDevice(format, std::move(notifier), CaptureCushionSeconds) {}
    ~PortAudioDevice() override {
        shutDown();
        if (stream_) Pa_CloseStream(stream_);
    }

    int openStream(PaDeviceIndex device) {
        PaStreamParameters in{};
        in.device = device;
        in.channelCount = format_.channels;
        in.sampleFormat = format_.bitsPerSample == 8 ? paUInt8 : paInt16;
        in.suggestedLatency = Pa_GetDeviceInfo(device)->defaultLowInputLatency;
        const PaError err = Pa_OpenStream(&stream_, &in, nullptr, format_.samplesPerSec,
                                          paFramesPerBufferUnspecified, paClipOff, &callback, this);
        if (err != paNoError) {
            stream_ = nullptr;
            return err;
        }
        // ALSA settles on the nearest rate it can do; times computed from
        // 22050 samples a second would be wrong at any other.
        const PaStreamInfo* info = Pa_GetStreamInfo(stream_);
        if (!info || std::abs(info->sampleRate - format_.samplesPerSec) > 0.5) {
            Pa_CloseStream(stream_);
            stream_ = nullptr;
            return WaveErrBadFormat;
        }
        announceOpen();
        return WaveOk;
    }

    int close() override {
        const int rc = RingDevice::close();
        if (rc == WaveOk && stream_) {
            Pa_CloseStream(stream_);
            stream_ = nullptr;
        }
        return rc;
    }

protected:
    int startProducer() override { return Pa_StartStream(stream_); }
    void stopProducer() override { Pa_AbortStream(stream_); }

private:
    static int callback(const void* input, void*, unsigned long frames,
                        const PaStreamCallbackTimeInfo*, PaStreamCallbackFlags flags, void* self) {
        auto* device = static_cast<PortAudioDevice*>(self);
        receiveInputBlock(device->ring_, input, frames, flags, device->format_.blockAlign);
        return paContinue;
    }

    PaStream* stream_ = nullptr;
};

} // namespace

void receiveInputBlock(CaptureRing& ring, const void* input, unsigned long frames,
                       unsigned long statusFlags, std::uint16_t blockAlign) {
    // The driver dropped input before this block: at least one frame is gone.
    if (statusFlags & paInputOverflow) ring.noteLost(blockAlign);
    if (input) ring.write(static_cast<const char*>(input), frames * blockAlign);
}

PortAudioBackend::~PortAudioBackend() {
    if (initialised_) Pa_Terminate();
}

int PortAudioBackend::ensureInitialised() {
    if (initialised_) return paNoError;
    silenceAlsaMessages();
    // The host APIs that are not in use (JACK without a server, OSS) print
    // their failures on stderr while PortAudio probes them; a missing default
    // device shows up in the error code instead.
    std::fflush(stderr);
    const int savedErr = dup(STDERR_FILENO);
    if (const int devNull = ::open("/dev/null", O_WRONLY); devNull >= 0) {
        dup2(devNull, STDERR_FILENO);
        ::close(devNull);
    }
    const PaError err = Pa_Initialize();
    if (savedErr >= 0) {
        dup2(savedErr, STDERR_FILENO);
        ::close(savedErr);
    }
    initialised_ = err == paNoError;
    return err;
}

int PortAudioBackend::open(std::unique_ptr<WaveInDevice>& device, int deviceId,
                           const WaveFormat& format, std::shared_ptr<WaveInNotifier> notifier) {
    if (format.formatTag != 1 || (format.bitsPerSample != 8 && format.bitsPerSample != 16))
        return WaveErrBadFormat;
    if (const int err = ensureInitialised(); err != paNoError) return err;
    PaDeviceIndex index = deviceId == WaveMapper ? Pa_GetDefaultInputDevice() : deviceId;
    if (index == paNoDevice || index < 0 || index >= Pa_GetDeviceCount()) return WaveErrBadDeviceId;
    const PaDeviceInfo* info = Pa_GetDeviceInfo(index);
    if (!info || info->maxInputChannels < format.channels) return WaveErrBadDeviceId;
    auto opened = std::make_unique<PortAudioDevice>(format, std::move(notifier));
    if (const int err = opened->openStream(index); err != WaveOk) return err;
    device = std::move(opened);
    return WaveOk;
}

std::string PortAudioBackend::errorText(int code) const {
    if (code >= 0) return genericWaveInErrorText(code);
    std::string text = Pa_GetErrorText(code);
    if (code == paUnanticipatedHostError) {
        if (const PaHostErrorInfo* host = Pa_GetLastHostErrorInfo(); host && host->errorText)
            text += std::string(": ") + host->errorText;
    }
    return text;
}

} // namespace kelmot::platform
