// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kelmot_u.h"
#include "experiments/fallwindow.h"
#include "experiments/pendulumwindow.h"
#include "experiments/pulleywindow.h"

#include "acquisition/inputrouting.h"
#include "acquisition/tabellemess_u.h"
#include "app/info_u.h"
#include "app/keinedaten_u.h"
#include "app/program.h"
#include "classroom/classroomwindow.h"
#include "diagrams/stdiagramm_u.h"
#include "diagrams/vtdiagramm_u.h"
#include "drawing/rounding.h"
#include "evaluation/seriesofrunswindow.h"
#include "evaluation/tabelle_u.h"
#include "journal/allrunswindow.h"
#include "settings/config_u.h"
#include "store/configfile.h"
#include "store/measurementstore.h"
#include "widgets/helpwindow.h"
#include "widgets/jpegpicture.h"
#include "widgets/keyboard.h"
#include "widgets/pictures.h"
#include "widgets/screenfit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>

namespace kelmot {

namespace {

// A window made at its first opening: made now, or null without a maker.
template <typename Window> Window* opened(const std::function<Window*()>& maker) {
    return maker ? maker() : nullptr;
}

} // namespace

TForm1::TForm1(const StartOptions& options, std::shared_ptr<platform::MixerApi> mixerApi,
               MeasurementStore& store, const MainWindowLinks& windows)
    : options_(options), store_(store), windows_(windows) {
    setObjectName("Form1");
    setWindowTitle(tr("   Kelmot"));
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(11);
    setFont(f);
    setWindowIcon(programIcon());
    setToolTipDuration(-1);

    client_ = new QWidget(this);
    client_->setObjectName("ClientArea");
    setCentralWidget(client_);

    buildMenu();
    Mixer = new TAudioMixer(this, std::move(mixerApi));
    Mixer->setObjectName("Mixer");
    for (int i = 0; i < int(ImageList1.size()); ++i)
        ImageList1[static_cast<std::size_t>(i)] = toolImage(i);
    buildToolBar();

    Image1 = new QLabel(client_);
    Image1->setObjectName("Image1");
    Image1->setFixedSize(512, 315);
    Image1->setScaledContents(true);
    Image1->setAccessibleName(tr("Versuchsaufbau"));

    client_->setFixedSize(688, 600 - ToolBarHeight);
    adjustSize();
    client_->setMinimumSize(0, 0);
    client_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

TForm1::~TForm1() {
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::buildMenu() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName("MainMenu1");
    auto item = [this](QMenu* menu, QAction*& action, const char* name, const QString& caption,
                       void (TForm1::*handler)()) {
        action = menu ? menu->addAction(caption) : MainMenu1->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
    };
    QMenu* datei = MainMenu1->addMenu(tr("Datei"));
    item(datei, Speichernunter1, "Speichernunter1", tr("Speichern unter"),
         &TForm1::Speichernunter1Click);
    item(datei, Ladenst1, "Ladenst1", tr("Laden s-t"), &TForm1::Ladenst1Click);
    item(datei, Ladenvt1, "Ladenvt1", tr("Laden v-t"), &TForm1::Ladenvt1Click);
    item(datei, Allemessungen1, "Allemessungen1", tr("Alle Messungen"),
         &TForm1::Allemessungen1Click);
    item(datei, Ende1, "Ende1", tr("Ende"), &TForm1::Ende1Click);
    QMenu* messen = MainMenu1->addMenu(tr("Messen"));
    item(messen, Messenst1, "Messenst1", tr("Messen s-t"), &TForm1::Messenst1Click);
    item(messen, Messenvt1, "Messenvt1", tr("Messen v-t"), &TForm1::Messenvt1Click);
    item(messen, Messenfall1, "Messenfall1", tr("Messen freier Fall"), &TForm1::Messenfall1Click);
    item(messen, Messenpendel1, "Messenpendel1", tr("Messen Pendel"), &TForm1::Messenpendel1Click);
    item(messen, Messenrad1, "Messenrad1", tr("Messen Rad"), &TForm1::Messenrad1Click);
    QMenu* auswerten = MainMenu1->addMenu(tr("Auswerten"));
    item(auswerten, Auswertenst1, "Auswertenst1", tr("Auswerten s-t"), &TForm1::Auswertenst1Click);
    item(auswerten, Auswertenvt1, "Auswertenvt1", tr("Auswerten v-t"), &TForm1::Auswertenvt1Click);
    item(auswerten, Messreiheauswerten1, "Messreiheauswerten1", tr("Messreihe auswerten"),
         &TForm1::Messreiheauswerten1Click);
    QMenu* diagramm = MainMenu1->addMenu(tr("Diagramm"));
    item(diagramm, Diagrammst1, "Diagrammst1", tr("Diagramm s-t"), &TForm1::Diagrammst1Click);
    item(diagramm, Diagrammvt1, "Diagrammvt1", tr("Diagramm v-t"), &TForm1::Diagrammvt1Click);
    item(nullptr, Einstellungen1, "Einstellungen1", tr("Einstellungen"),
         &TForm1::Einstellungen1Click);
    item(nullptr, Klassenansicht1, "Klassenansicht1", tr("Klassenansicht"),
         &TForm1::Klassenansicht1Click);
    item(nullptr, Info1, "Info1", tr("Info"), &TForm1::Info1Click);
    // The keys a desktop user tries first, from any of the program's windows:
    // a run is saved from the measurement window it was just measured in.
    Ladenst1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Speichernunter1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Ende1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    for (QAction* action : {Ladenst1, Speichernunter1, Ende1})
        action->setShortcutContext(Qt::ApplicationShortcut);
    Hilfe1 = new QAction(this);
    Hilfe1->setObjectName("Hilfe1");
    Hilfe1->setShortcut(QKeySequence(Qt::Key_F1));
    Hilfe1->setShortcutContext(Qt::ApplicationShortcut);
    connect(Hilfe1, &QAction::triggered, this, &TForm1::Hilfe1Click);
    addAction(Hilfe1);
    // Alt and a letter opens each menu and chooses each item, in either language.
    markMnemonics(MainMenu1);
}

void TForm1::buildToolBar() {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setFixedHeight(ToolBarHeight);
    addToolBar(Qt::TopToolBarArea, ToolBar1);
    ToolBar1->setIconSize(QSize(36, 36));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);

    struct Button {
        const char* hint;
        int image;
        void (TForm1::*handler)();
        int separatorsAfter;
    };
    const Button buttons[] = {
        {QT_TR_NOOP("Datei laden"), 0, &TForm1::Ladenst1Click, 1},
        {QT_TR_NOOP("Datei speichern"), 1, &TForm1::Speichernunter1Click, 1},
        {QT_TR_NOOP("Alle Messungen"), 10, &TForm1::Allemessungen1Click, 2},
        {QT_TR_NOOP("s-t-Messung"), 2, &TForm1::Messenst1Click, 1},
        {QT_TR_NOOP("v-t-Messung"), 3, &TForm1::Messenvt1Click, 1},
        {QT_TR_NOOP("Freier Fall"), 11, &TForm1::Messenfall1Click, 1},
        {QT_TR_NOOP("Pendel"), 12, &TForm1::Messenpendel1Click, 1},
        {QT_TR_NOOP("Speichenrad"), 13, &TForm1::Messenrad1Click, 2},
        {QT_TR_NOOP("s-t Auswertung"), 4, &TForm1::Auswertenst1Click, 1},
        {QT_TR_NOOP("v-t Auswertung"), 5, &TForm1::Auswertenvt1Click, 2},
        {QT_TR_NOOP("s-t Auswertung / Diagramm"), 6, &TForm1::Diagrammst1Click, 1},
        {QT_TR_NOOP("v-t Auswertung / Diagramm"), 7, &TForm1::Diagrammvt1Click, 2},
        {QT_TR_NOOP("Einstellungen"), 8, &TForm1::Einstellungen1Click, 1},
        {QT_TR_NOOP("Klassenansicht"), 9, &TForm1::Klassenansicht1Click, 0},
    };
    std::size_t n = 0;
    for (const Button& b : buttons) {
        auto* button = new QToolButton(ToolBar1);
        button->setObjectName(QStringLiteral("ToolButton%1").arg(n + 1));
        const QString hint = tr(b.hint);
        button->setToolTip(hint);
        button->setAccessibleName(hint); // an image alone says nothing to a screen reader
        button->setIcon(QIcon(ImageList1[static_cast<std::size_t>(b.image)]));
        button->setIconSize(QSize(36, 36));
        button->setFixedSize(43, 42);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, b.handler);
        ToolBar1->addWidget(button);
        ToolButtons.at(n++) = button; // a button more than the array holds fails here, loudly
        for (int s = 0; s < b.separatorsAfter; ++s) {
            auto* gap = new QWidget(ToolBar1);
            gap->setObjectName(QStringLiteral("ToolButton%1").arg(n + 1));
            gap->setFixedSize(8, 42);
            ToolBar1->addWidget(gap);
            ToolButtons.at(n++) = gap;
        }
    }
}

void TForm1::showOnScreen() {
    setGeometry(availableArea(this));
    showMaximized();
    // A window manager maximises the frame into the area; where none does,
    // the frame is fitted in once its size is known.
    setGeometry(fittedGeometry(geometry(), this));
}

void TForm1::centrePicture() {
    // The position counts from the top of the tool bar, the picture's own
    // area begins below it.
    Image1->move(nearest((width() - Image1->width()) / 2.0),
                 nearest((height() - ClientTop - Image1->height()) / 2.0) - ToolBarHeight);
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Centred in the window as it is shown: maximised, and after every resize.
    centrePicture();
}

void TForm1::FormCreate() {
    centrePicture();
    const QImage photo = loadJpegPicture(photographPath());
    if (!photo.isNull()) Image1->setPixmap(QPixmap::fromImage(photo));
    Image1->update();

    snapshotMixer();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TForm1::restoreMixer);
    const auto configError = readConfigFile(ConfigFileName, store_);
    if (configError)
        reportError(this, *configError);
    else
        routeInputLine();
    // Also after a malformed configuration: without it the grids would lay
    // out zero columns.
    store_.initialise();
}

void TForm1::snapshotMixer() {
    const int devices = std::min(Mixer->DeviceCount(), MaxSavedDevices);
    for (int d = 0; d < devices; ++d) {
        Mixer->setMixerId(d);
        const TMixerDestination* rec = Mixer->Destinations()[RecordingDestination];
        if (!rec) continue;
        const int lines = std::min(rec->Connections->Count(), MaxSavedLines);
        for (int i = 0; i < lines; ++i) {
            TLineState s;
            Mixer->ReadLineState(RecordingDestination, i, s);
            SavedMixerSettings[d][i] = {s.Left, s.Right, s.SelectOrMute, true};
        }
    }
}

void TForm1::routeInputLine() {
    // The configured device is the one to route, not whichever the
    // snapshot happened to leave open.
    if (store_.MixerDevice >= 0 && store_.MixerDevice < Mixer->DeviceCount())
        Mixer->setMixerId(store_.MixerDevice);
    const TMixerDestination* rec = Mixer->Destinations()[RecordingDestination];
    if (!rec) return;
    // The configured line is read first, so that a card with a selector
    // list gets its input selected, not deselected.
    store_.InputLineSelected =
        routeRecordingInput(*Mixer, store_.InputLine, rec->Connections->Count());
}

void TForm1::restoreMixer() {
    // Once, however the program ends: "Ende", the close box, or a quit
    // asked for by the desktop session.
    if (mixerRestored_) return;
    mixerRestored_ = true;
    const int devices = std::min(Mixer->DeviceCount(), MaxSavedDevices);
    for (int d = 0; d < devices; ++d) {
        Mixer->setMixerId(d);
        if (!Mixer->Destinations()[RecordingDestination]) continue;
        // On a recording selector every write clears the other entries, so
        // the lines that were selected are written last.
        for (const bool selectedPass : {false, true}) {
            for (int i = 0; i < MaxSavedLines; ++i) {
                const SavedLineState& s = SavedMixerSettings[d][i];
                if (s.saved && (s.selectOrMute == 1) == selectedPass)
                    Mixer->WriteLineState(RecordingDestination, i, s.left, s.right, s.selectOrMute);
            }
        }
    }
}

void TForm1::Puffersetzen() {
    store_.Puffersetzen();
}

void TForm1::LoescheFeld() {
    store_.LoescheFeld(windows_.table->selector());
}

bool TForm1::requireData() {
    if (store_.DataPresent) return true;
    windows_.noData->exec();
    return false;
}

void TForm1::hidePicture() {
    Image1->hide();
}

void TForm1::Ende1Click() {
    restoreMixer();
    close();
}

void TForm1::Messenst1Click() {
    openMeasurement(2, tr("  Weg-Zeit-Zusammenhang messen (s-t)"));
}

void TForm1::Messenvt1Click() {
    openMeasurement(3, tr("  Geschwindigkeits-Zeit Zusammenhang messen (v-t)"));
}

void TForm1::Hilfe1Click() {
    if (HelpWindow* help = opened(windows_.help)) help->showManual();
}

void TForm1::showExperiment(QWidget* window) {
    if (!window) return;
    window->show();
    window->raise();
    window->activateWindow();
}

void TForm1::Messenfall1Click() {
    showExperiment(opened(windows_.fall));
}

void TForm1::Messenpendel1Click() {
    showExperiment(opened(windows_.pendulum));
}

void TForm1::Messenrad1Click() {
    showExperiment(opened(windows_.pulley));
}

void TForm1::openMeasurement(int columns, const QString& caption) {
    windows_.table->hide();
    windows_.stDiagram->hide();
    windows_.vtDiagram->hide();
    hidePicture();
    store_.ColumnCount = columns;
    windows_.measurement->prepareRun(caption, columns == 3);
}

void TForm1::Einstellungen1Click() {
    // Checking the button of the current mode runs its action when it was
    // not checked yet, so the first opening applies the current mode.
    if (store_.OutputMode == 1)
        windows_.settings->RB_drei->setChecked(true);
    else
        windows_.settings->RB_einzel->setChecked(true);
    windows_.settings->placeOnScreen();
    windows_.settings->exec();
}

void TForm1::Messreiheauswerten1Click() {
    if (SeriesOfRunsWindow* series = opened(windows_.seriesOfRuns)) series->open();
}

void TForm1::Allemessungen1Click() {
    if (AllRunsWindow* runs = opened(windows_.allRuns)) runs->open();
}

void TForm1::Klassenansicht1Click() {
    if (ClassroomWindow* view = opened(windows_.classroom)) view->open();
}

void TForm1::Info1Click() {
    hidePicture();
    windows_.about->exec();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, whatever else is open, and
    // leaves the mixer as it was found.
    QMainWindow::closeEvent(event);
    if (!event->isAccepted()) return;
    restoreMixer();
    QCoreApplication::exit(0);
}

} // namespace kelmot
