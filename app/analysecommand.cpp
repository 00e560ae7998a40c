// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysecommand.h"
#include "app/fallcommand.h"
#include "app/pendulumcommand.h"
#include "app/pulleycommand.h"

#include "acquisition/lightbarrierdetector.h"
#include "acquisition/offlineanalysis.h"
#include "journal/runjournal.h"
#include "platform/wavstream.h"
#include "store/configfile.h"
#include "store/datafile.h"
#include "store/fileio.h"
#include "store/programsettings.h"
#include "store/version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kelmot {

namespace {

void say(std::FILE* err, const QString& text) {
    std::fputs(("kelmot: " + text + "\n").toLocal8Bit().constData(), err);
}

// Each run found is kept in the journal as a measured one is, all of them
// in one transaction once the recording is read (a sync to disk per run
// would be most of the analysis' time); a journal that fails is said and
// changes nothing else.
class AnalysedRuns {
public:
    AnalysedRuns(const QString& recording, std::int32_t threshold, std::FILE* err)
        : journal_(journalFolder(), QString::fromLatin1(ProgramVersion)),
          name_(QFileInfo(recording).completeBaseName()),
          source_(QCoreApplication::translate("AnalyseCommand", "Auswertung: %1")
                      .arg(QFileInfo(recording).fileName())),
          threshold_(threshold), err_(err) {
        journal_.open();
    }
    ~AnalysedRuns() { journal_.endSession(); }

    void add(int number, const double (&times)[2][TimeSlots]) {
        RunRecord run;
        std::copy_n(times[0], BarrierCount, run.darkTimes);
        std::copy_n(times[1], BarrierCount, run.brightTimes);
        run.endedUtc = QDateTime::currentDateTimeUtc();
        run.startedUtc = run.endedUtc;
        run.utcOffsetSeconds = QDateTime::currentDateTime().offsetFromUtc();
        run.number = number;
        run.name = QStringLiteral("%1-%2").arg(name_).arg(number);
        run.kind = QString::fromLatin1(KindVt); // dark and bright times, as the data file has
        run.resolution = 1;
        run.threshold = threshold_;
        run.source = source_;
        found_.push_back(std::move(run));
    }

    void keep() {
        if (found_.empty()) return;
        if (const auto failure = journal_.keepRuns(found_, {})) say(err_, *failure);
    }

private:
    RunJournal journal_;
    QString name_;
    QString source_;
    std::int32_t threshold_;
    std::FILE* err_;
    std::vector<RunRecord> found_;
};

// The threshold given, or as at start the one in kelmot.cfg in the current
// folder, if there is one; nothing when that file cannot be read (said).
std::optional<std::int32_t> analysisThreshold(const StartOptions& options, std::FILE* err) {
    if (options.threshold) return *options.threshold;
    MeasurementStore settings;
    if (const auto error = readConfigFile(ConfigFileName, settings)) {
        say(err, ConfigFileName + ": " + *error);
        return std::nullopt;
    }
    return settings.Threshold;
}

// What the analysis of the track's runs ends with: a recording not read to
// its end, runs that look like a steady voltage, or none found, each said.
int trackRunsOutcome(const RecordingAnalysis& result, const StartOptions& options,
                     std::int32_t threshold, std::FILE* err) {
    if (!result.error.empty()) {
        say(err,
            QCoreApplication::translate("AnalyseCommand", "\"%1\" lässt sich nicht ganz lesen: %2")
                .arg(options.analyseFile, QString::fromStdString(result.error)));
        return 2;
    }
    // The runs stand as found; what looks wrong is said beside them.
    if (result.steadyVoltageRuns > 0) say(err, steadyVoltageAdvice());
    if (result.runs == 0) {
        say(err, QCoreApplication::translate(
                     "AnalyseCommand",
                     "keine vollständige Messung in \"%1\" (%2 Flanken erkannt, Schwelle %3).")
                     .arg(options.analyseFile, QString::number(result.edges),
                          QString::number(threshold)));
        return 1;
    }
    return 0;
}

// The track's runs in the recording, each kept and written as a data file:
// to `out` one after another, or into the output folder one file each.
int printTrackRuns(platform::WavStream& stream, std::int32_t threshold, SignalKind signal,
                   const StartOptions& options, std::FILE* out, std::FILE* err) {
    const QString name = QFileInfo(options.analyseFile).completeBaseName();
    QString writeError;
    AnalysedRuns kept(options.analyseFile, threshold, err);
    const RecordingAnalysis result = analyseRecording(
        stream, threshold,
        [&](int run, const double(&times)[2][TimeSlots]) {
            kept.add(run, times);
            const QByteArray block = dataFileText(1, times);
            if (options.outputFolder.isEmpty()) {
                if (run > 1) std::fputs("\r\n", out);
                std::fwrite(block.constData(), 1, std::size_t(block.size()), out);
                return;
            }
            const QString path =
                QDir(options.outputFolder).filePath(QStringLiteral("%1-%2.kmd").arg(name).arg(run));
            if (const auto failed = saveFileAtomically(path, block); failed && writeError.isEmpty())
                writeError = *failed;
        },
        signal);
    kept.keep();
    std::fflush(out);
    if (!writeError.isEmpty()) {
        say(err, writeError);
        return 2;
    }
    return trackRunsOutcome(result, options, threshold, err);
}

} // namespace

int runAnalysis(const StartOptions& options, std::FILE* out, std::FILE* err) {
    const std::optional<std::int32_t> threshold = analysisThreshold(options, err);
    if (!threshold) return 2;

    std::string error;
    auto stream = platform::WavStream::open(QFile::encodeName(options.analyseFile).toStdString(),
                                            LightBarrierDetector::SampleRate, error);
    if (!stream) {
        say(err, QString::fromStdString(error));
        return 2;
    }
    if (!options.outputFolder.isEmpty() && !QDir().mkpath(options.outputFolder)) {
        say(err, QCoreApplication::translate("AnalyseCommand",
                                             "Der Ordner \"%1\" lässt sich nicht anlegen.")
                     .arg(options.outputFolder));
        return 2;
    }

    const SignalKind signal = options.signal.value_or(rememberedSignalKind());
    if (options.fall) return printFallDrops(*stream, *threshold, signal, options, out, err);
    if (options.pendulum)
        return printPendulumSwings(*stream, *threshold, signal, options, out, err);
    if (options.pulley) return printPulleyTurns(*stream, *threshold, signal, options, out, err);
    return printTrackRuns(*stream, *threshold, signal, options, out, err);
}

} // namespace kelmot
