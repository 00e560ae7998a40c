// SPDX-License-Identifier: GPL-3.0-or-later
// Drives a simulated run through the program's windows, as a teacher would
// ("Messen s-t", then "Messen"), and saves the measurement window at the end.
//   kelmot_screens <png file> [<png of the diagrams> [<png of the settings dialog>
//                  [<folder for the four evaluation views>]]]
#include "acquisition/tabellemess_u.h"
#include "app/kelmot_u.h"
#include "app/language.h"
#include "app/program.h"
#include "classroom/classroomservice.h"
#include "classroom/classroomwindow.h"
#include "diagrams/stdiagramm_u.h"
#include "diagrams/vtdiagramm_u.h"
#include "evaluation/seriesofrunswindow.h"
#include "evaluation/tabelle_u.h"
#include "experiments/fallwindow.h"
#include "experiments/pendulumwindow.h"
#include "experiments/pulleywindow.h"
#include "journal/allrunswindow.h"
#include "journal/runjournal.h"
#include "settings/config_u.h"
#include "store/measurementstore.h"

#include "tests/tempdatahome.h"
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <cstdio>
#include <tuple>
#include <utility>

namespace {

// Lets the windows draw and the virtual track run for a while: a picture of
// the screen needs nothing more exact.
void letRun(int milliseconds) {
    QDeadlineTimer until(milliseconds);
    while (!until.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool saveScreen(const QString& file) {
    return QApplication::primaryScreen()->grabWindow(0).save(file);
}

// "Messen s-t", then "Messen", until the run is stored.
void measureARun() {
    kelmot::Form1->Messenst1Click();
    kelmot::Form2->B_mess->click();
    QDeadlineTimer deadline(20000);
    while (!kelmot::Store.DataPresent && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    letRun(500);
}

// The four views of the evaluation, each as the whole screen shows it, and
// "Diagramm v-t" with the fitted curves switched on in both diagrams.
bool saveEvaluationViews(const QDir& folder) {
    const std::pair<const char*, void (kelmot::TForm1::*)()> views[] = {
        {"auswerten-st.png", &kelmot::TForm1::Auswertenst1Click},
        {"auswerten-vt.png", &kelmot::TForm1::Auswertenvt1Click},
        {"diagramm-st.png", &kelmot::TForm1::Diagrammst1Click},
        {"diagramm-vt.png", &kelmot::TForm1::Diagrammvt1Click}};
    bool saved = true;
    for (const auto& [file, command] : views) {
        (kelmot::Form1->*command)();
        letRun(1000);
        saved = saved && saveScreen(folder.filePath(QString::fromLatin1(file)));
    }
    kelmot::Form3->Ausgleichskurve1->setChecked(true);
    kelmot::Form4->Ausgleichskurve1->setChecked(true);
    letRun(1000);
    return saved && saveScreen(folder.filePath(QStringLiteral("ausgleichskurve.png")));
}

// The classroom view: its window, and its page as a projector's and a
// phone's browser show it (headless Chromium).
bool saveClassroomView(const QDir& folder) {
    kelmot::Form1->Klassenansicht1Click();
    letRun(1000);
    bool saved = kelmot::classroomWindow()->grab().save(
        folder.filePath(QStringLiteral("klassenansicht.png")));
    const QString page = QStringLiteral("http://127.0.0.1:%1/?code=%2")
                             .arg(kelmot::Classroom->port())
                             .arg(kelmot::Classroom->code());
    const QString script = QStringLiteral(KELMOT_SOURCE_DIR "/scripts/screens/page_screenshot.py");
    const std::tuple<const char*, int, int> pages[] = {{"klassenseite.png", 1600, 1000},
                                                       {"klassenseite-telefon.png", 360, 740}};
    for (const auto& [file, width, height] : pages)
        saved =
            saved && QProcess::execute(QStringLiteral("/usr/bin/python3"),
                                       {script, page, folder.filePath(QString::fromLatin1(file)),
                                        QString::number(width), QString::number(height)}) == 0;
    kelmot::classroomWindow()->B_beendenClick();
    return saved;
}

// Three runs side by side ("three lists") and "Messreihe auswerten".
bool saveSeriesOfRuns(const QDir& folder) {
    kelmot::Form8->RB_drei->setChecked(true);
    for (int run = 0; run < 3; ++run) {
        const int number = kelmot::Store.MeasurementNumber;
        kelmot::Form1->Messenvt1Click();
        kelmot::Form2->B_mess->click();
        QDeadlineTimer measured(30000);
        while (kelmot::Store.MeasurementNumber == number && !measured.hasExpired())
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        QDeadlineTimer drained(3000);
        while (kelmot::Form2->AudioIn->DeviceOpen() && !drained.hasExpired())
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    kelmot::Form1->Messreiheauswerten1Click();
    letRun(1000);
    return kelmot::seriesOfRunsWindow()->grab().save(
        folder.filePath(QStringLiteral("messreihe.png")));
}

// "Alle Messungen" after the runs so far, one of them renamed by a group.
bool saveAllRuns(const QDir& folder) {
    const auto runs = kelmot::Journal->runs();
    if (runs.size() > 1) kelmot::Journal->rename(runs[1].id, QStringLiteral("Gruppe 3, 50 g"));
    kelmot::Form1->Allemessungen1Click();
    letRun(500);
    const bool saved =
        kelmot::allRunsWindow()->grab().save(folder.filePath(QStringLiteral("alle-messungen.png")));
    kelmot::allRunsWindow()->hide();
    return saved;
}

// "Messen freier Fall": three drops of the virtual fence, the window with
// the last one's table, result and diagrams.
bool saveFall(const QDir& folder) {
    kelmot::Form1->Messenfall1Click();
    for (int drop = 1; drop <= 3; ++drop) {
        kelmot::fallWindow()->B_mess->click();
        QDeadlineTimer dropped(30000);
        while (kelmot::fallWindow()->drops().size() < std::size_t(drop) && !dropped.hasExpired())
            QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    letRun(500);
    const bool saved =
        kelmot::fallWindow()->drops().size() == 3 &&
        kelmot::fallWindow()->grab().save(folder.filePath(QStringLiteral("freier-fall.png")));
    kelmot::fallWindow()->B_abbruchClick();
    kelmot::fallWindow()->hide();
    return saved;
}

// "Messen Pendel": ten periods of the virtual pendulum (0,5 m, 10°), the
// window with its table, result and both diagrams.
bool savePendulum(const QDir& folder) {
    kelmot::Form1->Messenpendel1Click();
    kelmot::pendulumWindow()->B_mess->click();
    QDeadlineTimer swung(60000);
    while (kelmot::pendulumWindow()->swings().empty() && !swung.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    letRun(500);
    const bool saved =
        !kelmot::pendulumWindow()->swings().empty() &&
        kelmot::pendulumWindow()->grab().save(folder.filePath(QStringLiteral("pendel.png")));
    kelmot::pendulumWindow()->hide();
    return saved;
}

// "Messen Rad": two turns of the virtual pulley under 60 g and 50 g, the
// window with its table, result and both diagrams.
bool savePulley(const QDir& folder) {
    kelmot::Form1->Messenrad1Click();
    kelmot::pulleyWindow()->SB_masse1->setValue(60);
    kelmot::pulleyWindow()->SB_masse2->setValue(50);
    kelmot::pulleyWindow()->B_mess->click();
    QDeadlineTimer turned(60000);
    while (kelmot::pulleyWindow()->turnsMeasured() == 0 && !turned.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    letRun(500);
    const bool saved =
        kelmot::pulleyWindow()->turnsMeasured() > 0 &&
        kelmot::pulleyWindow()->grab().save(folder.filePath(QStringLiteral("rad.png")));
    kelmot::pulleyWindow()->hide();
    return saved;
}

// The settings dialog listening to the virtual track for a while.
bool saveSettings(const QString& file) {
    kelmot::Form8->show();
    letRun(6000);
    const bool saved = kelmot::Form8->grab().save(file);
    kelmot::Form8->hide();
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    const TemporaryDataHome dataHome; // never the journal of a real home
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kelmot_screens <png file>\n");
        return 2;
    }
    // In the desktop's language, as the program shows itself.
    kelmot::installTranslation(kelmot::chooseLanguage({}, QLocale::system().uiLanguages()));
    kelmot::StartOptions options;
    options.capture = kelmot::StartOptions::Capture::Simulation;
    options.mixer = kelmot::StartOptions::Mixer::Simulated;
    kelmot::createWindows(options);
    // As the program starts: as large as the screen, also without a window manager.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        kelmot::Form1->setGeometry(screen->availableGeometry());
    kelmot::Form1->showMaximized();
    QApplication::processEvents();
    measureARun();
    bool saved = kelmot::Form2->grab().save(QString::fromLocal8Bit(argv[1]));
    if (argc > 2 && kelmot::Store.DataPresent) {
        // "Diagramm v-t" with "v ~ t" chosen: table, s-t and v-t diagram.
        kelmot::Form1->Diagrammvt1Click();
        kelmot::Form6->RB_l->setChecked(true);
        letRun(1000);
        saved = saved && saveScreen(QString::fromLocal8Bit(argv[2]));
    }
    if (argc > 4 && kelmot::Store.DataPresent) {
        const QDir folder(QString::fromLocal8Bit(argv[4]));
        saved = saveEvaluationViews(folder) && saved;
        saved = saveClassroomView(folder) && saved;
        saved = saveSeriesOfRuns(folder) && saved;
        saved = saveAllRuns(folder) && saved;
        saved = saveFall(folder) && saved;
        saved = savePendulum(folder) && saved;
        saved = savePulley(folder) && saved;
    }
    if (argc > 3) saved = saveSettings(QString::fromLocal8Bit(argv[3])) && saved;
    if (!kelmot::Store.DataPresent)
        std::fprintf(stderr, "kelmot_screens: status '%s', %d buffers, %s\n",
                     qPrintable(kelmot::Form2->L_status->text()),
                     kelmot::Form2->AudioIn->BuffersReturned(),
                     qPrintable(kelmot::Form2->AudioIn->ErrorText()));
    kelmot::destroyWindows();
    if (!saved || !kelmot::Store.DataPresent) {
        std::fprintf(stderr, "kelmot_screens: run did not end or picture not saved\n");
        return 1;
    }
    return 0;
}
