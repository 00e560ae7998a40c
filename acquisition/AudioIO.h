// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/globalmemory.h"
#include "platform/wavein.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace kelmot {

class TAudioIn;

// Handler for one filled buffer: true means the buffer may be queued again.
// Size is a copy; changing it has no effect.
using TBufferEvent = std::function<bool(char* Buffer, int& Size)>;
using TNotifyEvent = std::function<void(QObject* Sender)>;

// Format, buffer ring and run state of a capture component.
class TAudioIO : public QObject {
    Q_OBJECT
public:
    static constexpr int MaxBuffers = 4;

    explicit TAudioIO(QObject* owner = nullptr, platform::GlobalMemory* memory = nullptr);
    ~TAudioIO() override;

    int BufferSize() const { return FEffectiveBufferSize; }
    void setBufferSize(int value);
    int NumBuffers() const { return FNumBuffers; }
    void setNumBuffers(int value);
    int FrameRate() const { return static_cast<int>(FFormat.samplesPerSec); }
    void setFrameRate(int value);
    bool Stereo() const { return FFormat.channels == 2; }
    void setStereo(bool value);
    std::uint16_t Quantization() const { return FFormat.bitsPerSample; }
    void setQuantization(std::uint16_t value);
    int WaveDevice() const { return FWaveDevice; }
    void setWaveDevice(int value) { FWaveDevice = value; }

    TNotifyEvent OnStart;
    TNotifyEvent OnStop;

    const QString& ErrorText() const { return FErrorText; }
    bool Active() const { return FActive; }
    bool KeepRunning() const { return FKeepRunning; }
    int CurrentBuffer() const { return FCurrentBuffer; }
    int BuffersProcessed() const { return FBuffersProcessed; }
    int BuffersQueued() const { return FBuffersQueued; }
    int BuffersReturned() const { return FBuffersReturned; }
    const platform::WaveFormat& Format() const { return FFormat; }

    virtual void StopNow();
    virtual void StopWhenDrained();

protected:
    bool AllocateHeaders();
    void FreeHeaders();
    bool AllocateBuffers();
    bool FreeBuffers();
    void UpdateFormat();
    // Whether headers and NumBuffers buffers of the effective size exist.
    bool BuffersReady() const;
    // Whether a driver owns the buffers now (they must stay where they are).
    virtual bool DeviceInUse() const { return false; }

    platform::GlobalMemory& FMemory;
    int FRequestedBufferSize = 8192;
    int FEffectiveBufferSize = 0;
    int FAllocatedBufferSize = 0;
    int FNumBuffers = 4;     // as set; takes effect at the next opening
    int FOpenNumBuffers = 4; // the count the open device works with
    int FWaveDevice = platform::WaveMapper;
    platform::WaveFormat FFormat;
    platform::WaveHeader* FHeaders[MaxBuffers]{};
    char* FBuffers[MaxBuffers]{};
    int FCurrentBuffer = 0;
    std::deque<int> FQueue; // buffers queued at the driver, oldest first
    bool FKeepRunning = false;
    QString FErrorText;
    bool FActive = false;
    int FBuffersProcessed = 0;
    int FBuffersQueued = 0;
    int FBuffersReturned = 0;
};

// Hidden receiver of one opening's driver notifications, on the thread that
// opened the device. Reaches the component through the owner's reference.
class TCallBackWinIn : public QObject {
    Q_OBJECT
public:
    explicit TCallBackWinIn(QObject* parent) : QObject(parent) {}
    TAudioIn** ComponentRef = nullptr;

protected:
    bool event(QEvent* e) override;
};

// The capture component: records from a wave-in back end into the ring and
// hands every filled buffer to OnBufferFilled, on the user-interface thread.
class TAudioIn : public TAudioIO {
    Q_OBJECT
public:
    TAudioIn(QObject* owner, std::shared_ptr<platform::WaveInBackend> backend,
             platform::GlobalMemory* memory = nullptr);
    ~TAudioIn() override;

    // Opens the device and starts recording; false with ErrorText otherwise.
    // ComponentRef is where the owner keeps its pointer to this component;
    // without one the component refers to itself.
    bool Start(TAudioIn** ComponentRef = nullptr);
    void StopNow() override;
    void StopWhenDrained() override;

    TBufferEvent OnBufferFilled;

    bool DeviceOpen() const { return FDeviceOpen; }
    // Buffers whose notification came while the handler was running (it let
    // events run): they are handed over, in order, once it has returned.
    int PendingBuffers() const { return FPendingData; }
    // Frames the driver had to drop because no buffer was queued.
    std::uint64_t LostFrames() const;
    // Bytes the open device has received so far; nothing when it cannot tell.
    std::optional<std::uint64_t> BytesReceived() const;
    platform::WaveInBackend& Backend() const { return *FBackend; }
    // Records from `backend` from the next opening on; refused (false) while
    // the device is open.
    bool setBackend(std::shared_ptr<platform::WaveInBackend> backend);

    // The unit-level error-text lookup, for this component's back end.
    QString WaveInErrorText(int code) const;

protected:
    virtual bool BufferFilled(char* Buffer, int Size);
    virtual void CloseDevice();
    virtual bool OpenDevice(TAudioIn** ComponentRef);
    bool DeviceInUse() const override { return FDeviceOpen; }
    bool StartRecording();
    bool QueueBuffer(int index);
    void PrepareHeaders();

private:
    friend class TCallBackWinIn;
    class Channel;
    void DeviceOpened(TCallBackWinIn* window);
    void DataArrived(TCallBackWinIn* window);
    void DeviceClosed(TCallBackWinIn* window);
    void DeliverOne();

    std::shared_ptr<platform::WaveInBackend> FBackend;
    std::unique_ptr<platform::WaveInDevice> FDevice;
    std::shared_ptr<Channel> FChannel;
    TCallBackWinIn* FWindow = nullptr;
    TAudioIn* FSelf = this;
    bool FDeviceOpen = false;
    int FOpenBufferSize = 0;
    bool FDelivering = false;
    int FPendingData = 0;
    std::uint64_t FLostBefore = 0;
};

} // namespace kelmot
