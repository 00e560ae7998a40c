// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/runscommand.h"

#include "journal/runjournal.h"
#include "journal/runtables.h"
#include "store/datafile.h"
#include "store/fileio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <memory>
#include <variant>

namespace kelmot {

namespace {

void say(std::FILE* err, const QString& text) {
    std::fputs(("kelmot: " + text + "\n").toLocal8Bit().constData(), err);
}

// The journal opened to read, or the exit status: 1 when there is none
// yet, 2 when it cannot be read.
std::variant<std::unique_ptr<RunJournal>, int> openReader(std::FILE* err) {
    const QString folder = journalFolder();
    if (!QFileInfo::exists(QDir(folder).filePath(JournalFile::fileName()))) {
        say(err, QCoreApplication::translate("RunsCommand", "noch keine Messung aufbewahrt (%1).")
                     .arg(folder));
        return 1;
    }
    // Reading needs no session: a list does not start a lesson.
    auto reader = std::make_unique<RunJournal>(folder, QString());
    if (!reader->openForReading()) {
        say(err, reader->problem());
        return 2;
    }
    if (!reader->notice().isEmpty()) say(err, reader->notice());
    return reader;
}

} // namespace

int listRuns(const StartOptions& options, std::FILE* out, std::FILE* err) {
    auto opened = openReader(err);
    if (const int* status = std::get_if<int>(&opened)) return *status;
    const RunJournal& reader = *std::get<std::unique_ptr<RunJournal>>(opened);
    const QDateTime since =
        options.since.isValid() ? options.since.startOfDay().toUTC() : QDateTime();
    const std::vector<RunRecord> runs = reader.runs(since);
    if (!options.outputFolder.isEmpty() && !QDir().mkpath(options.outputFolder)) {
        say(err, QCoreApplication::translate("AnalyseCommand",
                                             "Der Ordner \"%1\" lässt sich nicht anlegen.")
                     .arg(options.outputFolder));
        return 2;
    }
    for (const RunRecord& run : runs) {
        if (options.outputFolder.isEmpty()) {
            const QByteArray line = runLine(run).toUtf8() + '\n';
            std::fwrite(line.constData(), 1, std::size_t(line.size()), out);
            continue;
        }
        const QString path =
            QDir(options.outputFolder).filePath(runFileName(run, QStringLiteral(".kmd")));
        if (const auto failed = saveFileAtomically(path, runDataFile(run))) {
            say(err, *failed);
            return 2;
        }
    }
    std::fflush(out);
    if (runs.empty()) {
        say(err, QCoreApplication::translate("RunsCommand", "keine Messung im Journal."));
        return 1;
    }
    return 0;
}

int backUpJournal(const StartOptions& options, std::FILE* out, std::FILE* err) {
    auto opened = openReader(err);
    if (const int* status = std::get_if<int>(&opened)) return *status;
    RunJournal& reader = *std::get<std::unique_ptr<RunJournal>>(opened);
    const std::size_t kept = reader.summaries().size();
    if (const auto failed = reader.backUp(options.backupFile)) {
        say(err, *failed);
        return 2;
    }
    const QString done =
        QCoreApplication::translate(
            "RunsCommand",
            "Das Messungsjournal ist als \"%1\" gesichert. Aufbewahrte Messungen: %2")
            .arg(QFileInfo(options.backupFile).absoluteFilePath())
            .arg(kept);
    std::fputs((done + u'\n').toLocal8Bit().constData(), out);
    return 0;
}

} // namespace kelmot
