// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/fallwindow.h"

#include "acquisition/AudioIO.h"
#include "acquisition/capturesetup.h"
#include "evaluation/uncertainty.h"
#include "experiments/experimenttable.h"
#include "experiments/falldiagramview.h"
#include "experiments/falltable.h"
#include "store/fileio.h"
#include "store/numberformat.h"
#include "widgets/controls.h"
#include "widgets/errorreport.h"
#include "widgets/filechoice.h"
#include "widgets/keyboard.h"
#include "widgets/popupaccessibility.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

namespace kelmot {

namespace {

enum Column { Band, Position, Dark, Bright, Speed, Columns };

} // namespace

FallWindow::FallWindow(MeasurementStore& store, std::shared_ptr<platform::WaveInBackend> capture,
                       RecordKeeper& keeper, QWidget* parent)
    : QWidget(parent, Qt::Window), Detection(store, *this), store_(store), keeper_(keeper) {
    setObjectName("FallWindow");
    setWindowTitle(tr("   Freier Fall mit dem Lattenzaun"));
    resize(1160, 560);

    GB_zaun = place<QGroupBox>(this, "GB_zaun", {16, 12, 688, 92}, tr("   Lattenzaun   "));
    auto* latten = place<QLabel>(GB_zaun, "L_latten", {16, 28, 70, 24}, tr("Latten:"));
    SB_latten = place<QSpinBox>(GB_zaun, "SB_latten", {90, 28, 70, 24});
    SB_latten->setRange(FenceGeometry::MinBands, FenceGeometry::MaxBands);
    latten->setBuddy(SB_latten);
    auto* abstand =
        place<QLabel>(GB_zaun, "L_abstand", {180, 28, 150, 24}, tr("Lattenabstand in mm:"));
    SB_abstand = place<QDoubleSpinBox>(GB_zaun, "SB_abstand", {334, 28, 90, 24});
    SB_abstand->setRange(0.1, FenceGeometry::MaxPitchMm);
    SB_abstand->setDecimals(1);
    abstand->setBuddy(SB_abstand);
    auto* breite =
        place<QLabel>(GB_zaun, "L_breite", {444, 28, 140, 24}, tr("Lattenbreite in mm:"));
    SB_breite = place<QDoubleSpinBox>(GB_zaun, "SB_breite", {588, 28, 84, 24});
    SB_breite->setRange(0.1, FenceGeometry::MaxPitchMm);
    SB_breite->setDecimals(1);
    breite->setBuddy(SB_breite);
    L_geometrie = place<QLabel>(GB_zaun, "L_geometrie", {16, 60, 656, 22});
    setTextColour(L_geometrie, toQColor(Red));

    B_mess = place<QPushButton>(this, "B_mess", {16, 116, 110, 30}, tr("Messen"));
    B_abbruch = place<QPushButton>(this, "B_abbruch", {140, 116, 110, 30}, tr("Abbrechen"));
    L_status = place<QLabel>(this, "L_status", {270, 116, 434, 30});
    L_status->setFont(sizedFont(L_status->font(), 16, true));
    L_journal = place<QLabel>(this, "L_journal", {16, 150, 688, 0});
    L_journal->setWordWrap(true);
    setTextColour(L_journal, toQColor(Red));
    L_journal->hide();

    SG_fall = place<QTableWidget>(this, "SG_fall", {16, 158, 688, 270});
    SG_fall->setColumnCount(Columns);
    SG_fall->setHorizontalHeaderLabels(
        {tr("Latte"), tr("s in m"), tr("t dunkel in s"), tr("t hell in s"), tr("v in m/s")});
    SG_fall->verticalHeader()->hide();
    SG_fall->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    SG_fall->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SG_fall->setTabKeyNavigation(false); // Tab goes on to the result; the arrows move in the table
    SG_fall->setAccessibleName(tr("Messtabelle des Falls"));
    SG_fall->setToolTip(tr("Rechter Mausklick öffnet Menü"));

    PopupMenu1 = new QMenu(this);
    exposePopupToScreenReaders(this, PopupMenu1);
    PopupMenu1->setObjectName("PopupMenu1");
    TabelleinZwischenablage1 = PopupMenu1->addAction(tr("Tabelle in Zwischenablage"));
    ExportalsEXCELDatei1 = PopupMenu1->addAction(tr("Export als EXCEL-Datei"));
    ExportalsCSVDatei1 = PopupMenu1->addAction(tr("Export als CSV-Datei"));
    connect(TabelleinZwischenablage1, &QAction::triggered, this, &FallWindow::copyTable);
    connect(ExportalsEXCELDatei1, &QAction::triggered, this, [this] { exportTable(true); });
    connect(ExportalsCSVDatei1, &QAction::triggered, this, [this] { exportTable(false); });
    offerShortcut(SG_fall, TabelleinZwischenablage1, QKeySequence(Qt::CTRL | Qt::Key_C),
                  Qt::WidgetShortcut);
    markMnemonics(PopupMenu1);
    offerTablePopup(SG_fall, PopupMenu1);

    L_ergebnis = place<QLabel>(this, "L_ergebnis", {16, 438, 688, 110});
    L_ergebnis->setWordWrap(true);
    L_ergebnis->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    L_ergebnis->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    L_ergebnis->setFocusPolicy(Qt::StrongFocus); // the result is read by keyboard too
    L_ergebnis->setAccessibleName(tr("Ergebnis"));

    // The diagrams right of the table, each the size of its clipboard picture.
    PB_st = new FallDiagramView(FallQuantity::Distance, tr("s-t-Diagramm"), this);
    PB_st->setObjectName("PB_st");
    PB_st->setGeometry(730, 12, 413, 266);
    PB_vt = new FallDiagramView(FallQuantity::Speed, tr("v-t-Diagramm"), this);
    PB_vt->setObjectName("PB_vt");
    PB_vt->setGeometry(730, 286, 413, 266);

    const FenceGeometry fence = rememberedFence();
    SB_latten->setValue(fence.bands);
    SB_abstand->setValue(fence.pitchMm);
    SB_breite->setValue(fence.bandWidthMm);
    geometryChanged();

    AudioIn = new TAudioIn(this, std::move(capture));
    AudioIn->setObjectName("FallAudioIn");
    configureCapture(*AudioIn);
    AudioIn->OnBufferFilled = [this](char* buffer, int& size) {
        return bufferFilled(buffer, size);
    };
    AudioIn->OnStop = [this](QObject*) { captureStopped(); };

    connect(SB_latten, &QSpinBox::valueChanged, this, &FallWindow::geometryChanged);
    connect(SB_abstand, &QDoubleSpinBox::valueChanged, this, &FallWindow::geometryChanged);
    connect(SB_breite, &QDoubleSpinBox::valueChanged, this, &FallWindow::geometryChanged);
    connect(B_mess, &QPushButton::clicked, this, &FallWindow::B_messClick);
    connect(B_abbruch, &QPushButton::clicked, this, &FallWindow::B_abbruchClick);
    measureByKeyboard(this, B_mess, B_abbruch);
}

FallWindow::~FallWindow() {
    // The capture goes first: no buffer may reach a half-destroyed window.
    delete AudioIn;
    AudioIn = nullptr;
}

FenceGeometry FallWindow::fence() const {
    return {SB_latten->value(), SB_abstand->value(), SB_breite->value()};
}

void FallWindow::geometryChanged() {
    const FenceGeometry f = fence();
    const auto problem = fenceGeometryProblem(f);
    L_geometrie->setText(problem.value_or(QString()));
    L_geometrie->setAccessibleName(L_geometrie->text());
    B_mess->setEnabled(!problem);
    if (problem) return;
    // For the next drop; a drop in progress keeps the geometry it began with.
    Detection.setRunLength(fenceRunLength(f));
    rememberFence(f); // a geometry not remembered is only asked for again
}

void FallWindow::clearTable(int rows) {
    SG_fall->setRowCount(rows);
    const FenceGeometry f = dropFence_;
    for (int k = 0; k < rows; ++k) {
        for (int c = 0; c < Columns; ++c)
            SG_fall->setItem(k, c, new QTableWidgetItem);
        SG_fall->item(k, Band)->setText(QString::number(k + 1));
        SG_fall->item(k, Position)->setText(formatFixed(k * f.pitch(), 3));
    }
}

void FallWindow::B_messClick() {
    if (fenceGeometryProblem(fence())) return;
    Detection.reset();
    lostAtStart_ = AudioIn->LostFrames();
    dropFence_ = fence();
    clearTable(dropFence_.bands);
    L_ergebnis->clear();
    L_ergebnis->setAccessibleDescription(QString());
    showDiagrams({}, std::nullopt);
    said_.forget(); // this drop's "Warte auf Start" is said again
    setStatus(statusWaiting(), Red);
    if (AudioIn->DeviceOpen() && AudioIn->KeepRunning()) return; // the next buffer starts anew
    if (AudioIn->DeviceOpen()) {
        startWhenClosed_ = true; // the last drop's capture is still handing back its buffers
        return;
    }
    startCapture();
}

void FallWindow::startCapture() {
    lostAtStart_ = AudioIn->LostFrames();
    if (!AudioIn->Start(&AudioIn))
        setStatus(tr("  Aufnahme nicht möglich: %1  ").arg(AudioIn->ErrorText()), Red);
}

void FallWindow::captureStopped() {
    if (!startWhenClosed_) return;
    startWhenClosed_ = false;
    startCapture();
}

void FallWindow::B_abbruchClick() {
    startWhenClosed_ = false;
    Detection.abort();
    AudioIn->StopWhenDrained();
    setStatus(tr("   Abgebrochen   "), Red);
}

bool FallWindow::bufferFilled(char* buffer, int size) {
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

void FallWindow::setCell(int column, int row, const QString&) {
    // The times to a tenth of a millisecond: a band passes in a few.
    const int k = row - 1;
    if (k < 0 || k >= SG_fall->rowCount()) return;
    const double dark = Detection.DarkTimes[std::size_t(k)];
    if (column == 1) {
        SG_fall->item(k, Dark)->setText(formatFixed(dark, 4));
        return;
    }
    // The band's speed as soon as its bright edge is known.
    const double bright = Detection.BrightTimes[std::size_t(k)];
    SG_fall->item(k, Bright)->setText(formatFixed(bright, 4));
    if (bright > dark)
        SG_fall->item(k, Speed)->setText(formatFixed(dropFence_.bandWidth() / (bright - dark), 3));
    // The diagrams follow the drop band by band; the fits come at its end.
    showDiagrams(dropSoFar(), std::nullopt);
    emit changed();
}

void FallWindow::showDiagrams(const FallDrop& drop, const std::optional<FallResult>& result) {
    const std::vector<FallPoint> points = fallPoints(drop, dropFence_);
    PB_st->showDrop(points, result);
    PB_vt->showDrop(points, result);
}

void FallWindow::setStatus(const QString& caption, Rgb colour) {
    L_status->setText(caption);
    L_status->setAccessibleName(caption.trimmed());
    said_.sayOnChange(caption);
    setTextColour(L_status, toQColor(colour));
    emit changed();
}

void FallWindow::stopCapture() {
    AudioIn->StopWhenDrained();
}

void FallWindow::runEnded(int events, bool complete) {
    FallDrop drop = dropSoFar();
    drop.complete = complete;
    // On disk before the window says the drop has ended; a journal that
    // fails says so and stops nothing.
    RunRecord record = dropRecord(drop, dropFence_, int(drops_.size()) + 1);
    //: where a drop was measured from: %1 the sound card (or "Simulation"), %2 its input
    record.source = tr("%1: %2").arg(QString::fromStdString(AudioIn->Backend().sourceName()),
                                     QString::fromStdString(AudioIn->Backend().inputName()));
    showJournalProblem(keeper_.keepRecord(record));
    if (complete)
        setStatus(statusEnded(), Red);
    else
        setStatus(tr("  Unvollständig: %1 von %2 Latten  ").arg(drop.bands()).arg(dropFence_.bands),
                  Red);
    (void)events; // the bands seen are the drop's
    drops_.push_back(drop);
    showResult(drop);
}

void FallWindow::showJournalProblem(const std::optional<QString>& problem) {
    // The table moves down to make room for the problem, and back.
    const int room = problem ? 44 : 0;
    L_journal->setText(problem.value_or(QString()));
    L_journal->setAccessibleName(L_journal->text());
    L_journal->setGeometry(16, 150, 688, room);
    L_journal->setVisible(bool(problem));
    SG_fall->setGeometry(16, 158 + room, 688, 270 - room);
}

void FallWindow::showResult(const FallDrop& drop) {
    const auto result = fitFall(drop, dropFence_);
    showDiagrams(drop, result);
    if (!result) {
        L_ergebnis->setText(tr("Kein g aus weniger als %1 Latten.").arg(FallResult::MinBands));
    } else {
        QStringList lines;
        //: %1 g with its uncertainty, %2 R²
        lines << tr("Aus s-t (Parabel): %1, R² = %2")
                     .arg(gText(result->g()), formatFixed(result->parabola.rSquared, 5));
        if (result->line)
            lines << tr("Aus v-t (Gerade): %1, R² = %2")
                         .arg(gText(result->line->slope), formatFixed(result->line->rSquared, 5));
        lines << tr("Abweichung von 9,81 m/s²: %1 %")
                     .arg(formatFixed(result->differencePercent(), 2));
        gOfDrops_.push_back(result->g());
        if (const auto series = fallSeries(gOfDrops_))
            //: %1 the number of drops, %2 their mean g with its uncertainty, %3 the standard
            //: deviation
            lines << tr("Mittel aus %1 Fällen: %2, Standardabweichung %3 m/s²")
                         .arg(series->drops)
                         .arg(gText(series->meanG), formatUncertainty(series->deviation));
        L_ergebnis->setText(lines.join('\n'));
    }
    L_ergebnis->setAccessibleDescription(L_ergebnis->text());
    emit changed();
}

FallLive FallWindow::liveView() const {
    FallLive live;
    live.shown = isVisible();
    if (!live.shown) return live;
    live.status = L_status->text();
    live.measuring = AudioIn->DeviceOpen() && !Detection.ended();
    live.table = tableTexts();
    live.result = L_ergebnis->text();
    live.pitchMm = dropFence_.pitchMm;
    live.bandWidthMm = dropFence_.bandWidthMm;
    const FallDrop drop = dropSoFar();
    live.darkTimes = drop.darkTimes;
    live.brightTimes = drop.brightTimes;
    live.ended = Detection.ended() && !drops_.empty();
    return live;
}

void FallWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    emit changed();
}

void FallWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit changed();
}

FallDrop FallWindow::dropSoFar() const {
    FallDrop drop;
    drop.darkTimes = Detection.DarkTimes;
    drop.brightTimes = Detection.BrightTimes;
    drop.darkTimes.resize(std::size_t(drop.bands())); // a band still dark is not one yet
    return drop;
}

TableTexts FallWindow::tableTexts() const {
    // The bands of the drop in the table, those seen so far while it runs.
    return fallTable(fallPoints(dropSoFar(), dropFence_));
}

void FallWindow::copyTable() {
    QApplication::clipboard()->setText(experimentClipboardText(tableTexts()));
}

bool FallWindow::exportTable(bool spreadsheet) {
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

bool FallWindow::writeTable(const QString& fileName, bool spreadsheet) {
    const TableTexts table = tableTexts();
    const QByteArray content = spreadsheet ? fallWorkbook(table) : experimentCsv(table);
    if (const auto error = saveFileAtomically(fileName, content)) {
        reportError(this, *error);
        return false;
    }
    return true;
}

QString FallWindow::cellText(int column, int row) const {
    const QTableWidgetItem* item = SG_fall->item(row, column);
    return item ? item->text() : QString();
}

} // namespace kelmot
