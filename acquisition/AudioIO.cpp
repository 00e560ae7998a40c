// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/AudioIO.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <new>

namespace kelmot {

using namespace platform;

namespace {

// The driver's notifications, as events posted to the hidden window.
const QEvent::Type WimOpen = static_cast<QEvent::Type>(QEvent::User + 0x3BE);
const QEvent::Type WimClose = static_cast<QEvent::Type>(QEvent::User + 0x3BF);
const QEvent::Type WimData = static_cast<QEvent::Type>(QEvent::User + 0x3C0);

// Qt hands a posted event from the relay thread to this thread under a lock
// of its own, which ThreadSanitizer does not see (Qt is not built with it).
// Counting every notification here, released before the post and acquired
// on arrival, states the same order in a form it does see: the buffer's
// contents and the event itself are written before they are read. One
// atomic operation a notification.
std::atomic<std::uint64_t> notificationsPosted{0};

// One lock for the posts of every capture component: two relay threads (a
// run and the signal view) posting at once meet inside Qt's event queue,
// under Qt's lock, which ThreadSanitizer does not see either.
std::mutex& postMutex() {
    static std::mutex m;
    return m;
}

} // namespace

// Carries a device's notifications to one hidden window, from any thread.
// Detached when that opening is over, so nothing reaches a window that is gone.
class TAudioIn::Channel final : public WaveInNotifier {
public:
    explicit Channel(QObject* target) : target_(target) {}
    void deviceOpened() override { post(WimOpen); }
    void bufferDone(WaveHeader*) override { post(WimData); }
    void deviceClosed() override { post(WimClose); }
    void detach() {
        std::lock_guard lock(postMutex());
        target_ = nullptr;
    }

private:
    void post(QEvent::Type type) {
        std::lock_guard lock(postMutex());
        if (!target_) return;
        auto* event = new QEvent(type);
        notificationsPosted.fetch_add(1, std::memory_order_release);
        QCoreApplication::postEvent(target_, event);
    }
    QObject* target_;
};

// ---- TAudioIO ------------------------------------------------------------

TAudioIO::TAudioIO(QObject* owner, GlobalMemory* memory)
    : QObject(owner), FMemory(memory ? *memory : defaultGlobalMemory()) {
    FNumBuffers = 4;
    FRequestedBufferSize = 8192;
    FKeepRunning = false;
    FWaveDevice = WaveMapper;
    FFormat.formatTag = 1;
    FFormat.bitsPerSample = 16;
    FFormat.channels = 1;
    FFormat.samplesPerSec = 22050;
    UpdateFormat();
    AllocateHeaders();
    AllocateBuffers();
}

TAudioIO::~TAudioIO() {
    FreeBuffers();
    FreeHeaders();
}

void TAudioIO::UpdateFormat() {
    FFormat.blockAlign = static_cast<std::uint16_t>((FFormat.bitsPerSample / 8) * FFormat.channels);
    FFormat.avgBytesPerSec = FFormat.blockAlign * FFormat.samplesPerSec;
    FFormat.extraSize = 0;
    FEffectiveBufferSize = FRequestedBufferSize - (FRequestedBufferSize % FFormat.blockAlign);
}

void TAudioIO::setBufferSize(int value) {
    FRequestedBufferSize = std::max(value, 512);
    UpdateFormat();
    // While a device is open its buffers stay where they are; the new size
    // takes effect at the next opening.
    if (DeviceInUse()) return;
    FreeBuffers();
    AllocateBuffers();
}

void TAudioIO::setNumBuffers(int value) {
    // An open device keeps the buffers it was opened with; buffers added now
    // would not exist yet. The new count takes effect at the next opening.
    FNumBuffers = std::clamp(value, 2, MaxBuffers);
    if (!DeviceInUse()) FOpenNumBuffers = FNumBuffers;
}

void TAudioIO::setFrameRate(int value) {
    FFormat.samplesPerSec = static_cast<std::uint32_t>(value);
    UpdateFormat();
}

void TAudioIO::setStereo(bool value) {
    FFormat.channels = value ? 2 : 1;
    UpdateFormat();
}

void TAudioIO::setQuantization(std::uint16_t value) {
    FFormat.bitsPerSample = value <= 8 ? 8 : 16;
    UpdateFormat();
}

bool TAudioIO::AllocateHeaders() {
    for (auto& header : FHeaders) {
        if (header) continue;
        void* block = FMemory.allocate(sizeof(WaveHeader), true);
        if (!block) {
            FreeHeaders();
            FErrorText = QStringLiteral("Error allocating wave header memory");
            return false;
        }
        if (!FMemory.lock(block)) {
            FMemory.release(block);
            FreeHeaders();
            FErrorText = QStringLiteral("Could not lock header memory for recording");
            return false;
        }
        header = new (block) WaveHeader{};
    }
    return true;
}

void TAudioIO::FreeHeaders() {
    for (auto& header : FHeaders) {
        if (!header) continue;
        header->~WaveHeader();
        FMemory.unlock(header);
        FMemory.release(header);
        header = nullptr;
    }
}

bool TAudioIO::AllocateBuffers() {
    for (int i = 0; i < FNumBuffers; ++i) {
        if (FBuffers[i]) continue;
        void* block = FMemory.allocate(static_cast<std::size_t>(FEffectiveBufferSize), false);
        if (!block) {
            FreeBuffers();
            FErrorText = QStringLiteral("Error allocating wave buffer memory");
            return false;
        }
        if (!FMemory.lock(block)) {
            FMemory.release(block);
            FreeBuffers();
            FErrorText = QStringLiteral("Error Locking wave buffer memory");
            return false;
        }
        FBuffers[i] = static_cast<char*>(block);
        if (FHeaders[i]) FHeaders[i]->data = FBuffers[i];
    }
    FAllocatedBufferSize = FEffectiveBufferSize;
    return true;
}

bool TAudioIO::FreeBuffers() {
    bool any = false;
    for (auto& buffer : FBuffers) {
        if (!buffer) continue;
        FMemory.unlock(buffer);
        FMemory.release(buffer);
        buffer = nullptr;
        any = true;
    }
    FAllocatedBufferSize = 0;
    return any;
}

bool TAudioIO::BuffersReady() const {
    if (FEffectiveBufferSize <= 0 || FAllocatedBufferSize < FEffectiveBufferSize) return false;
    for (int i = 0; i < FNumBuffers; ++i) {
        if (!FHeaders[i] || !FBuffers[i]) return false;
    }
    return true;
}

void TAudioIO::StopNow() {
    FActive = false;
    FKeepRunning = false;
}

void TAudioIO::StopWhenDrained() {
    FKeepRunning = false;
}

// ---- TCallBackWinIn --------------------------------------------------------

bool TCallBackWinIn::event(QEvent* e) {
    notificationsPosted.load(std::memory_order_acquire); // see notificationsPosted
    const auto type = e->type();
    if (type != WimOpen && type != WimData && type != WimClose) return QObject::event(e);
    TAudioIn* component = ComponentRef ? *ComponentRef : nullptr;
    if (!component) return true;
    if (type == WimOpen)
        component->DeviceOpened(this);
    else if (type == WimData)
        component->DataArrived(this);
    else
        component->DeviceClosed(this);
    return true;
}

// ---- TAudioIn --------------------------------------------------------------

TAudioIn::TAudioIn(QObject* owner, std::shared_ptr<WaveInBackend> backend, GlobalMemory* memory)
    : TAudioIO(owner, memory), FBackend(std::move(backend)) {}

TAudioIn::~TAudioIn() {
    // The driver must never write into buffers that are about to be freed:
    // stop it and take every buffer back before the base class releases them.
    if (FDeviceOpen) StopNow();
    if (FChannel) FChannel->detach();
}

QString TAudioIn::WaveInErrorText(int code) const {
    return QString::fromStdString(FBackend->errorText(code));
}

bool TAudioIn::setBackend(std::shared_ptr<WaveInBackend> backend) {
    if (FDeviceOpen || !backend) return false;
    FBackend = std::move(backend);
    return true;
}

std::optional<std::uint64_t> TAudioIn::BytesReceived() const {
    return FDevice ? FDevice->bytesReceived() : std::nullopt;
}

std::uint64_t TAudioIn::LostFrames() const {
    return FLostBefore + (FDevice ? FDevice->lostFrames() : 0);
}

bool TAudioIn::Start(TAudioIn** ComponentRef) {
    if (!OpenDevice(ComponentRef ? ComponentRef : &FSelf)) return false;
    return StartRecording();
}

bool TAudioIn::OpenDevice(TAudioIn** ComponentRef) {
    if (FDeviceOpen) {
        FErrorText = QStringLiteral("Wave Input device is already open");
        return false;
    }
    // Buffers missing after a failed allocation, or too small for the format
    // set since, are allocated now; without them nothing may be queued.
    if (!BuffersReady()) {
        if (FAllocatedBufferSize < FEffectiveBufferSize) FreeBuffers();
        if (!AllocateHeaders() || !AllocateBuffers()) return false;
    }
    FCurrentBuffer = 0;
    FOpenNumBuffers = FNumBuffers;
    FQueue.clear();

    // A new hidden window for every opening: notifications of an earlier
    // opening still on their way go to the old one and are dropped there.
    if (FChannel) FChannel->detach();
    if (FWindow) FWindow->deleteLater();
    FWindow = new TCallBackWinIn(this);
    FWindow->ComponentRef = ComponentRef;
    FChannel = std::make_shared<Channel>(FWindow);

    if (const int rc = FBackend->open(FDevice, FWaveDevice, FFormat, FChannel); rc != WaveOk) {
        FDevice.reset();
        FErrorText = WaveInErrorText(rc);
        return false;
    }
    FDeviceOpen = true;
    PrepareHeaders();
    for (int i = 0; i < FOpenNumBuffers; ++i) {
        if (const int rc = FDevice->prepareHeader(*FHeaders[i]); rc != WaveOk) {
            FErrorText = WaveInErrorText(rc);
            CloseDevice();
            return false;
        }
    }
    FBuffersQueued = 0;
    FBuffersReturned = 0;
    FBuffersProcessed = 0;
    FKeepRunning = true;
    FActive = true;
    return true;
}

void TAudioIn::PrepareHeaders() {
    UpdateFormat();
    FOpenBufferSize = FEffectiveBufferSize;
    for (int i = 0; i < FOpenNumBuffers; ++i) {
        *FHeaders[i] = WaveHeader{};
        FHeaders[i]->data = FBuffers[i];
        FHeaders[i]->bufferLength = static_cast<std::uint32_t>(FEffectiveBufferSize);
    }
}

bool TAudioIn::StartRecording() {
    if (const int rc = FDevice->start(); rc != WaveOk) {
        const QString text = WaveInErrorText(rc);
        CloseDevice();
        FErrorText = QStringLiteral("Error starting wave record: ") + text;
        return false;
    }
    FActive = true;
    for (int i = 0; i < FOpenNumBuffers; ++i) {
        if (!QueueBuffer(i)) {
            CloseDevice();
            return false;
        }
    }
    return true;
}

bool TAudioIn::QueueBuffer(int index) {
    // A buffer handed back after the capture was stopped (the handler let
    // events run and a stop came in between) is dropped: there is no device
    // to queue it at.
    if (!FDevice) return false;
    WaveHeader& header = *FHeaders[index];
    header.flags = WHDR_PREPARED;
    if (const int rc = FDevice->addBuffer(header); rc != WaveOk) {
        FErrorText = WaveInErrorText(rc);
        StopWhenDrained();
        return false;
    }
    // The driver fills its buffers in the order they were queued.
    FQueue.push_back(index);
    FCurrentBuffer = FQueue.front();
    FBuffersQueued += 1;
    return true;
}

bool TAudioIn::BufferFilled(char* Buffer, int Size) {
    if (!FKeepRunning) return false;
    bool requeue = true;
    if (OnBufferFilled) {
        int sizeCopy = Size;
        requeue = OnBufferFilled(Buffer, sizeCopy);
    }
    if (requeue) FBuffersProcessed += 1;
    return requeue;
}

void TAudioIn::DeviceOpened(TCallBackWinIn* window) {
    if (window == FWindow && OnStart) OnStart(window);
}

void TAudioIn::DeviceClosed(TCallBackWinIn* window) {
    if (window == FWindow && OnStop) OnStop(window);
}

void TAudioIn::DataArrived(TCallBackWinIn* window) {
    if (window != FWindow || !FDeviceOpen)
        return; // an earlier opening's, or handed back after the close
    // A handler that lets events run may see the next buffer arrive: it is
    // delivered after the current one returns, so each buffer is handed over
    // once and in the order captured.
    if (FDelivering) {
        ++FPendingData;
        return;
    }
    FDelivering = true;
    DeliverOne();
    while (FPendingData > 0 && FDeviceOpen && window == FWindow) {
        --FPendingData;
        DeliverOne();
    }
    FPendingData = 0;
    FDelivering = false;
}

void TAudioIn::DeliverOne() {
    FBuffersReturned += 1;
    FBuffersQueued -= 1;
    FActive = FBuffersQueued > 0;
    // The buffer filled is the oldest queued one, whether or not the handler
    // wants the buffers before it again: none arrives twice or late.
    const int index = FQueue.empty() ? FCurrentBuffer : FQueue.front();
    if (!FQueue.empty()) FQueue.pop_front();
    if (!FQueue.empty()) FCurrentBuffer = FQueue.front();
    // The handler may let events run, and a stop may close the device
    // there: QueueBuffer then drops the buffer.
    if (BufferFilled(FBuffers[index], FOpenBufferSize)) QueueBuffer(index);
    if (!FActive) {
        FKeepRunning = false;
        CloseDevice();
    }
}

void TAudioIn::StopWhenDrained() {
    if (FDeviceOpen) FKeepRunning = false;
}

void TAudioIn::StopNow() {
    if (!FDeviceOpen) return;
    FActive = false;
    FKeepRunning = false;
    FDevice->reset();
    CloseDevice();
}

void TAudioIn::CloseDevice() {
    FActive = false;
    if (FDevice) {
        // Reset first: it takes every buffer back from the driver, whose
        // threads may write their flags until then.
        FDevice->reset();
        for (int i = 0; i < FOpenNumBuffers; ++i)
            FDevice->unprepareHeader(*FHeaders[i]);
        FDevice->close();
        FLostBefore += FDevice->lostFrames();
        FDevice.reset();
    }
    FDeviceOpen = false;
}

} // namespace kelmot
