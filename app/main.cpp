// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysecommand.h"
#include "app/classroomcommand.h"
#include "app/kelmot_u.h"
#include "app/language.h"
#include "app/program.h"
#include "app/runscommand.h"
#include "store/version.h"
#include "widgets/pictures.h"

#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QScreen>
#include <cstdio>

namespace {

// Help, version, bad options and the analysis of a recording need no
// display: they are answered before any window system is asked for.
std::optional<int> answerWithoutWindows(int argc, char** argv,
                                        std::optional<kelmot::StartOptions>& options) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kelmot"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kelmot::ProgramVersion));
    // Help and messages in the language the windows will have.
    const QString language = kelmot::chooseLanguage(
        kelmot::languageArgument(QCoreApplication::arguments()), QLocale::system().uiLanguages());
    kelmot::installTranslation(language);
    const kelmot::ParsedOptions parsed = kelmot::parseStartOptions(QCoreApplication::arguments());
    if (!parsed.options) {
        std::fputs(parsed.output.toLocal8Bit().constData(), parsed.exitCode ? stderr : stdout);
        return parsed.exitCode;
    }
    if (!parsed.options->analyseFile.isEmpty())
        return kelmot::runAnalysis(*parsed.options, stdout, stderr);
    if (parsed.options->listRuns) return kelmot::listRuns(*parsed.options, stdout, stderr);
    if (!parsed.options->backupFile.isEmpty())
        return kelmot::backUpJournal(*parsed.options, stdout, stderr);
    options = parsed.options;
    options->language = language; // decided: the windows install the same
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    std::optional<kelmot::StartOptions> options;
    if (const auto exitCode = answerWithoutWindows(argc, argv, options)) return *exitCode;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelmot"));
    QApplication::setApplicationVersion(QString::fromLatin1(kelmot::ProgramVersion));
    QApplication::setWindowIcon(kelmot::programIcon());
    kelmot::installTranslation(options->language);
    kelmot::createWindows(*options);
    kelmot::Form1->showOnScreen();
    if (!options->openFile.isEmpty())
        kelmot::Form1->openDataFile(QFileInfo(options->openFile).absoluteFilePath());
    if (options->classroom) kelmot::announceClassroomView(stdout, stderr);
    const int rc = QApplication::exec();
    kelmot::destroyWindows();
    return rc;
}
