// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/pendulumwindow.h"

#include "acquisition/AudioIO.h"
#include "acquisition/capturesetup.h"
#include "experiments/experimenttable.h"
#include "experiments/pendulumanalysis.h"
#include "experiments/pendulumdiagramview.h"
#include "experiments/pendulumtable.h"
#include "experiments/swingkeeping.h"
#include "store/fileio.h"
#include "widgets/controls.h"
#include "widgets/errorreport.h"
#include "widgets/filechoice.h"
#include "widgets/keyboard.h"
#include "widgets/popupaccessibility.h"

#include <QApplication>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <algorithm>

namespace kelmot {

namespace {

constexpr int TableTop = 190;
constexpr int TableHeight = 250;

} // namespace

PendulumWindow::PendulumWindow(MeasurementStore& store,
                               std::shared_ptr<platform::WaveInBackend> capture,
                               RecordKeeper& keeper, QWidget* parent)
    : QWidget(parent, Qt::Window), Detection(store, *this), store_(store), keeper_(keeper) {
    setObjectName("PendulumWindow");
    setWindowTitle(tr("   Pendel durch eine Lichtschranke"));
    resize(1160, 600);

    GB_pendel = place<QGroupBox>(this, "GB_pendel", {16, 12, 688, 124}, tr("   Pendel   "));
    auto* laenge =
        place<QLabel>(GB_pendel, "L_laenge", {16, 28, 150, 24}, tr("Pendellänge in mm:"));
    SB_laenge = place<QDoubleSpinBox>(GB_pendel, "SB_laenge", {170, 28, 90, 24});
    SB_laenge->setRange(50, 10000);
    SB_laenge->setDecimals(1);
    laenge->setBuddy(SB_laenge);
    auto* unsicherheit =
        place<QLabel>(GB_pendel, "L_unsicherheit", {276, 28, 70, 24}, tr("± in mm:"));
    SB_unsicherheit = place<QDoubleSpinBox>(GB_pendel, "SB_unsicherheit", {350, 28, 70, 24});
    SB_unsicherheit->setRange(0, 1000);
    SB_unsicherheit->setDecimals(1);
    unsicherheit->setBuddy(SB_unsicherheit);
    SB_unsicherheit->setAccessibleName(tr("Unsicherheit der Pendellänge in mm"));
    auto* koerper =
        place<QLabel>(GB_pendel, "L_koerper", {436, 28, 160, 24}, tr("Körperbreite in mm:"));
    SB_koerper = place<QDoubleSpinBox>(GB_pendel, "SB_koerper", {600, 28, 72, 24});
    SB_koerper->setRange(1, 200);
    SB_koerper->setDecimals(1);
    koerper->setBuddy(SB_koerper);
    auto* perioden = place<QLabel>(GB_pendel, "L_perioden", {16, 60, 150, 24}, tr("Perioden:"));
    SB_perioden = place<QSpinBox>(GB_pendel, "SB_perioden", {170, 60, 130, 24});
    SB_perioden->setRange(0, PendulumSetup::MaxPeriods);
    // Below 1 the swing is measured until "Abbrechen" or until it stops.
    SB_perioden->setSpecialValueText(tr("bis Abbrechen"));
    perioden->setBuddy(SB_perioden);
    L_aufbau = place<QLabel>(GB_pendel, "L_aufbau", {16, 92, 656, 22});
    setTextColour(L_aufbau, toQColor(Red));

    B_mess = place<QPushButton>(this, "B_mess", {16, 148, 110, 30}, tr("Messen"));
    B_abbruch = place<QPushButton>(this, "B_abbruch", {140, 148, 110, 30}, tr("Abbrechen"));
    L_status = place<QLabel>(this, "L_status", {270, 148, 434, 30});
    L_status->setFont(sizedFont(L_status->font(), 16, true));
    L_journal = place<QLabel>(this, "L_journal", {16, 182, 688, 0});
    L_journal->setWordWrap(true);
    setTextColour(L_journal, toQColor(Red));
    L_journal->hide();

    SG_pendel = place<QTableWidget>(this, "SG_pendel", {16, TableTop, 688, TableHeight});
    const TableTexts headings = pendulumTable({});
    SG_pendel->setColumnCount(int(headings[0].size()));
    SG_pendel->setHorizontalHeaderLabels(headings[0]);
    SG_pendel->verticalHeader()->hide();
    SG_pendel->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    SG_pendel->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SG_pendel->setTabKeyNavigation(
        false); // Tab goes on to the result; the arrows move in the table
    SG_pendel->setAccessibleName(tr("Messtabelle des Pendels"));
    SG_pendel->setToolTip(tr("Rechter Mausklick öffnet Menü"));

    PopupMenu1 = new QMenu(this);
    exposePopupToScreenReaders(this, PopupMenu1);
    PopupMenu1->setObjectName("PopupMenu1");
    TabelleinZwischenablage1 = PopupMenu1->addAction(tr("Tabelle in Zwischenablage"));
    ExportalsEXCELDatei1 = PopupMenu1->addAction(tr("Export als EXCEL-Datei"));
    ExportalsCSVDatei1 = PopupMenu1->addAction(tr("Export als CSV-Datei"));
    connect(TabelleinZwischenablage1, &QAction::triggered, this, &PendulumWindow::copyTable);
    connect(ExportalsEXCELDatei1, &QAction::triggered, this, [this] { exportTable(true); });
    connect(ExportalsCSVDatei1, &QAction::triggered, this, [this] { exportTable(false); });
    offerShortcut(SG_pendel, TabelleinZwischenablage1, QKeySequence(Qt::CTRL | Qt::Key_C),
                  Qt::WidgetShortcut);
    markMnemonics(PopupMenu1);
    offerTablePopup(SG_pendel, PopupMenu1);

    L_ergebnis = place<QLabel>(this, "L_ergebnis", {16, 450, 688, 136});
    L_ergebnis->setWordWrap(true);
    L_ergebnis->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    L_ergebnis->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    L_ergebnis->setFocusPolicy(Qt::StrongFocus); // the result is read by keyboard too
    L_ergebnis->setAccessibleName(tr("Ergebnis"));

    // The diagrams right of the table, each the size of its clipboard picture.
    PB_T = new PendulumDiagramView(PendulumQuantity::Period, tr("Perioden-Diagramm"), this);
    PB_T->setObjectName("PB_T");
    PB_T->setGeometry(730, 12, 413, 266);
    PB_v = new PendulumDiagramView(PendulumQuantity::Speed, tr("Geschwindigkeits-Diagramm"), this);
    PB_v->setObjectName("PB_v");
    PB_v->setGeometry(730, 286, 413, 266);

    const PendulumSetup remembered = rememberedPendulum();
    SB_laenge->setValue(remembered.lengthMm);
    SB_unsicherheit->setValue(remembered.lengthUncertaintyMm);
    SB_koerper->setValue(remembered.bobWidthMm);
    SB_perioden->setValue(remembered.periods);
    swingSetup_ = remembered;
    setupChanged();

    AudioIn = new TAudioIn(this, std::move(capture));
    AudioIn->setObjectName("PendulumAudioIn");
    configureCapture(*AudioIn);
    AudioIn->OnBufferFilled = [this](char* buffer, int& size) {
        return bufferFilled(buffer, size);
    };
    AudioIn->OnStop = [this](QObject*) { captureStopped(); };

    connect(SB_laenge, &QDoubleSpinBox::valueChanged, this, &PendulumWindow::setupChanged);
    connect(SB_unsicherheit, &QDoubleSpinBox::valueChanged, this, &PendulumWindow::setupChanged);
    connect(SB_koerper, &QDoubleSpinBox::valueChanged, this, &PendulumWindow::setupChanged);
    connect(SB_perioden, &QSpinBox::valueChanged, this, &PendulumWindow::setupChanged);
    connect(B_mess, &QPushButton::clicked, this, &PendulumWindow::B_messClick);
    connect(B_abbruch, &QPushButton::clicked, this, &PendulumWindow::B_abbruchClick);
    measureByKeyboard(this, B_mess, B_abbruch);
}

PendulumWindow::~PendulumWindow() {
    // The capture goes first: no buffer may reach a half-destroyed window.
    delete AudioIn;
    AudioIn = nullptr;
}

PendulumSetup PendulumWindow::setup() const {
    PendulumSetup s;
    s.lengthMm = SB_laenge->value();
    s.lengthUncertaintyMm = SB_unsicherheit->value();
    s.bobWidthMm = SB_koerper->value();
    s.periods = SB_perioden->value();
    return s;
}

void PendulumWindow::setupChanged() {
    const PendulumSetup s = setup();
    const auto problem = pendulumSetupProblem(s);
    L_aufbau->setText(problem.value_or(QString()));
    L_aufbau->setAccessibleName(L_aufbau->text());
    B_mess->setEnabled(!problem);
    if (problem) return;
    // For the next swing; a swing in progress keeps the setup it began with.
    Detection.setRunLength(pendulumRunLength(s));
    rememberPendulum(s); // a setup not remembered is only asked for again
}

void PendulumWindow::B_messClick() {
    if (pendulumSetupProblem(setup())) return;
    Detection.reset();
    lostAtStart_ = AudioIn->LostFrames();
    swingSetup_ = setup();
    result_.reset();
    SG_pendel->setRowCount(0);
    L_ergebnis->clear();
    L_ergebnis->setAccessibleDescription(QString());
    showDiagrams();
    said_.forget(); // this swing's "Warte auf Start" is said again
    setStatus(statusWaiting(), Red);
    if (AudioIn->DeviceOpen() && AudioIn->KeepRunning()) return; // the next buffer starts anew
    if (AudioIn->DeviceOpen()) {
        startWhenClosed_ = true; // the last swing's capture is still handing back its buffers
        return;
    }
    startCapture();
}

void PendulumWindow::startCapture() {
    lostAtStart_ = AudioIn->LostFrames();
    if (!AudioIn->Start(&AudioIn))
        setStatus(tr("  Aufnahme nicht möglich: %1  ").arg(AudioIn->ErrorText()), Red);
}

void PendulumWindow::captureStopped() {
    if (!startWhenClosed_) return;
    startWhenClosed_ = false;
    startCapture();
}

void PendulumWindow::B_abbruchClick() {
    startWhenClosed_ = false;
    const bool measuring = AudioIn->DeviceOpen() && !Detection.ended();
    Detection.abort();
    AudioIn->StopWhenDrained();
    // "Bis Abbrechen": the swing so far is the measurement.
    if (measuring && swingSetup_.periods == 0 && !passagesSoFar().empty()) {
        finishSwing(true);
        return;
    }
    setStatus(tr("   Abgebrochen   "), Red);
}

bool PendulumWindow::bufferFilled(char* buffer, int size) {
    // A gap in the samples would make every later time early by its length.
    if (!Detection.ended() && AudioIn->LostFrames() > lostAtStart_) {
        Detection.abort();
        AudioIn->StopWhenDrained();
        setStatus(tr("  Daten verloren - bitte neu messen  "), Red);
        return true;
    }
    // After the end or "Abbrechen" the drained buffers change nothing.
    if (!Detection.ended()) Detection.analyse(buffer, size);
    return true;
}

std::vector<Passage> PendulumWindow::passagesSoFar() const {
    // A passage is one once the bob has left the beam again.
    return passagesOf(Detection.DarkTimes, Detection.BrightTimes, swingSetup_.bobWidth());
}

void PendulumWindow::setCell(int column, int row, const QString&) {
    // A passage's row comes with its bright edge: its time is the middle.
    if (column != 2) return;
    showPassage(row - 1);
    // The diagrams follow the swing passage by passage; the fits come at its end.
    showDiagrams();
    emit changed();
}

void PendulumWindow::showPassage(int k) {
    const TableTexts table = pendulumTable(passagesSoFar());
    if (k < 0 || std::size_t(k) + 1 >= table.size()) return;
    SG_pendel->setRowCount(k + 1);
    const QStringList& cells = table[std::size_t(k) + 1];
    for (int c = 0; c < cells.size(); ++c)
        SG_pendel->setItem(k, c, new QTableWidgetItem(cells[c]));
    SG_pendel->scrollToItem(SG_pendel->item(k, 0)); // the newest passage stays in sight
}

void PendulumWindow::showDiagrams() {
    const std::vector<Passage> passages = passagesSoFar();
    PB_T->showSwing(passages, swingSetup_.bobWidth(), result_);
    PB_v->showSwing(passages, swingSetup_.bobWidth(), result_);
}

void PendulumWindow::setStatus(const QString& caption, Rgb colour) {
    L_status->setText(caption);
    L_status->setAccessibleName(caption.trimmed());
    said_.sayOnChange(caption);
    setTextColour(L_status, toQColor(colour));
    emit changed();
}

void PendulumWindow::stopCapture() {
    AudioIn->StopWhenDrained();
}

void PendulumWindow::runEnded(int, bool complete) {
    // Ended by the count of passages, or by a beam quiet for two periods:
    // a pendulum stopped by hand ends with what it has.
    finishSwing(complete);
}

void PendulumWindow::finishSwing(bool complete) {
    MeasuredSwing swing;
    swing.setup = swingSetup_;
    swing.passages = passagesSoFar();
    swing.complete = complete;
    // On disk before the window says the swing has ended; a journal that
    // fails says so and stops nothing.
    // A bob that never left the beam measured nothing to keep.
    if (!swing.passages.empty()) {
        RunRecord record = swingRecord(Detection.DarkTimes, Detection.BrightTimes, swingSetup_,
                                       complete, keptSwings_ + 1);
        //: where a swing was measured from: %1 the sound card (or "Simulation"), %2 its input
        record.source = tr("%1: %2").arg(QString::fromStdString(AudioIn->Backend().sourceName()),
                                         QString::fromStdString(AudioIn->Backend().inputName()));
        showJournalProblem(keeper_.keepRecord(record));
        ++keptSwings_;
    }
    const bool beamBlocked = Detection.DarkTimes.size() > Detection.BrightTimes.size();
    if (complete)
        setStatus(statusEnded(), Red);
    else if (swing.setup.periods > 0)
        //: %1 the passages measured, %2 those a whole measurement has
        setStatus(tr("  Unvollständig: %1 von %2 Durchgängen  ")
                      .arg(swing.passages.size())
                      .arg(swing.setup.passages()),
                  Red);
    else
        setStatus(statusEnded(), Red); // "bis Abbrechen": the swing died away or was stopped
    swings_.push_back(swing);
    showResult(swings_.back());
    if (beamBlocked) {
        L_ergebnis->setText(L_ergebnis->text() + QLatin1Char('\n') + beamBlockedText());
        L_ergebnis->setAccessibleDescription(L_ergebnis->text());
    }
}

void PendulumWindow::showJournalProblem(const std::optional<QString>& problem) {
    // The table moves down to make room for the problem, and back.
    const int room = problem ? 44 : 0;
    L_journal->setText(problem.value_or(QString()));
    L_journal->setAccessibleName(L_journal->text());
    L_journal->setGeometry(16, 182, 688, room);
    L_journal->setVisible(bool(problem));
    SG_pendel->setGeometry(16, TableTop + room, 688, TableHeight - room);
}

void PendulumWindow::showResult(const MeasuredSwing& swing) {
    result_ = fitPendulum(swing.passages, swing.setup);
    showDiagrams();
    if (!result_)
        L_ergebnis->setText(tr("Keine Periode aus weniger als drei Durchgängen."));
    else
        L_ergebnis->setText(pendulumResultLines(*result_).join(QLatin1Char('\n')));
    L_ergebnis->setAccessibleDescription(L_ergebnis->text());
    emit changed();
}

PendulumLive PendulumWindow::liveView() const {
    PendulumLive live;
    live.shown = isVisible();
    if (!live.shown) return live;
    live.status = L_status->text();
    live.measuring = AudioIn->DeviceOpen() && !Detection.ended();
    live.table = tableTexts();
    live.result = L_ergebnis->text();
    live.lengthMm = swingSetup_.lengthMm;
    live.lengthUncertaintyMm = swingSetup_.lengthUncertaintyMm;
    live.bobWidthMm = swingSetup_.bobWidthMm;
    // The passages the table shows: a bob still in the beam is none yet.
    const std::size_t passed = std::min(Detection.DarkTimes.size(), Detection.BrightTimes.size());
    live.darkTimes.assign(Detection.DarkTimes.begin(),
                          Detection.DarkTimes.begin() + std::ptrdiff_t(passed));
    live.brightTimes.assign(Detection.BrightTimes.begin(),
                            Detection.BrightTimes.begin() + std::ptrdiff_t(passed));
    live.ended = Detection.ended() && !swings_.empty();
    return live;
}

void PendulumWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit changed();
}

void PendulumWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit changed();
}

TableTexts PendulumWindow::tableTexts() const {
    // The passages of the swing in the table, those seen so far while it runs.
    return pendulumTable(passagesSoFar());
}

void PendulumWindow::copyTable() {
    QApplication::clipboard()->setText(experimentClipboardText(tableTexts()));
}

bool PendulumWindow::exportTable(bool spreadsheet) {
    if (!SD1) {
        SD1 = new QFileDialog(this);
        SD1->setObjectName("SD1");
        SD1->setAcceptMode(QFileDialog::AcceptSave);
    }
    // The dialog adds the extension itself, and so asks before replacing that file.
    SD1->setDefaultSuffix(spreadsheet ? QStringLiteral("xls") : QStringLiteral("csv"));
    SD1->setNameFilter(spreadsheet ? tr("EXCEL-Daten (*.xls);;Alle Dateien (*)")
                                   : tr("CSV-Daten (*.csv);;Alle Dateien (*)"));
    const auto chosen = chooseFileIn(*SD1);
    if (!chosen) return false;
    const QString fileName =
        withExtension(*chosen, spreadsheet ? QStringLiteral(".xls") : QStringLiteral(".csv"));
    return writeTable(fileName, spreadsheet);
}

bool PendulumWindow::writeTable(const QString& fileName, bool spreadsheet) {
    const TableTexts table = tableTexts();
    const QByteArray content = spreadsheet ? pendulumWorkbook(table) : experimentCsv(table);
    if (const auto error = saveFileAtomically(fileName, content)) {
        reportError(this, *error);
        return false;
    }
    return true;
}

QString PendulumWindow::cellText(int column, int row) const {
    const QTableWidgetItem* item = SG_pendel->item(row, column);
    return item ? item->text() : QString();
}

} // namespace kelmot
