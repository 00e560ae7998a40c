// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/AudioIO.h"
#include "acquisition/captureinuse.h"
#include "acquisition/devicewatchdog.h"
#include "acquisition/lightbarrierdetector.h"
#include "acquisition/sessionstate.h"

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QTimer;

namespace kelmot {

class TAudioMixer;

// A run as it stands or ended: its events' dark and bright times in order.
// A beam still dark has a dark time and no bright one.
struct EndedRun {
    std::vector<double> darkTimes;
    std::vector<double> brightTimes;
    bool complete = false;
    // The events whose beam has gone dark and bright again.
    std::size_t pairs() const { return std::min(darkTimes.size(), brightTimes.size()); }
};

// An experiment measuring on the session: it says how many events make its
// run and hears of each edge, of where the run stands and of its end.
class SessionClient {
public:
    virtual ~SessionClient() = default;
    // Read at each "Messen": the run measured from then on.
    virtual RunLength runLength() const = 0;
    // The list the track's committed series are named in; nothing elsewhere.
    virtual SeriesSelector& seriesSelector();
    virtual void edgeFound(EdgeKind kind, int event, double time) {
        (void)kind;
        (void)event;
        (void)time;
    }
    // Every change, and every buffer while a run is open.
    virtual void stateChanged(const SessionState& state) { (void)state; }
    // A run of another length than the track's has ended. The experiment
    // keeps it (on disk before this returns) and says how it ended: Ended,
    // or Incomplete with its own sentence.
    virtual SessionState runEnded(const EndedRun& run) {
        return {run.complete ? SessionPhase::Ended : SessionPhase::Incomplete, {}};
    }
    // The track's run has just been committed to the store, before the
    // status says it ended.
    virtual void runCommitted() {}
    // What looks wrong about the run just ended, said beside it.
    virtual void showHint(const QString& hint) { (void)hint; }
    // "Abbrechen" with this much measured: true where that is how the run
    // ends (a pendulum measured until "Abbrechen"), false to give it up.
    virtual bool abortEndsRun(const EndedRun& soFar) const {
        (void)soFar;
        return false;
    }
    // After each buffer the detection has read.
    virtual void bufferAnalysed() {}
};

// One measurement at a time, for every window that measures: the one
// capture component over the sound source, the light-barrier detection, the
// device watchdog and the rule that a run with lost samples is given up.
// "Messen" starts a run for a client, restarting the detection on a capture
// that is still recording or opening it once the last one has closed;
// "Abbrechen" and the run's end stop it once its buffers are back. A client
// that measures while another one does takes the sound card over: the other
// is told its run was given up.
class MeasurementSession : public QObject, public CaptureInUse, private DetectionOutput {
    Q_OBJECT
public:
    using Clock = std::function<std::int64_t()>;

    // `mixer` names the card and its input where the source does not.
    MeasurementSession(MeasurementStore& store, std::shared_ptr<platform::WaveInBackend> source,
                       const TAudioMixer* mixer = nullptr, QObject* parent = nullptr);
    ~MeasurementSession() override;

    // "Messen" for `client`, from `source` (the session's own when null).
    void measure(SessionClient& client, std::shared_ptr<platform::WaveInBackend> source = nullptr);
    // "Abbrechen": only the client measuring is heard.
    void abort(SessionClient& client);
    // The client's window closed: its capture stops once drained.
    void release(SessionClient& client);
    // The client is going away: nothing more reaches it.
    void forget(SessionClient& client);

    const SessionState& state() const { return state_; }
    // A run of `client` is under way: the capture is open and the run open.
    bool measuring(const SessionClient& client) const;
    // CaptureInUse: whatever window measures; the settings dialog listens
    // to the session's own source through the same capture.
    bool captureOpen() const override;
    bool listen(SampleListener listener, QString& error) override;
    void stopListening() override;
    bool listening() const override { return listening_ && capture_->DeviceOpen(); }
    // The run's times so far.
    EndedRun runSoFar() const;

    // Where the samples come from: the card (or "Simulation") and its input
    // line (or the replayed file), from the source or else the mixer.
    std::pair<QString, QString> sourceParts() const;
    // As the journal keeps it: "card: input".
    QString sourceText() const;

    TAudioIn& capture() { return *capture_; }
    const TAudioIn& capture() const { return *capture_; }
    LightBarrierDetector& detector() { return detector_; }
    const LightBarrierDetector& detector() const { return detector_; }

    // Asked on a timer while a capture records; callable directly.
    void checkDeviceAlive();
    // The watchdog's clock in milliseconds (monotonic); tests set their own.
    void setClock(Clock clock) { clock_ = std::move(clock); }

private:
    // DetectionOutput
    void edgeFound(EdgeKind kind, int event, double time) override;
    void phaseChanged(SessionPhase phase) override;
    void stopCapture() override;
    SeriesSelector& seriesSelector() override;
    void runCommitted() override;
    void runEnded(int events, bool complete) override;
    void showHint(const QString& hint) override;

    bool bufferFilled(char* buffer, int size);
    void startCapture();
    void captureStopped();
    void finishRun(const EndedRun& run);
    void setState(SessionState state);
    void giveUp(SessionPhase why);

    MeasurementStore& store_;
    std::shared_ptr<platform::WaveInBackend> ownSource_;
    std::shared_ptr<platform::WaveInBackend> wantedSource_;
    const TAudioMixer* mixer_;
    TAudioIn* capture_ = nullptr;
    LightBarrierDetector detector_;
    SessionClient* client_ = nullptr;
    SessionState state_;
    std::uint64_t lostAtStart_ = 0;
    bool startWhenClosed_ = false;
    // The open capture is the signal view's, not a run's.
    bool listening_ = false;
    SampleListener listener_;
    QTimer* watchdogTimer_ = nullptr;
    DeviceWatchdog watchdog_;
    Clock clock_;
};

} // namespace kelmot
