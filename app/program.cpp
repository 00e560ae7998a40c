// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

#include "acquisition/measurementsession.h"
#include "acquisition/tabellemess_u.h"
#include "app/classroomfeed.h"
#include "app/info_u.h"
#include "app/keinedaten_u.h"
#include "app/kelmot_u.h"
#include "app/runkeeping.h"
#include "app/storechanges.h"
#include "app/windowlinks.h"
#include "classroom/classroomservice.h"
#include "classroom/classroomwindow.h"
#include "diagrams/stdiagramm_u.h"
#include "diagrams/vtdiagramm_u.h"
#include "evaluation/seriesofrunswindow.h"
#include "evaluation/tabelle_u.h"
#include "evaluation/xlsgespeichert_u.h"
#include "experiments/fallwindow.h"
#include "experiments/pendulumwindow.h"
#include "experiments/pulleywindow.h"
#include "journal/allrunswindow.h"
#include "journal/runjournal.h"
#include "journal/runtables.h"
#include "settings/config_u.h"
#include "store/programsettings.h"
#include "store/version.h"
#include "widgets/announcement.h"
#include "widgets/chartaccessibility.h"
#include "widgets/helpwindow.h"

#include "widgets/dateivorhanden_u.h"
#include "widgets/popupaccessibility.h"
#include <QAction>

namespace kelmot {

MeasurementStore Store;
TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;
TForm3* Form3 = nullptr;
TForm4* Form4 = nullptr;
TForm5* Form5 = nullptr;
TAboutBox* AboutBox = nullptr;
TForm6* Form6 = nullptr;
TForm7* Form7 = nullptr;
TForm8* Form8 = nullptr;
TForm9* Form9 = nullptr;
ClassroomService* Classroom = nullptr;
RunJournal* Journal = nullptr;
RunKeeping* Keeping = nullptr;
MeasurementSession* Session = nullptr;

namespace {

template <typename Window> Window* create(Window*& global, Window* window) {
    global = window;
    window->FormCreate();
    return window;
}

// What windows made before the evaluation table and the overwrite question
// are handed in their place.
TForm6* currentTable() {
    return Form6;
}
TableSelectorLink tableSelector(currentTable);
TableViewLink tableView(currentTable);
OverwriteQuestionLink overwriteQuestion([]() -> OverwriteQuestion* { return Form7; });
MainWindowLinks mainWindowLinks;
ClassroomFeed* classroomFeed = nullptr;
StoreChanges* storeChanges = nullptr;

// The windows made when first opened, and what they are handed then.
struct LaterWindows {
    std::shared_ptr<platform::WaveInBackend> fallCapture;
    std::shared_ptr<platform::WaveInBackend> pendulumCapture;
    std::shared_ptr<platform::WaveInBackend> pulleyCapture;
    QString language;
    ClassroomWindow* classroom = nullptr;
    SeriesOfRunsWindow* seriesOfRuns = nullptr;
    AllRunsWindow* allRuns = nullptr;
    FallWindow* fall = nullptr;
    PendulumWindow* pendulum = nullptr;
    PulleyWindow* pulley = nullptr;
    HelpWindow* help = nullptr;
};
LaterWindows later;

// The one-barrier experiments' windows made so far, in the menu's order.
std::vector<ExperimentLive> experimentsOnThePage() {
    std::vector<ExperimentLive> shown;
    for (const ExperimentWindow* window :
         std::initializer_list<const ExperimentWindow*>{later.fall, later.pendulum, later.pulley})
        if (window) shown.push_back(window->liveView());
    return shown;
}

// An experiment's window on the session; the classroom page follows it
// from its first change on and gains its section at once.
template <typename Window>
Window* experimentWindow(Window*& made, const std::shared_ptr<platform::WaveInBackend>& source) {
    if (made || !Form1) return made;
    made = new Window(*Session, source, *Keeping, Form1);
    QObject::connect(made, &Window::changed, classroomFeed, &ClassroomFeed::changed);
    classroomFeed->changed();
    return made;
}

// Today's runs for the classroom view, read again only when the journal or
// the day changed: the snapshot is taken at every buffer of a run.
ClassroomFeed::TodaysRuns todaysRunsOfTheJournal() {
    struct Cache {
        int revision = -1;
        QDate day;
        std::pair<TableTexts, int> table;
    };
    return [cache = std::make_shared<Cache>()] {
        const QDate today = QDate::currentDate();
        if (Journal && (cache->revision != Journal->revision() || cache->day != today)) {
            cache->revision = Journal->revision();
            cache->day = today;
            const auto runs = Journal->runs(today.startOfDay().toUTC());
            cache->table = {runs.empty() ? TableTexts{} : runsTable(runs), int(runs.size())};
        }
        return cache->table;
    };
}

} // namespace

void createWindows(const StartOptions& options) {
    auto capture = makeCaptureBackend(options);
    // The demonstration drops a virtual fence into the free fall's window
    // and swings a virtual pendulum of the length typed in the pendulum's;
    // a sound card or a replayed file is the same source as the track's.
    const bool simulated = options.capture == StartOptions::Capture::Simulation;
    auto fallCapture = simulated ? makeFallSimulationBackend(options) : capture;
    auto pendulumCapture =
        simulated
            ? makePendulumSimulationBackend(options,
                                            [] {
                                                platform::PendulumParameters p;
                                                if (later.pendulum) {
                                                    p.lengthMm = later.pendulum->setup().lengthMm;
                                                    p.bobWidthMm =
                                                        later.pendulum->setup().bobWidthMm;
                                                }
                                                return p;
                                            })
            : capture;
    // The demonstration's pulley has the spokes, radius and masses typed.
    auto pulleyCapture =
        simulated ? makePulleySimulationBackend(
                        options,
                        [] {
                            return later.pulley ? platform::PulleyParameters(
                                                      simulatedPulleyOf(later.pulley->setup()))
                                                : platform::PulleyParameters{};
                        })
                  : capture;
    createWindows(options, makeMixerApi(options), std::move(capture), std::move(fallCapture),
                  std::move(pendulumCapture), std::move(pulleyCapture));
}

namespace {

// The journal, and what keeps every run in it from the first one on; a
// journal that cannot be opened leaves measuring as it is and says why.
void openJournal() {
    Journal = new RunJournal(journalFolder(), QString::fromLatin1(ProgramVersion));
    Journal->open();
    Keeping = new RunKeeping(*Journal, Store,
                             {[] { return tableView.flagWidthText(); },
                              [] { return Session ? Session->sourceText() : QString(); },
                              [] { return Session && Session->captureOpen(); }});
}

// The ten windows, in their fixed order, each with its creation handler.
void createTheTen(const StartOptions& options, std::shared_ptr<platform::MixerApi> mixer,
                  std::shared_ptr<platform::WaveInBackend> capture) {
    MainWindowLinks& links = mainWindowLinks;
    create(Form1, new TForm1(options, std::move(mixer), Store, links));
    // One measurement at a time, whichever window measures: one capture of
    // the sound source, one detection, one watchdog.
    Session = new MeasurementSession(Store, std::move(capture), Form1->Mixer);
    links.measurement = create(Form2, new TForm2(Store, Form1, *Session, tableSelector, *Keeping));
    const DiagramLinks diagramLinks{Store, tableView, Form1};
    links.stDiagram = create(Form3, new TForm3(diagramLinks));
    links.vtDiagram = create(Form4, new TForm4(diagramLinks));
    links.noData = create(Form5, new TForm5(Form1));
    links.about = create(AboutBox, new TAboutBox(Form1));
    links.table = create(Form6, new TForm6(Store, Form1, overwriteQuestion));
    links.overwrite = create(Form7, new TForm7(Form1));
    // The settings dialog listens through the session's capture, and waits
    // while any window measures.
    links.settings =
        create(Form8, new TForm8(Store, *Form1->Mixer, *Session, Form6->selector(), Form1));
    create(Form9, new TForm9(Form1));
}

// The main window's commands open the later windows through their makers.
void linkTheLaterWindows() {
    MainWindowLinks& links = mainWindowLinks;
    links.classroom = classroomWindow;
    links.seriesOfRuns = seriesOfRunsWindow;
    links.allRuns = allRunsWindow;
    links.fall = fallWindow;
    links.pendulum = pendulumWindow;
    links.pulley = pulleyWindow;
    links.help = helpWindow;
}

// The diagrams, the classroom view, the lesson's mirror and the lists
// follow the measurement, its evaluation and the diagrams' fits.
void wireTheTen() {
    // The table's relationship choices and flag width redraw the diagrams at
    // once, shown or not; a written spreadsheet file is confirmed.
    QObject::connect(Form6, &TForm6::stDiagramChanged, Form3, &TForm3::PB1Paint);
    QObject::connect(Form6, &TForm6::vtDiagramChanged, Form4, &TForm4::PB2Paint);
    QObject::connect(Form6, &TForm6::excelFileSaved, Form9, [] { Form9->exec(); });
    storeChanges = new StoreChanges(*Form2, *Form6, *Form3, *Form4);
    Classroom = new ClassroomService;
    classroomFeed = new ClassroomFeed(Store, *Session, *Form2, tableView, *Form3, *Form4,
                                      *Classroom, todaysRunsOfTheJournal(), experimentsOnThePage);
    QObject::connect(storeChanges, &StoreChanges::changed, classroomFeed, &ClassroomFeed::changed);
    // The lesson is mirrored as it changes; a new run refreshes the list.
    QObject::connect(storeChanges, &StoreChanges::changed, Form1, [] {
        Keeping->storeChanged();
        if (later.allRuns) later.allRuns->follow();
    });
}

} // namespace

void createWindows(const StartOptions& options, std::shared_ptr<platform::MixerApi> mixer,
                   std::shared_ptr<platform::WaveInBackend> capture,
                   std::shared_ptr<platform::WaveInBackend> fallCapture,
                   std::shared_ptr<platform::WaveInBackend> pendulumCapture,
                   std::shared_ptr<platform::WaveInBackend> pulleyCapture) {
    // Before any window exists: their accessible interfaces are made once.
    installPopupAccessibility();
    installChartAccessibility();
    installAnnouncementAccessibility();
    mainWindowLinks = {};
    later = {};
    // Null: the experiment measures from the session's own source.
    later.fallCapture = std::move(fallCapture);
    later.pendulumCapture = std::move(pendulumCapture);
    later.pulleyCapture = std::move(pulleyCapture);
    later.language = options.language;
    // The barriers' kind of signal: the command line's for this start, or
    // the one last chosen in the settings.
    Store.Signal = options.signal.value_or(rememberedSignalKind());
    openJournal();
    createTheTen(options, std::move(mixer), std::move(capture));
    linkTheLaterWindows();
    wireTheTen();
    if (!Journal->notice().isEmpty()) Form1->showJournalNotice(Journal->notice());
    if (Keeping->recoverLesson()) Form1->showRecoveredLesson();
}

ClassroomWindow* classroomWindow() {
    if (!later.classroom && Form1)
        later.classroom = new ClassroomWindow(*Classroom, later.language, Form1, Form1);
    return later.classroom;
}

SeriesOfRunsWindow* seriesOfRunsWindow() {
    if (later.seriesOfRuns || !Form1) return later.seriesOfRuns;
    auto* made = later.seriesOfRuns = new SeriesOfRunsWindow(Store, tableSelector, Form1, Form1);
    QObject::connect(storeChanges, &StoreChanges::changed, made, [made] {
        if (made->isVisible()) made->refresh();
    });
    return made;
}

AllRunsWindow* allRunsWindow() {
    if (!later.allRuns && Form1)
        later.allRuns = new AllRunsWindow(*Journal, *Form1, Form1, {}, Form1);
    return later.allRuns;
}

FallWindow* fallWindow() {
    return experimentWindow(later.fall, later.fallCapture);
}

PendulumWindow* pendulumWindow() {
    return experimentWindow(later.pendulum, later.pendulumCapture);
}

PulleyWindow* pulleyWindow() {
    return experimentWindow(later.pulley, later.pulleyCapture);
}

HelpWindow* helpWindow() {
    if (!later.help && Form1) later.help = new HelpWindow(Form1);
    return later.help;
}

bool isMade(LaterWindow window) {
    switch (window) {
    case LaterWindow::Classroom:
        return later.classroom;
    case LaterWindow::SeriesOfRuns:
        return later.seriesOfRuns;
    case LaterWindow::AllRuns:
        return later.allRuns;
    case LaterWindow::Fall:
        return later.fall;
    case LaterWindow::Pendulum:
        return later.pendulum;
    case LaterWindow::Pulley:
        return later.pulley;
    case LaterWindow::Help:
        return later.help;
    }
    return false;
}

void destroyWindows() {
    // Windows are destroyed only after "Ende" or the close box: the next
    // start begins empty. A crash or a killed program never gets here.
    if (Journal) Journal->endSession();
    // The classroom view first: its connections end before the windows go.
    delete storeChanges;
    storeChanges = nullptr;
    delete classroomFeed;
    classroomFeed = nullptr;
    delete Classroom;
    Classroom = nullptr;
    // The later windows go with the main window, their parent.
    later = {};
    // In reverse order; the dialogs go with the main window, their parent.
    delete Form6;
    Form6 = nullptr;
    delete Form4;
    Form4 = nullptr;
    delete Form3;
    Form3 = nullptr;
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
    // After every window that measures on it or asks it.
    delete Session;
    Session = nullptr;
    Form5 = nullptr;
    AboutBox = nullptr;
    Form7 = nullptr;
    Form8 = nullptr;
    Form9 = nullptr;
    mainWindowLinks = {};
    delete Keeping;
    Keeping = nullptr;
    delete Journal;
    Journal = nullptr;
}

} // namespace kelmot
