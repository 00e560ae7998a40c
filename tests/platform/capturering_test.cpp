// SPDX-License-Identifier: GPL-3.0-or-later
// The capture ring between a producer (the audio callback), the relay thread
// and the consumer (the user-interface thread, here a thread of the test):
// every byte is delivered or counted as lost, never both and never silently.
// The test script also runs these under ThreadSanitizer.
#include "platform/capturering.h"
#include "platform/portaudio_wavein.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <gtest/gtest.h>
#include <mutex>
#include <portaudio.h>
#include <thread>
#include <vector>

using namespace kelmot::platform;

namespace {

constexpr std::size_t BufferBytes = 8192;
constexpr int Buffers = 4;

// The byte at position i of the producer's stream.
char patternAt(std::uint64_t i) {
    return static_cast<char>((i * 7 + i / 251) & 0xff);
}

// Receives the relay's reports, as the hidden window of the capture
// component does, and hands the filled buffers to the consumer.
class Reports : public WaveInNotifier {
public:
    void deviceOpened() override {}
    void deviceClosed() override {}
    void bufferDone(WaveHeader* header) override {
        {
            std::lock_guard lock(mutex_);
            done_.push_back(header);
        }
        wake_.notify_all();
    }
    // The next filled buffer, or nothing once `give_up` says so.
    template <typename Stop> WaveHeader* next(Stop give_up) {
        std::unique_lock lock(mutex_);
        while (done_.empty()) {
            if (give_up()) return nullptr;
            wake_.wait_for(lock, std::chrono::milliseconds(5));
        }
        WaveHeader* h = done_.front();
        done_.pop_front();
        return h;
    }

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<WaveHeader*> done_;
};

// Four buffers with their headers, queued at the ring.
struct BufferSet {
    std::vector<std::vector<char>> data{Buffers, std::vector<char>(BufferBytes)};
    WaveHeader headers[Buffers]{};
    void queueAll(CaptureRing& ring) {
        for (int i = 0; i < Buffers; ++i) {
            headers[i].data = data[std::size_t(i)].data();
            headers[i].bufferLength = BufferBytes;
            headers[i].flags = WHDR_PREPARED;
            ring.add(headers[i]);
        }
    }
};

// Writes `count` bytes of the pattern from position `from`.
void writePattern(CaptureRing& ring, std::uint64_t from, std::size_t count) {
    std::vector<char> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = patternAt(from + i);
    ring.write(bytes.data(), count);
}

// The consumer: checks every delivered buffer against the pattern (skipping
// what was reported lost only in the lossy runs) and queues it again.
struct Consumer {
    Consumer(CaptureRing& r, Reports& n) : ring(r), reports(n) {}
    void run() {
        while (WaveHeader* h = reports.next([this] { return stop.load(); })) {
            if (checkContents && h->bytesRecorded == BufferBytes) {
                for (std::size_t i = 0; i < BufferBytes && delivered + i < checkUntil; ++i)
                    if (h->data[i] != patternAt(delivered + i)) {
                        ++mismatches;
                        break;
                    }
            }
            delivered += h->bytesRecorded;
            ring.add(*h);
        }
    }
    CaptureRing& ring;
    Reports& reports;
    std::atomic<bool> stop{false};
    bool checkContents = true;
    std::uint64_t checkUntil = UINT64_MAX; // stream positions past it are not the pattern
    std::atomic<std::uint64_t> delivered{0};
    int mismatches = 0;
};

template <typename Condition> bool waitFor(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace

// A stalled consumer: the buffers fill, then the cushion, and from then on
// every byte written is lost and counted, to the byte. When the consumer is
// back, the cushion (which has wrapped by then) delivers everything it kept
// in order.
TEST(CaptureRing, AFullCushionCountsEveryLostByteAndKeepsTheRest) {
    const std::size_t cushion = 3 * BufferBytes + 100;
    auto reports = std::make_shared<Reports>();
    CaptureRing ring(reports, cushion);
    BufferSet buffers;
    buffers.queueAll(ring);

    // The buffers take the first 32 KB; all four come back filled.
    // In blocks the cushion holds, each moved on before the next comes.
    std::uint64_t written = 0;
    while (written < Buffers * BufferBytes) {
        writePattern(ring, written, 4096);
        written += 4096;
        ASSERT_TRUE(waitFor([&] { return ring.room() == cushion; }));
    }
    std::vector<WaveHeader*> filled;
    for (int i = 0; i < Buffers; ++i)
        filled.push_back(reports->next([] { return false; }));
    EXPECT_EQ(ring.lostBytes(), 0u);

    // Nobody queues them again: the cushion alone takes what comes.
    ASSERT_EQ(ring.room(), cushion);
    writePattern(ring, written, cushion - 10);
    written += cushion - 10;
    EXPECT_EQ(ring.lostBytes(), 0u);
    EXPECT_EQ(ring.room(), 10u);
    writePattern(ring, written, 100);
    EXPECT_EQ(ring.lostBytes(), 90u); // exactly what found no room
    writePattern(ring, written + 100, 1000);
    EXPECT_EQ(ring.lostBytes(), 1090u);
    EXPECT_EQ(ring.bytesReceived(), written + 1100);

    // The consumer is back: what the cushion kept arrives in order.
    Consumer consumer(ring, *reports);
    consumer.delivered = Buffers * BufferBytes;
    const std::uint64_t kept = written + 10; // the 10 bytes that still found room
    consumer.checkUntil = kept;
    for (WaveHeader* h : filled) {
        for (std::size_t i = 0; i < BufferBytes; ++i)
            ASSERT_EQ(h->data[i], patternAt(std::uint64_t(h - buffers.headers) * BufferBytes + i));
        ring.add(*h);
    }
    std::thread thread([&] { consumer.run(); });
    // Fill the last buffer up past the lost bytes, so that it comes back too:
    // the stream goes on after the gap.
    const std::size_t pad = BufferBytes - kept % BufferBytes;
    ASSERT_TRUE(waitFor([&] { return ring.room() >= pad; }));
    std::vector<char> zeros(pad, 0);
    ring.write(zeros.data(), pad);
    EXPECT_TRUE(waitFor([&] { return consumer.delivered == kept + pad; }));
    consumer.stop = true;
    thread.join();
    EXPECT_EQ(consumer.mismatches, 0); // the cushion's wrap kept the order
    EXPECT_EQ(ring.lostBytes(), 1090u);
    ring.stopRelay();
}

// Producer and consumer at full speed on their own threads, with and without
// a cushion, lossless (the producer writes only what there is room for) and
// lossy: every byte is delivered or counted lost, and lossless means intact.
TEST(CaptureRing, ProducerAndConsumerAtFullSpeedAccountForEveryByte) {
    for (const std::size_t cushion : {std::size_t(0), std::size_t(3 * BufferBytes + 17)}) {
        for (const bool lossless : {true, false}) {
            SCOPED_TRACE(testing::Message() << "cushion " << cushion << " lossless " << lossless);
            auto reports = std::make_shared<Reports>();
            CaptureRing ring(reports, cushion);
            BufferSet buffers;
            buffers.queueAll(ring);
            Consumer consumer(ring, *reports);
            consumer.checkContents = lossless;
            std::thread consumerThread([&] { consumer.run(); });

            std::uint64_t written = 0;
            std::thread producer([&] {
                std::uint64_t state = 12345;
                const std::uint64_t total = 4 * 1024 * 1024;
                while (written < total) {
                    state = state * 6364136223846793005u + 1442695040888963407u;
                    std::size_t n = 1 + (state >> 33) % 3000;
                    if (lossless) {
                        n = std::min(n, ring.room());
                        if (n == 0) {
                            std::this_thread::yield();
                            continue;
                        }
                    }
                    writePattern(ring, written, n);
                    written += n;
                }
                // Round up so that the last buffer fills and comes back.
                while ((written - ring.lostBytes()) % BufferBytes != 0) {
                    if (ring.room() == 0) {
                        std::this_thread::yield();
                        continue;
                    }
                    writePattern(ring, written, 1);
                    ++written;
                }
            });
            producer.join();
            EXPECT_EQ(ring.bytesReceived(), written);
            const bool complete =
                waitFor([&] { return consumer.delivered + ring.lostBytes() == written; });
            EXPECT_TRUE(complete) << consumer.delivered << " + " << ring.lostBytes()
                                  << " != " << written;
            consumer.stop = true;
            consumerThread.join();
            if (lossless) {
                EXPECT_EQ(ring.lostBytes(), 0u);
                EXPECT_EQ(consumer.mismatches, 0);
            }
            ring.stopRelay();
        }
    }
}

// The sound card's callback: samples into the ring, and the driver's
// input-overflow flag counts a lost frame although every sample of the block
// itself arrives.
TEST(CaptureRing, TheSoundCardsOverflowFlagCountsAsALoss) {
    auto reports = std::make_shared<Reports>();
    CaptureRing ring(reports, 4096);
    const std::int16_t block[64] = {1, 2, 3};
    receiveInputBlock(ring, block, 64, 0, 2);
    EXPECT_EQ(ring.bytesReceived(), 128u);
    EXPECT_EQ(ring.lostBytes(), 0u);
    receiveInputBlock(ring, block, 64, paInputOverflow, 2);
    EXPECT_EQ(ring.bytesReceived(), 256u);
    EXPECT_EQ(ring.lostBytes(), 2u); // one 16-bit mono frame
    receiveInputBlock(ring, nullptr, 64, paInputOverflow | paInputUnderflow, 2);
    EXPECT_EQ(ring.bytesReceived(), 256u);
    EXPECT_EQ(ring.lostBytes(), 4u);
    receiveInputBlock(ring, block, 64, paInputUnderflow, 2); // no input lost
    EXPECT_EQ(ring.lostBytes(), 4u);
    ring.stopRelay();
}
