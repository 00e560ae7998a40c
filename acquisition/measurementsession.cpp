// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/measurementsession.h"

#include "acquisition/AMixer.h"
#include "acquisition/capturesetup.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>

namespace kelmot {

namespace {

SeriesSelector& noSeries() {
    static NullSeriesSelector none;
    return none;
}

} // namespace

SeriesSelector& SessionClient::seriesSelector() {
    return noSeries();
}

MeasurementSession::MeasurementSession(MeasurementStore& store,
                                       std::shared_ptr<platform::WaveInBackend> source,
                                       const TAudioMixer* mixer, QObject* parent)
    : QObject(parent), store_(store), ownSource_(source), wantedSource_(source), mixer_(mixer),
      detector_(store, *this) {
    capture_ = new TAudioIn(this, std::move(source));
    capture_->setObjectName("AudioIn");
    configureCapture(*capture_);
    capture_->OnBufferFilled = [this](char* buffer, int& size) {
        return bufferFilled(buffer, size);
    };
    capture_->OnStop = [this](QObject*) { captureStopped(); };

    clock_ = [] {
        return std::int64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now().time_since_epoch())
                                .count());
    };
    watchdogTimer_ = new QTimer(this);
    watchdogTimer_->setInterval(250);
    connect(watchdogTimer_, &QTimer::timeout, this, &MeasurementSession::checkDeviceAlive);
}

MeasurementSession::~MeasurementSession() {
    // The capture goes first: no buffer may reach a half-destroyed session.
    client_ = nullptr;
    delete capture_;
    capture_ = nullptr;
}

void MeasurementSession::measure(SessionClient& client,
                                 std::shared_ptr<platform::WaveInBackend> source) {
    // A run takes the card from the settings dialog's signal view.
    const bool tookOverListening = listening();
    listening_ = false;
    listener_ = nullptr;
    // One sound card, one run: a run of another window is given up, and
    // that window says so.
    SessionClient* previous = client_;
    if (previous && previous != &client && measuring(*previous))
        previous->stateChanged({SessionPhase::Aborted, {}});
    client_ = &client;
    wantedSource_ = source ? std::move(source) : ownSource_;
    detector_.setRunLength(client.runLength());
    detector_.reset();
    // Frames lost from here on spoil the run.
    lostAtStart_ = capture_->LostFrames();
    setState({SessionPhase::Waiting, {}});
    const bool sameSource = &capture_->Backend() == wantedSource_.get();
    if (capture_->DeviceOpen() && capture_->KeepRunning() && sameSource) {
        // Still recording: the detection starts afresh on the running
        // capture, and the next buffer is the first of the new run.
        if (tookOverListening) {
            watchdog_.start(clock_());
            watchdogTimer_->start();
        }
        return;
    }
    if (capture_->DeviceOpen()) {
        // The last run's capture is still handing back its buffers (at most
        // 0.8 s), or records from another source: the new one starts as
        // soon as it has closed.
        capture_->StopWhenDrained();
        startWhenClosed_ = true;
        return;
    }
    startCapture();
}

void MeasurementSession::startCapture() {
    capture_->setBackend(wantedSource_);
    // What a closing capture dropped while draining is not this run's loss.
    lostAtStart_ = capture_->LostFrames();
    if (!capture_->Start(&capture_)) {
        setState({SessionPhase::CannotOpen, capture_->ErrorText()});
        return;
    }
    watchdog_.start(clock_());
    watchdogTimer_->start();
}

void MeasurementSession::captureStopped() {
    if (!startWhenClosed_) return;
    startWhenClosed_ = false;
    startCapture();
}

void MeasurementSession::abort(SessionClient& client) {
    if (client_ != &client) return;
    const bool wasMeasuring = measuring(client);
    EndedRun soFar = runSoFar();
    startWhenClosed_ = false;
    detector_.abort();
    capture_->StopWhenDrained();
    if (wasMeasuring && client.abortEndsRun(soFar)) {
        soFar.complete = true;
        finishRun(soFar);
        return;
    }
    setState({SessionPhase::Aborted, {}});
}

void MeasurementSession::release(SessionClient& client) {
    if (client_ != &client) return;
    startWhenClosed_ = false;
    capture_->StopWhenDrained();
}

void MeasurementSession::forget(SessionClient& client) {
    if (client_ != &client) return;
    release(client);
    detector_.abort();
    client_ = nullptr;
}

bool MeasurementSession::measuring(const SessionClient& client) const {
    return client_ == &client && capture_->DeviceOpen() && !detector_.ended();
}

bool MeasurementSession::captureOpen() const {
    return capture_->DeviceOpen() && !listening_;
}

bool MeasurementSession::listen(SampleListener listener, QString& error) {
    if (listening()) {
        listener_ = std::move(listener);
        return true;
    }
    // A listening capture the source has closed is no longer listened to.
    listening_ = false;
    if (capture_->DeviceOpen()) return false;
    capture_->setBackend(ownSource_);
    if (!capture_->Start(&capture_)) {
        error = capture_->ErrorText();
        return false;
    }
    listening_ = true;
    listener_ = std::move(listener);
    return true;
}

void MeasurementSession::stopListening() {
    if (!listening_) return;
    listening_ = false;
    listener_ = nullptr;
    capture_->StopNow();
}

EndedRun MeasurementSession::runSoFar() const {
    EndedRun run;
    run.darkTimes = detector_.DarkTimes;
    run.brightTimes = detector_.BrightTimes;
    return run;
}

void MeasurementSession::checkDeviceAlive() {
    if (!capture_->DeviceOpen() || !capture_->KeepRunning()) {
        watchdogTimer_->stop();
        return;
    }
    const auto bytes = capture_->BytesReceived();
    if (!bytes) return; // a device fed by hand says nothing about its progress
    if (!watchdog_.silentTooLong(*bytes, clock_())) return;
    watchdogTimer_->stop();
    startWhenClosed_ = false;
    detector_.abort();
    capture_->StopNow();
    setState({SessionPhase::NoDevice, {}});
}

bool MeasurementSession::bufferFilled(char* buffer, int size) {
    if (listening_) {
        if (listener_)
            listener_(reinterpret_cast<const std::int16_t*>(buffer), std::size_t(size) / 2);
        return true;
    }
    // A gap in the samples would make every later time early by its length:
    // such a run is given up, and the user is told to measure again. The gap
    // lies after the buffers already filled, so a run that would end in them
    // is given up too; better once more than a wrong table.
    if (!detector_.ended() && capture_->LostFrames() > lostAtStart_) {
        giveUp(SessionPhase::DataLost);
        return true;
    }
    // After the end or "Abbrechen" the drained buffers change nothing.
    if (!detector_.ended()) detector_.analyse(buffer, size);
    if (client_) client_->bufferAnalysed();
    return true;
}

void MeasurementSession::giveUp(SessionPhase why) {
    detector_.abort();
    capture_->StopWhenDrained();
    setState({why, {}});
}

void MeasurementSession::setState(SessionState state) {
    state_ = std::move(state);
    if (client_) client_->stateChanged(state_);
}

std::pair<QString, QString> MeasurementSession::sourceParts() const {
    QString product = QString::fromStdString(capture_->Backend().sourceName());
    QString line = QString::fromStdString(capture_->Backend().inputName());
    if (product.isEmpty())
        product = mixer_ && mixer_->MixerId() >= 0 ? mixer_->ProductName()
                                                   : tr("(kein Mischpult gefunden)");
    if (line.isEmpty()) {
        line = mixer_ ? mixer_->RecordingLineName(store_.InputLine).left(64) : QString();
        if (line.isEmpty()) line = tr("(kein Eingang gewählt)");
    }
    return {product, line};
}

QString MeasurementSession::sourceText() const {
    const auto [product, line] = sourceParts();
    //: %1 the sound card (or "Simulation"), %2 its input line (or the replayed file)
    return tr("%1: %2").arg(product, line);
}

// ---- what the detection reports --------------------------------------------

void MeasurementSession::edgeFound(EdgeKind kind, int event, double time) {
    if (client_) client_->edgeFound(kind, event, time);
}

void MeasurementSession::phaseChanged(SessionPhase phase) {
    setState({phase, {}});
}

void MeasurementSession::stopCapture() {
    capture_->StopWhenDrained();
}

SeriesSelector& MeasurementSession::seriesSelector() {
    return client_ ? client_->seriesSelector() : noSeries();
}

void MeasurementSession::runCommitted() {
    if (client_) client_->runCommitted();
}

void MeasurementSession::runEnded(int, bool complete) {
    EndedRun run = runSoFar();
    run.complete = complete;
    finishRun(run);
}

void MeasurementSession::finishRun(const EndedRun& run) {
    // The client keeps the run before the status line says it ended.
    SessionState ended{run.complete ? SessionPhase::Ended : SessionPhase::Incomplete, {}};
    if (client_) ended = client_->runEnded(run);
    setState(ended);
}

void MeasurementSession::showHint(const QString& hint) {
    if (client_) client_->showHint(hint);
}

} // namespace kelmot
