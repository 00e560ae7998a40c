// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/AMixer.h"
#include "app/startoptions.h"
#include "journal/runloader.h"
#include "store/measurementstore.h"
#include "widgets/windowplaces.h"

#include <QMainWindow>
#include <array>
#include <functional>

class QAction;
class QFileDialog;
class QLabel;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;

namespace kelmot {

class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TAboutBox;
class TForm6;
class TForm7;
class TForm8;
class ClassroomWindow;
class SeriesOfRunsWindow;
class AllRunsWindow;
class FallWindow;
class PendulumWindow;
class PulleyWindow;
class HelpWindow;

// The windows the main window's commands open or ask; the composition root
// fills them in as it creates them (after the main window). The windows
// beyond the ten are reached through makers: each is made at its first
// opening.
struct MainWindowLinks {
    TForm2* measurement = nullptr;
    TForm3* stDiagram = nullptr;
    TForm4* vtDiagram = nullptr;
    TForm5* noData = nullptr;
    TAboutBox* about = nullptr;
    TForm6* table = nullptr;
    TForm7* overwrite = nullptr;
    TForm8* settings = nullptr;
    std::function<ClassroomWindow*()> classroom;
    std::function<SeriesOfRunsWindow*()> seriesOfRuns;
    std::function<AllRunsWindow*()> allRuns;
    std::function<FallWindow*()> fall;
    std::function<PendulumWindow*()> pendulum;
    std::function<PulleyWindow*()> pulley;
    std::function<HelpWindow*()> help;
};

// A recording line's state as it was when the program started.
struct SavedLineState {
    std::int32_t left = -1;
    std::int32_t right = -1;
    std::int32_t selectOrMute = -1;
    bool saved = false;
};

// The main window: menu bar, tool bar, the picture of the set-up, the mixer.
class TForm1 : public QMainWindow, public RunLoader {
    Q_OBJECT
public:
    static constexpr int MaxSavedDevices = 11;
    static constexpr int MaxSavedLines = 21;
    static constexpr int ClientTop = kelmot::ClientTop; // child windows start below the tool bar
    static constexpr int ToolBarHeight = 49;

    TForm1(const StartOptions& options, std::shared_ptr<platform::MixerApi> mixerApi,
           MeasurementStore& store, const MainWindowLinks& windows);
    ~TForm1() override;

    void FormCreate();
    // Shown maximised by the window manager; without one, as large as the
    // screen's available area, frame included.
    void showOnScreen();

    // Store operations that belong to the main window.
    void Puffersetzen();
    void LoescheFeld();

    // Data files: write SaveFileName; choose a file and read it into the
    // store (false when reading failed and the command must stop).
    void Speichern();
    bool MessungLaden();
    // Reads a data file into the store as a load does; false after an error.
    bool loadDataFile(const QString& path);
    // A data file named on the command line, shown as "Laden s-t" would.
    void openDataFile(const QString& path);

    // Commands.
    void Speichernunter1Click();
    void Ladenst1Click();
    void Ladenvt1Click();
    // "Alle Messungen": every run the journal keeps.
    void Allemessungen1Click();
    void Ende1Click();
    void Messenst1Click();
    void Messenvt1Click();
    // "Messen freier Fall": the picket fence's window.
    void Messenfall1Click();
    // "Messen Pendel": the pendulum's window.
    void Messenpendel1Click();
    // "Messen Rad": the spoked pulley's window.
    void Messenrad1Click();
    void Auswertenst1Click();
    void Auswertenvt1Click();
    // "Messreihe auswerten": the stored runs' a and v₀ with mean and spread.
    void Messreiheauswerten1Click();
    void Diagrammst1Click();
    void Diagrammvt1Click();
    void Einstellungen1Click();
    // The classroom view: switched on, with its window of address and code.
    void Klassenansicht1Click();
    void Info1Click();
    // F1 in any window: the manual.
    void Hilfe1Click();

    const StartOptions& Options() const { return options_; }

    // RunLoader: runs from the journal become the series, as a load makes them.
    void loadRuns(const std::vector<RunRecord>& runs, bool withBrightTimes) override;
    // At start, after a crash: the lesson is back in the store; the newest
    // series is shown and the user is told so.
    void showRecoveredLesson();
    // What the journal has to say at start (a damaged file moved aside).
    void showJournalNotice(const QString& text);

    // Components, in the order they are declared.
    QMenuBar* MainMenu1 = nullptr;
    // Made at their first use.
    QFileDialog* OpenDialog1 = nullptr;
    QFileDialog* SaveDialog1 = nullptr;
    TAudioMixer* Mixer = nullptr;
    std::array<QPixmap, 14> ImageList1;
    QToolBar* ToolBar1 = nullptr;
    std::array<QWidget*, 31> ToolButtons{}; // ToolButton1 .. ToolButton31
    QLabel* Image1 = nullptr;

    // Menu items.
    QAction* Speichernunter1 = nullptr;
    QAction* Ladenst1 = nullptr;
    QAction* Ladenvt1 = nullptr;
    QAction* Allemessungen1 = nullptr;
    QAction* Ende1 = nullptr;
    QAction* Messenst1 = nullptr;
    QAction* Messenvt1 = nullptr;
    QAction* Messenfall1 = nullptr;
    QAction* Messenpendel1 = nullptr;
    QAction* Messenrad1 = nullptr;
    QAction* Hilfe1 = nullptr; // F1, in every window of the program
    QAction* Auswertenst1 = nullptr;
    QAction* Auswertenvt1 = nullptr;
    QAction* Messreiheauswerten1 = nullptr;
    QAction* Diagrammst1 = nullptr;
    QAction* Diagrammvt1 = nullptr;
    QAction* Einstellungen1 = nullptr;
    QAction* Klassenansicht1 = nullptr;
    QAction* Info1 = nullptr;

    SavedLineState SavedMixerSettings[MaxSavedDevices][MaxSavedLines];
    QString LoadFileName;
    QString SaveFileName;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void centrePicture();
    void buildMenu();
    void buildToolBar();
    void snapshotMixer();
    void routeInputLine();
    void restoreMixer();
    // With data, true; without, the no-data notice and false.
    bool requireData();
    void hidePicture();
    // The diagram commands: the s-t diagram in the upper right quarter.
    void showStDiagramWindow();
    // The evaluation table as an opening command shows it: `columns` wide,
    // in the selected series' colour, with its caption, frame or none, width
    // and the grid's point size.
    TForm6& openTable(int columns, const QString& caption, bool framed, int width, int pointSize);
    // After a load: the evaluation window shows the newest series' times,
    // as an s-t table (dark times) or a v-t table (dark and bright times).
    void showLoadedTable(bool withBrightTimes);
    // An experiment's window shown, in front and active.
    void showExperiment(QWidget* window);
    // "Messen s-t" (2 columns) and "Messen v-t" (3, with the bright times).
    void openMeasurement(int columns, const QString& caption);

    StartOptions options_;
    MeasurementStore& store_;
    const MainWindowLinks& windows_;
    QWidget* client_ = nullptr;
    bool mixerRestored_ = false;
};

} // namespace kelmot
