// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysecommand.h"

#include "acquisition/lightbarrierdetector.h"
#include "acquisition/offlineanalysis.h"
#include "platform/wavstream.h"
#include "store/configfile.h"
#include "store/datafile.h"
#include "store/fileio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kelmot {

namespace {

void say(std::FILE* err, const QString& text) {
    std::fputs(("kelmot: " + text + "\n").toLocal8Bit().constData(), err);
}

} // namespace

int runAnalysis(const StartOptions& options, std::FILE* out, std::FILE* err) {
    std::int32_t threshold = 5000;
    if (options.threshold) {
        threshold = *options.threshold;
    } else {
        // As at start: from kelmot.cfg in the current folder, if there is one.
        MeasurementStore settings;
        if (const auto error = readConfigFile(ConfigFileName, settings)) {
            say(err, ConfigFileName + ": " + *error);
            return 2;
        }
        threshold = settings.Threshold;
    }

    std::string error;
    auto stream = platform::WavStream::open(QFile::encodeName(options.analyseFile).toStdString(),
                                            LightBarrierDetector::SampleRate, error);
    if (!stream) {
        say(err, QString::fromStdString(error));
        return 2;
    }
    const QString name = QFileInfo(options.analyseFile).completeBaseName();
    if (!options.outputFolder.isEmpty() && !QDir().mkpath(options.outputFolder)) {
        say(err, QCoreApplication::translate("AnalyseCommand",
                                             "Der Ordner \"%1\" lässt sich nicht anlegen.")
                     .arg(options.outputFolder));
        return 2;
    }

    QString writeError;
    const RecordingAnalysis result =
        analyseRecording(*stream, threshold, [&](int run, const double(&times)[2][TimeSlots]) {
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
        });
    std::fflush(out);
    if (!writeError.isEmpty()) {
        say(err, writeError);
        return 2;
    }
    if (!result.error.empty()) {
        say(err,
            QCoreApplication::translate("AnalyseCommand", "\"%1\" lässt sich nicht ganz lesen: %2")
                .arg(options.analyseFile, QString::fromStdString(result.error)));
        return 2;
    }
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

} // namespace kelmot
