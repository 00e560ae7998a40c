// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/pendulumanalysis.h"

#include "acquisition/offlineanalysis.h"
#include "platform/wavstream.h"

#include <QCoreApplication>

namespace kelmot {

QString beamBlockedText() {
    return QCoreApplication::translate(
        "Pendulum",
        "Der Pendelkörper gibt den Strahl nicht mehr frei: Er schwingt zu wenig weit für seine "
        "Breite. Weiter auslenken oder die Lichtschranke genau unter den Aufhängepunkt stellen.");
}

PendulumAnalysis analysePendulumRecording(platform::WavStream& stream, std::int32_t threshold,
                                          SignalKind kind, const PendulumSetup& setup,
                                          const SwingFound& onSwing) {
    RecordingDetection detection(threshold, kind, pendulumRunLength(setup));
    LightBarrierDetector& detector = detection.detector;
    CountingOutput& collector = detection.collector;

    PendulumAnalysis result;
    result.error = feedRecording(stream, [&](const char* buffer, int size) {
        detector.analyse(buffer, size);
        if (collector.ended == CountingOutput::Running) return;
        Swing swing;
        swing.complete = collector.ended == CountingOutput::Complete;
        swing.darkTimes = detector.DarkTimes;
        swing.brightTimes = detector.BrightTimes;
        // A passage still dark at the end is the bob resting in the beam.
        swing.beamBlocked = swing.darkTimes.size() > swing.brightTimes.size();
        swing.darkTimes.resize(std::size_t(swing.passages()));
        if (swing.passages() > 0 || swing.beamBlocked) onSwing(++result.swings, swing);
        collector.ended = CountingOutput::Running;
        detector.reset();
    });
    result.edges = collector.edges;
    return result;
}

} // namespace kelmot
