// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement session without a window: its rules hold for every
// experiment that measures on it.
#include "acquisition/AMixer.h"
#include "acquisition/measurementsession.h"
#include "platform/manual_wavein.h"
#include "platform/simulated_mixer.h"
#include "tests/acquisition/detection_fixture.h"
#include "tests/eventloop.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

// A client that counts a one-barrier run of `events` and notes what it hears.
class Client : public SessionClient {
public:
    explicit Client(int events = 3, bool endsOnAbort = false)
        : events_(events), endsOnAbort_(endsOnAbort) {}
    RunLength runLength() const override { return {events_, 22050}; }
    void edgeFound(EdgeKind kind, int event, double time) override {
        edges.push_back({kind, event, time});
    }
    void stateChanged(const SessionState& state) override {
        if (states.empty() || !(states.back() == state)) states.push_back(state);
    }
    SessionState runEnded(const EndedRun& run) override {
        ended.push_back(run);
        // What the session shows next must not be shown yet: the run is
        // kept first.
        stateWhenEnded = states.back();
        if (run.complete) return {SessionPhase::Ended, {}};
        return {
            SessionPhase::Incomplete,
            QStringLiteral("Unvollständig: %1 von %2 Ereignissen").arg(run.pairs()).arg(events_)};
    }
    bool abortEndsRun(const EndedRun& soFar) const override {
        return endsOnAbort_ && soFar.pairs() > 0;
    }
    SessionPhase phase() const { return states.empty() ? SessionPhase::Idle : states.back().phase; }

    struct Edge {
        EdgeKind kind;
        int event;
        double time;
    };
    std::vector<Edge> edges;
    std::vector<SessionState> states;
    std::vector<EndedRun> ended;
    SessionState stateWhenEnded;

private:
    int events_;
    bool endsOnAbort_;
};

// A beam dark for 300 samples at the start of each of `beams` buffers.
std::vector<std::int16_t> beamBuffer(bool dark) {
    std::vector<std::int16_t> b(SamplesPerBuffer, 0);
    if (dark)
        for (int i = 100; i < 400; ++i)
            b[std::size_t(i)] = 12000;
    return b;
}

class Session : public ::testing::Test {
protected:
    Session() {
        store.Threshold = 5000;
        store.SeriesResolution[0] = 1;
    }
    void deliver(const std::vector<std::int16_t>& samples) {
        const int before = session.capture().BuffersReturned();
        ASSERT_TRUE(manual->deliver(samples));
        ASSERT_TRUE(processUntil([&] { return session.capture().BuffersReturned() > before; }));
    }
    // "Messen", the settling buffer, then `dark` buffers each with one beam.
    void measureBeams(Client& client, int dark) {
        session.measure(client);
        ASSERT_TRUE(session.captureOpen()) << session.capture().ErrorText().toStdString();
        deliver(beamBuffer(false));
        for (int k = 0; k < dark; ++k)
            deliver(beamBuffer(true));
    }
    void drain() {
        for (int i = 0; i < 8 && manual->deviceOpen(); ++i)
            manual->deliver(beamBuffer(false));
        ASSERT_TRUE(processUntil([&] { return !session.captureOpen(); }));
    }

    MeasurementStore store;
    std::shared_ptr<ManualBackend> manual = std::make_shared<ManualBackend>();
    MeasurementSession session{store, manual};
};

} // namespace

// Each phase has its one text, blanks included, red but while running.
TEST(SessionStateText, EveryPhaseHasItsTextAndColour) {
    EXPECT_EQ(sessionStateText({}), "");
    EXPECT_EQ(sessionStateText({SessionPhase::Waiting, {}}), "  Warte auf Start  ");
    EXPECT_EQ(sessionStateText({SessionPhase::Running, {}}), "  Messung gestartet  ");
    EXPECT_EQ(sessionStateText({SessionPhase::Ended, {}}), "  Messung beendet  ");
    EXPECT_EQ(sessionStateText({SessionPhase::Aborted, {}}), "   Abgebrochen   ");
    EXPECT_EQ(sessionStateText({SessionPhase::DataLost, {}}),
              "  Daten verloren - bitte neu messen  ");
    EXPECT_EQ(sessionStateText({SessionPhase::NoDevice, {}}),
              "  Keine Daten vom Aufnahmegerät - bitte prüfen und neu messen  ");
    EXPECT_EQ(sessionStateText({SessionPhase::CannotOpen, "kein Gerät"}),
              "  Aufnahme nicht möglich: kein Gerät  ");
    EXPECT_EQ(sessionStateText({SessionPhase::Incomplete, "Unvollständig: 6 von 9 Latten"}),
              "  Unvollständig: 6 von 9 Latten  ");
    EXPECT_EQ(sessionStateColour({SessionPhase::Running, {}}), Green);
    for (auto phase : {SessionPhase::Waiting, SessionPhase::Ended, SessionPhase::Aborted,
                       SessionPhase::DataLost, SessionPhase::NoDevice})
        EXPECT_EQ(sessionStateColour({phase, {}}), Red);
}

// A run of three events: each edge as a number, the run kept by the client
// before the state says it ended, the capture closed once drained.
TEST_F(Session, ARunReportsItsEdgesAndEndsAfterTheClientKeptIt) {
    Client client;
    measureBeams(client, 3);
    ASSERT_EQ(client.ended.size(), 1u);
    EXPECT_TRUE(client.ended[0].complete);
    EXPECT_EQ(client.ended[0].pairs(), 3u);
    EXPECT_EQ(client.stateWhenEnded.phase, SessionPhase::Running);
    EXPECT_EQ(client.phase(), SessionPhase::Ended);
    EXPECT_EQ(session.state().phase, SessionPhase::Ended);
    ASSERT_EQ(client.edges.size(), 6u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(client.edges[std::size_t(2 * k)].kind, EdgeKind::Dark);
        EXPECT_EQ(client.edges[std::size_t(2 * k)].event, k);
        EXPECT_NEAR(client.edges[std::size_t(2 * k)].time, 0.2 * k - 0.0003, 1e-9);
        EXPECT_NEAR(client.edges[std::size_t(2 * k + 1)].time, (4410.0 * k + 299) / 22050 - 0.0003,
                    1e-9);
    }
    EXPECT_FALSE(session.measuring(client));
    drain();
    EXPECT_EQ(manual->calls().opens, 1);
}

// A run that stops short ends after a quiet second with the client's own words.
TEST_F(Session, ARunThatStopsShortEndsIncompleteInTheClientsWords) {
    Client client(5);
    measureBeams(client, 2);
    for (int k = 0; k < 6 && client.ended.empty(); ++k)
        deliver(beamBuffer(false));
    ASSERT_EQ(client.ended.size(), 1u);
    EXPECT_FALSE(client.ended[0].complete);
    EXPECT_EQ(sessionStateText(session.state()), "  Unvollständig: 2 von 5 Ereignissen  ");
}

// Samples lost mid-run spoil it: given up, said, nothing ended.
TEST_F(Session, LostSamplesGiveTheRunUp) {
    Client client;
    measureBeams(client, 1);
    // Five buffers while nobody takes them: four are queued, one is lost.
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(manual->deliver(beamBuffer(true)));
    ASSERT_GT(session.capture().LostFrames(), 0u);
    ASSERT_TRUE(processUntil([&] { return client.phase() == SessionPhase::DataLost; }));
    EXPECT_TRUE(client.ended.empty());
    drain();
    EXPECT_EQ(client.phase(), SessionPhase::DataLost);
    // The next "Messen" measures a whole run again.
    measureBeams(client, 3);
    EXPECT_EQ(client.ended.size(), 1u);
    EXPECT_EQ(client.phase(), SessionPhase::Ended);
}

// A device that cannot open says why; one that stops delivering is found
// by the watchdog on the session's clock, whichever client measures.
TEST_F(Session, ADeviceThatFailsOrFallsSilentIsSaid) {
    Client client;
    manual->failures.open = WaveErrBadDeviceId;
    session.measure(client);
    EXPECT_EQ(client.phase(), SessionPhase::CannotOpen);
    EXPECT_EQ(client.states.back().detail.toStdString(), manual->errorText(WaveErrBadDeviceId));
    EXPECT_FALSE(session.captureOpen());

    manual->failures.open = WaveOk;
    manual->reportsProgress = true;
    std::int64_t now = 0;
    session.setClock([&] { return now; });
    session.measure(client);
    deliver(beamBuffer(false));
    session.checkDeviceAlive();
    now += 1999;
    session.checkDeviceAlive();
    EXPECT_EQ(client.phase(), SessionPhase::Waiting);
    now += 1;
    session.checkDeviceAlive();
    EXPECT_EQ(client.phase(), SessionPhase::NoDevice);
    EXPECT_FALSE(session.captureOpen());
    EXPECT_FALSE(manual->deviceOpen());
}

// "Messen" while the last capture drains opens again once it has closed;
// "Messen" on a recording capture starts the detection afresh on it.
TEST_F(Session, MessenRestartsWhileTheCaptureDrainsOrRecords) {
    Client client(1);
    measureBeams(client, 1);
    ASSERT_EQ(client.ended.size(), 1u);
    ASSERT_TRUE(session.captureOpen()); // its buffers are still queued
    session.measure(client);
    EXPECT_EQ(manual->calls().opens, 1);
    // Buffers for the closing capture only: one filled on the new capture
    // and not yet handed over would be the next run's ignored first.
    ASSERT_TRUE(processUntil([&] {
        if (manual->calls().opens < 2) manual->deliver(beamBuffer(false));
        return manual->calls().opens == 2;
    }));
    ASSERT_TRUE(session.captureOpen());

    Client first(3);
    Client other(3);
    session.measure(first);
    deliver(beamBuffer(false));
    deliver(beamBuffer(true));
    ASSERT_EQ(session.detector().EventCount, 1);
    session.measure(other);
    EXPECT_EQ(manual->calls().opens, 2);
    EXPECT_EQ(session.detector().EventCount, 0);
    // The first client's run was given up, and it is told.
    EXPECT_EQ(first.phase(), SessionPhase::Aborted);
    EXPECT_EQ(other.phase(), SessionPhase::Waiting);
    deliver(beamBuffer(true)); // the first buffer of the new run: ignored
    EXPECT_EQ(session.detector().Dark, 0);
}

// "Abbrechen" gives a run up, unless the client ends its runs so; another
// client's "Abbrechen" is not heard.
TEST_F(Session, AbbrechenGivesUpOrEndsAsTheClientSays) {
    Client stranger;
    Client client(5);
    measureBeams(client, 2);
    session.abort(stranger);
    EXPECT_TRUE(session.measuring(client));
    session.abort(client);
    EXPECT_EQ(client.phase(), SessionPhase::Aborted);
    EXPECT_TRUE(client.ended.empty());
    drain();

    Client untilAbort(5, true);
    measureBeams(untilAbort, 2);
    session.abort(untilAbort);
    ASSERT_EQ(untilAbort.ended.size(), 1u);
    EXPECT_TRUE(untilAbort.ended[0].complete);
    EXPECT_EQ(untilAbort.ended[0].pairs(), 2u);
    EXPECT_EQ(untilAbort.phase(), SessionPhase::Ended);
}

// The settings dialog's signal view listens through the session's one
// capture: never while a run has it, never as a run, and a run started
// meanwhile measures on the open capture, watched as any run is.
TEST_F(Session, ListeningHearsTheSourceUntilARunTakesTheCaptureOver) {
    std::vector<std::size_t> heard;
    const auto listener = [&](const std::int16_t*, std::size_t count) { heard.push_back(count); };
    QString error;
    manual->reportsProgress = true;
    ASSERT_TRUE(session.listen(listener, error)) << error.toStdString();
    EXPECT_TRUE(session.listening());
    EXPECT_FALSE(session.captureOpen()) << "listening is no run";
    deliver(beamBuffer(false));
    deliver(beamBuffer(true));
    EXPECT_EQ(heard, (std::vector<std::size_t>{SamplesPerBuffer, SamplesPerBuffer}));
    EXPECT_EQ(session.detector().EventCount, 0) << "the detection heard the view's buffers";

    Client client;
    std::int64_t now = 0;
    session.setClock([&] { return now; });
    session.measure(client);
    EXPECT_FALSE(session.listening());
    EXPECT_TRUE(session.captureOpen());
    EXPECT_EQ(manual->calls().opens, 1); // no second capture of the source
    deliver(beamBuffer(false));
    deliver(beamBuffer(true));
    EXPECT_EQ(heard.size(), 2u);
    EXPECT_EQ(session.detector().EventCount, 1);
    session.checkDeviceAlive();
    now += DeviceWatchdog::SilenceLimitMs + 1;
    EXPECT_TRUE(processUntil([&] { return client.phase() == SessionPhase::NoDevice; }));

    // While a run has the card the view waits; a source that cannot open
    // is said; stopped, the view's capture closes at once.
    session.measure(client);
    ASSERT_TRUE(session.captureOpen());
    EXPECT_FALSE(session.listen(listener, error));
    EXPECT_TRUE(error.isEmpty());
    session.abort(client);
    drain();
    manual->failures.open = WaveErrBadDeviceId;
    EXPECT_FALSE(session.listen(listener, error));
    EXPECT_EQ(error.toStdString(), manual->errorText(WaveErrBadDeviceId));
    manual->failures.open = WaveOk;
    ASSERT_TRUE(session.listen(listener, error));
    session.stopListening();
    EXPECT_FALSE(session.listening());
    EXPECT_FALSE(manual->deviceOpen());
}

// A source without names of its own (a real sound card) is named by the
// mixer: its card and the input line chosen.
TEST(SessionSource, ACardWithoutNamesIsNamedByTheMixer) {
    MeasurementStore store;
    store.InputLine = 1;
    TAudioMixer mixer(
        nullptr, std::make_shared<SimulatedMixerApi>(SimulatedMixerApi::demonstrationDevices()));
    mixer.setMixerId(0);
    class Nameless : public ManualBackend {
        std::string sourceName() const override { return {}; }
    };
    MeasurementSession session(store, std::make_shared<Nameless>(), &mixer);
    const auto [card, line] = session.sourceParts();
    EXPECT_EQ(card, mixer.ProductName());
    EXPECT_EQ(line, mixer.RecordingLineName(1));
    EXPECT_FALSE(card.isEmpty());
    EXPECT_FALSE(line.isEmpty());
    EXPECT_EQ(session.sourceText(), card + ": " + line);

    MeasurementSession withoutMixer(store, std::make_shared<Nameless>());
    EXPECT_EQ(withoutMixer.sourceText(), "(kein Mischpult gefunden): (kein Eingang gewählt)");
}
