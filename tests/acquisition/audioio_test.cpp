// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/AudioIO.h"
#include "platform/manual_wavein.h"
#include "tests/eventloop.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <gtest/gtest.h>
#include <vector>

using namespace kelmot;
using namespace kelmot::platform;
using kelmot::test::deliverPostedEvents;
using kelmot::test::processUntil;

namespace {

// Memory that can be told to refuse allocating or locking.
class FailingMemory : public GlobalMemory {
public:
    void* allocate(std::size_t bytes, bool zeroed) override {
        if (failAllocate) return nullptr;
        return defaultGlobalMemory().allocate(bytes, zeroed);
    }
    bool lock(void* block) override { return !failLock && block; }
    void unlock(void*) override {}
    void release(void* block) override { defaultGlobalMemory().release(block); }
    bool failAllocate = false;
    bool failLock = false;
};

std::vector<std::int16_t> block(std::size_t n, std::int16_t first) {
    std::vector<std::int16_t> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = static_cast<std::int16_t>(first + i);
    return v;
}

class Capture : public ::testing::Test {
protected:
    void SetUp() override {
        audio = std::make_unique<TAudioIn>(nullptr, backend);
        audio->setBufferSize(8820);
        audio->setFrameRate(22050);
        audio->OnBufferFilled = [this](char* buffer, int& size) {
            seen.push_back(*reinterpret_cast<std::int16_t*>(buffer));
            sizes.push_back(size);
            size = 1; // a copy: changing it has no effect
            return handlerResult;
        };
    }
    // One buffer of 4410 samples whose first sample tells it apart.
    void deliverBuffers(int count, std::int16_t tag = 0) {
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(backend->deliver(block(4410, static_cast<std::int16_t>(tag + 100 * i))));
    }

    std::shared_ptr<ManualBackend> backend = std::make_shared<ManualBackend>();
    std::unique_ptr<TAudioIn> audio;
    std::vector<std::int16_t> seen;
    std::vector<int> sizes;
    bool handlerResult = true;
};

} // namespace

TEST(CaptureProperties, ClampsAndFormatArithmetic) {
    TAudioIn a(nullptr, std::make_shared<ManualBackend>());
    EXPECT_EQ(a.BufferSize(), 8192);
    EXPECT_EQ(a.NumBuffers(), 4);
    EXPECT_EQ(a.FrameRate(), 22050);
    EXPECT_EQ(a.WaveDevice(), -1);
    EXPECT_TRUE(a.ErrorText().isEmpty());
    a.setBufferSize(100);
    EXPECT_EQ(a.BufferSize(), 512);
    a.setBufferSize(8821);
    EXPECT_EQ(a.BufferSize(), 8820);
    EXPECT_EQ(a.Format().blockAlign, 2);
    EXPECT_EQ(a.Format().avgBytesPerSec, 44100u);
    a.setStereo(true);
    EXPECT_EQ(a.Format().blockAlign, 4);
    EXPECT_EQ(a.BufferSize(), 8820 - 8820 % 4);
    a.setQuantization(12);
    EXPECT_EQ(a.Quantization(), 16);
    a.setQuantization(0);
    EXPECT_EQ(a.Quantization(), 8);
    EXPECT_EQ(a.Format().blockAlign, 2);
    a.setNumBuffers(1);
    EXPECT_EQ(a.NumBuffers(), 2);
    a.setNumBuffers(9);
    EXPECT_EQ(a.NumBuffers(), 4);
    a.setFrameRate(-5); // stored unchecked
    EXPECT_EQ(a.FrameRate(), -5);
}

TEST_F(Capture, BuffersArriveInCaptureOrderWithTheFullSize) {
    ASSERT_TRUE(audio->Start());
    EXPECT_TRUE(audio->DeviceOpen());
    EXPECT_EQ(audio->BuffersQueued(), 4);
    EXPECT_EQ(audio->CurrentBuffer(), 0);
    deliverBuffers(4, 1);
    ASSERT_TRUE(processUntil([&] { return seen.size() == 4; }));
    deliverBuffers(2, 401);
    ASSERT_TRUE(processUntil([&] { return seen.size() == 6; }));
    EXPECT_EQ(seen, (std::vector<std::int16_t>{1, 101, 201, 301, 401, 501}));
    EXPECT_EQ(sizes, std::vector<int>(6, 8820));
    EXPECT_EQ(audio->BuffersProcessed(), audio->BuffersReturned());
    EXPECT_EQ(audio->BuffersQueued(), 4);
    EXPECT_EQ(backend->lostFrames(), 0u);
}

TEST_F(Capture, StopWhenDrainedTakesExactlyTheFourQueuedBuffers) {
    ASSERT_TRUE(audio->Start());
    deliverBuffers(1);
    ASSERT_TRUE(processUntil([&] { return audio->BuffersReturned() == 1; }));
    audio->StopWhenDrained();
    EXPECT_FALSE(audio->KeepRunning());
    for (int i = 1; i <= 4; ++i) {
        deliverBuffers(1);
        ASSERT_TRUE(processUntil([&] { return audio->BuffersReturned() == 1 + i; }));
        EXPECT_EQ(audio->DeviceOpen(), i < 4) << i;
    }
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_FALSE(audio->Active());
    EXPECT_FALSE(backend->deviceOpen());
    EXPECT_FALSE(backend->deliver(block(10, 0)));
}

TEST_F(Capture, HandlerThatStopsAndReturnsTrueStillHasFourQueued) {
    audio->OnBufferFilled = [this](char*, int&) {
        seen.push_back(0);
        audio->StopWhenDrained();
        return true;
    };
    ASSERT_TRUE(audio->Start());
    deliverBuffers(1);
    ASSERT_TRUE(processUntil([&] { return audio->BuffersReturned() == 1; }));
    EXPECT_EQ(audio->BuffersQueued(), 4);
    deliverBuffers(3);
    ASSERT_TRUE(processUntil([&] { return audio->BuffersReturned() == 4; }));
    EXPECT_TRUE(audio->DeviceOpen());
    deliverBuffers(1);
    ASSERT_TRUE(processUntil([&] { return !audio->DeviceOpen(); }));
    EXPECT_EQ(audio->BuffersReturned(), 5);
    EXPECT_EQ(seen.size(), 1u);
}

// The handler lets events run and a stop closes the capture meanwhile (the
// watchdog behind a dialog): the buffer it hands back is dropped, never
// queued at the device that is gone.
TEST_F(Capture, ABufferHandedBackAfterAStopInsideTheHandlerIsDropped) {
    audio->OnBufferFilled = [this](char*, int&) {
        seen.push_back(0);
        audio->StopNow();
        return true;
    };
    ASSERT_TRUE(audio->Start());
    deliverBuffers(1);
    ASSERT_TRUE(processUntil([&] { return seen.size() == 1; }));
    deliverPostedEvents(); // the device is closed: all it sent is posted
    EXPECT_FALSE(audio->DeviceOpen());
    EXPECT_FALSE(backend->deviceOpen());
    EXPECT_EQ(backend->calls().adds, 4); // the four of the start, none after the stop
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(Capture, HandlerReturningFalseShrinksTheRingUntilItCloses) {
    handlerResult = false;
    ASSERT_TRUE(audio->Start());
    deliverBuffers(4);
    ASSERT_TRUE(processUntil([&] { return !audio->DeviceOpen(); }));
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_EQ(audio->BuffersProcessed(), 0);
}

TEST_F(Capture, StartWhileOpenFailsAndLeavesTheCaptureRunning) {
    ASSERT_TRUE(audio->Start());
    audio->StopWhenDrained();
    EXPECT_FALSE(audio->Start());
    EXPECT_EQ(audio->ErrorText(), "Wave Input device is already open");
    EXPECT_EQ(backend->calls().opens, 1);
    EXPECT_EQ(audio->BuffersQueued(), 4);
    deliverBuffers(4);
    ASSERT_TRUE(processUntil([&] { return !audio->DeviceOpen(); }));
    ASSERT_TRUE(audio->Start()); // closed now: a new run can begin
    EXPECT_EQ(backend->calls().opens, 2);
}

TEST_F(Capture, DriverFailuresAreReportedInThePlatformsWords) {
    backend->failures.open = WaveErrBadDeviceId;
    EXPECT_FALSE(audio->Start());
    EXPECT_EQ(audio->ErrorText().toStdString(), genericWaveInErrorText(WaveErrBadDeviceId));
    EXPECT_FALSE(audio->DeviceOpen());

    backend->failures.open = WaveOk;
    backend->failures.start = WaveErrAllocated;
    EXPECT_FALSE(audio->Start());
    EXPECT_EQ(audio->ErrorText().toStdString(),
              "Error starting wave record: " + genericWaveInErrorText(WaveErrAllocated));
    EXPECT_FALSE(backend->deviceOpen());

    backend->failures.start = WaveOk;
    backend->failures.prepare = WaveErrNoMemory;
    EXPECT_FALSE(audio->Start());
    EXPECT_FALSE(backend->deviceOpen());

    backend->failures.prepare = WaveOk;
    backend->failures.addBufferAfter = backend->calls().adds + 2;
    EXPECT_FALSE(audio->Start());
    EXPECT_EQ(audio->ErrorText().toStdString(), genericWaveInErrorText(WaveErrNoMemory));
    EXPECT_FALSE(audio->DeviceOpen());
    EXPECT_FALSE(backend->deviceOpen());
    deliverPostedEvents(); // the device is closed: all it sent is posted
    EXPECT_TRUE(seen.empty());
}

TEST(CaptureMemory, StartAfterAnAllocationFailureFailsUntilMemoryIsBack) {
    FailingMemory memory;
    memory.failAllocate = true;
    auto backend = std::make_shared<ManualBackend>();
    TAudioIn audio(nullptr, backend, &memory);
    EXPECT_EQ(audio.ErrorText(), "Error allocating wave buffer memory");
    EXPECT_FALSE(audio.Start());
    EXPECT_EQ(audio.ErrorText(), "Error allocating wave header memory");
    EXPECT_EQ(backend->calls().opens, 0);
    memory.failAllocate = false;
    memory.failLock = true;
    audio.setBufferSize(4000);
    EXPECT_EQ(audio.ErrorText(), "Error Locking wave buffer memory");
    EXPECT_FALSE(audio.Start());
    EXPECT_EQ(audio.ErrorText(), "Could not lock header memory for recording");
    memory.failLock = false;
    EXPECT_TRUE(audio.Start());
    EXPECT_EQ(backend->queuedBuffers(), 4u);
}

TEST_F(Capture, AnEarlierOpeningsNotificationsNeverReachALaterOne) {
    ASSERT_TRUE(audio->Start());
    deliverBuffers(2);
    // Stop at once: the reset hands back the queued buffers, whose
    // notifications are still on their way when the next opening starts.
    audio->StopNow();
    EXPECT_FALSE(audio->DeviceOpen());
    ASSERT_TRUE(audio->Start());
    deliverPostedEvents(); // the device is closed: all it sent is posted
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(audio->BuffersReturned(), 0);
    EXPECT_EQ(audio->BuffersQueued(), 4);
    deliverBuffers(1, 7);
    ASSERT_TRUE(processUntil([&] { return seen.size() == 1; }));
    EXPECT_EQ(seen[0], 7);
}

TEST_F(Capture, OpenAndCloseAreAnnounced) {
    int starts = 0, stops = 0;
    audio->OnStart = [&](QObject*) { ++starts; };
    audio->OnStop = [&](QObject*) { ++stops; };
    ASSERT_TRUE(audio->Start());
    ASSERT_TRUE(processUntil([&] { return starts == 1; }));
    audio->StopWhenDrained();
    deliverBuffers(4);
    ASSERT_TRUE(processUntil([&] { return stops == 1; }));
}

TEST_F(Capture, NestedEventProcessingStillDeliversEachBufferOnceInOrder) {
    int depth = 0, maxDepth = 0;
    int delivered = 0;
    audio->OnBufferFilled = [&](char* buffer, int&) {
        maxDepth = std::max(maxDepth, ++depth);
        seen.push_back(*reinterpret_cast<std::int16_t*>(buffer));
        // Like the measurement window: let pending events run before
        // returning, until the notifications of every later buffer have
        // arrived here (and been held back). Posted events are delivered
        // directly: a glib event loop does not hand over, inside a handler of
        // a posted event, events posted after that one's delivery began.
        const int later = delivered - int(seen.size());
        QDeadlineTimer limit(60000);
        while (audio->PendingBuffers() != later && !limit.hasExpired()) {
            QCoreApplication::sendPostedEvents();
            QThread::yieldCurrentThread();
        }
        EXPECT_EQ(audio->PendingBuffers(), later);
        --depth;
        return true;
    };
    ASSERT_TRUE(audio->Start());
    delivered = 4;
    deliverBuffers(4, 1);
    ASSERT_TRUE(processUntil([&] { return seen.size() == 4; }));
    delivered = 7;
    deliverBuffers(3, 11);
    ASSERT_TRUE(processUntil([&] { return seen.size() == 7; }));
    EXPECT_EQ(seen, (std::vector<std::int16_t>{1, 101, 201, 301, 11, 111, 211}));
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(audio->BuffersReturned(), 7);
}

TEST_F(Capture, FramesWithoutAQueuedBufferAreCountedAsLost) {
    ASSERT_TRUE(audio->Start());
    deliverBuffers(5); // four fit, the fifth finds no buffer
    EXPECT_EQ(backend->lostFrames(), 4410u);
    EXPECT_EQ(audio->LostFrames(), 4410u);
}

TEST_F(Capture, DestroyingWhileOpenStopsTheDriverFirst) {
    ASSERT_TRUE(audio->Start());
    deliverBuffers(2);
    audio.reset(); // ASan catches any write into the freed buffers
    EXPECT_FALSE(backend->deviceOpen());
    EXPECT_FALSE(backend->deliver(block(4410, 0)));
    deliverPostedEvents(); // the device is closed: all it sent is posted
    EXPECT_TRUE(seen.empty());
}

TEST_F(Capture, ABufferSizeSetWhileOpenTakesEffectAtTheNextOpening) {
    ASSERT_TRUE(audio->Start());
    audio->setBufferSize(4000); // the driver keeps writing into the old buffers
    deliverBuffers(1);
    ASSERT_TRUE(processUntil([&] { return sizes.size() == 1; }));
    EXPECT_EQ(sizes[0], 8820);
    audio->StopNow();
    ASSERT_TRUE(audio->Start());
    ASSERT_TRUE(backend->deliver(block(2000, 9)));
    ASSERT_TRUE(processUntil([&] { return sizes.size() == 2; }));
    EXPECT_EQ(sizes[1], 4000);
    EXPECT_EQ(seen[1], 9);
}

TEST_F(Capture, AHandlerThatKeepsABufferNeverMakesOneArriveTwice) {
    // The handler keeps the second buffer (returns false): the next buffers
    // arrive with their own contents, in order, none twice and none late.
    audio->OnBufferFilled = [this](char* buffer, int&) {
        const std::int16_t first = *reinterpret_cast<std::int16_t*>(buffer);
        seen.push_back(first);
        return first != 101;
    };
    ASSERT_TRUE(audio->Start());
    deliverBuffers(4, 1); // 1, 101, 201, 301
    ASSERT_TRUE(processUntil([&] { return seen.size() == 4; }));
    deliverBuffers(3, 401); // 401, 501, 601 into the three buffers queued again
    ASSERT_TRUE(processUntil([&] { return seen.size() == 7; }));
    EXPECT_EQ(seen, (std::vector<std::int16_t>{1, 101, 201, 301, 401, 501, 601}));
    EXPECT_EQ(audio->BuffersQueued(), 3);
    audio->StopNow();
}

TEST_F(Capture, MoreBuffersAskedForWhileOpenComeWithTheNextOpening) {
    audio->setNumBuffers(2);
    ASSERT_TRUE(audio->Start());
    EXPECT_EQ(audio->BuffersQueued(), 2);
    audio->setNumBuffers(4); // the two new buffers do not exist yet
    EXPECT_EQ(audio->NumBuffers(), 4);
    deliverBuffers(2, 1);
    ASSERT_TRUE(processUntil([&] { return seen.size() == 2; }));
    deliverBuffers(2, 201);
    ASSERT_TRUE(processUntil([&] { return seen.size() == 4; }));
    EXPECT_EQ(seen, (std::vector<std::int16_t>{1, 101, 201, 301}));
    EXPECT_EQ(audio->BuffersQueued(), 2);
    audio->StopNow();
    ASSERT_TRUE(audio->Start());
    EXPECT_EQ(audio->BuffersQueued(), 4);
    deliverBuffers(4, 1001);
    ASSERT_TRUE(processUntil([&] { return seen.size() == 8; }));
    EXPECT_EQ(seen.back(), 1301);
    audio->StopNow();
}
