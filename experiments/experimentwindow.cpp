// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/experimentwindow.h"

#include "experiments/experimentdiagramview.h"
#include "experiments/experimenttable.h"
#include "store/fileio.h"
#include "widgets/controls.h"
#include "widgets/errorreport.h"
#include "widgets/filechoice.h"
#include "widgets/keyboard.h"
#include "widgets/popupaccessibility.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

namespace kelmot {

namespace {

constexpr int Left = 16;
constexpr int Width = 688;

} // namespace

ExperimentWindow::ExperimentWindow(const Frame& frame, MeasurementSession& session,
                                   std::shared_ptr<platform::WaveInBackend> source,
                                   RecordKeeper& keeper, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), source_(std::move(source)), keeper_(keeper) {
    setObjectName(frame.objectName);
    setWindowTitle(frame.title);
    const int buttonsTop = 12 + frame.setupHeight + 12;
    tableTop_ = buttonsTop + 42;
    tableHeight_ = frame.tableHeight;
    const int resultTop = tableTop_ + tableHeight_ + 10;
    resize(1160, std::max(560, resultTop + frame.resultHeight + 14));

    GB_aufbau = place<QGroupBox>(this, frame.setupName, {Left, 12, Width, frame.setupHeight},
                                 frame.setupTitle);
    L_aufbau = place<QLabel>(GB_aufbau, "L_aufbau", {16, frame.setupHeight - 32, Width - 32, 22});
    setTextColour(L_aufbau, toQColor(Red));

    B_mess = place<QPushButton>(this, "B_mess", {Left, buttonsTop, 110, 30}, tr("Messen"));
    B_abbruch = place<QPushButton>(this, "B_abbruch", {140, buttonsTop, 110, 30}, tr("Abbrechen"));
    L_status = place<QLabel>(this, "L_status", {270, buttonsTop, 434, 30});
    L_status->setFont(sizedFont(L_status->font(), 16, true));
    L_journal = place<QLabel>(this, "L_journal", {Left, buttonsTop + 34, Width, 0});
    L_journal->setWordWrap(true);
    setTextColour(L_journal, toQColor(Red));
    L_journal->hide();

    SG_tabelle = place<QTableWidget>(this, frame.tableName, {Left, tableTop_, Width, tableHeight_});
    SG_tabelle->setColumnCount(int(frame.headings.size()));
    SG_tabelle->setHorizontalHeaderLabels(frame.headings);
    SG_tabelle->verticalHeader()->hide();
    SG_tabelle->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    SG_tabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab goes on to the result; the arrows move in the table.
    SG_tabelle->setTabKeyNavigation(false);
    SG_tabelle->setAccessibleName(frame.tableAccessibleName);
    SG_tabelle->setToolTip(tr("Rechter Mausklick öffnet Menü"));
    buildPopup();

    L_ergebnis = place<QLabel>(this, "L_ergebnis", {Left, resultTop, Width, frame.resultHeight});
    L_ergebnis->setWordWrap(true);
    L_ergebnis->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    L_ergebnis->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    L_ergebnis->setFocusPolicy(Qt::StrongFocus); // the result is read by keyboard too
    L_ergebnis->setAccessibleName(tr("Ergebnis"));

    connect(B_mess, &QPushButton::clicked, this, &ExperimentWindow::B_messClick);
    connect(B_abbruch, &QPushButton::clicked, this, &ExperimentWindow::B_abbruchClick);
    measureByKeyboard(this, B_mess, B_abbruch);
}

ExperimentWindow::~ExperimentWindow() {
    // No buffer may reach a half-destroyed window.
    session_.forget(*this);
}

void ExperimentWindow::buildPopup() {
    PopupMenu1 = new QMenu(this);
    exposePopupToScreenReaders(this, PopupMenu1);
    PopupMenu1->setObjectName("PopupMenu1");
    TabelleinZwischenablage1 = PopupMenu1->addAction(tr("Tabelle in Zwischenablage"));
    ExportalsEXCELDatei1 = PopupMenu1->addAction(tr("Export als EXCEL-Datei"));
    ExportalsCSVDatei1 = PopupMenu1->addAction(tr("Export als CSV-Datei"));
    connect(TabelleinZwischenablage1, &QAction::triggered, this, &ExperimentWindow::copyTable);
    connect(ExportalsEXCELDatei1, &QAction::triggered, this, [this] { exportTable(true); });
    connect(ExportalsCSVDatei1, &QAction::triggered, this, [this] { exportTable(false); });
    offerShortcut(SG_tabelle, TabelleinZwischenablage1, QKeySequence(Qt::CTRL | Qt::Key_C),
                  Qt::WidgetShortcut);
    markMnemonics(PopupMenu1);
    offerTablePopup(SG_tabelle, PopupMenu1);
}

void ExperimentWindow::completeFrame(const QList<QWidget*>& setupFields,
                                     ExperimentDiagramView* upper, ExperimentDiagramView* lower,
                                     LiveSection live) {
    live_ = std::move(live);
    diagrams_ = {upper, lower};
    // The diagrams right of the table, each the size of its clipboard picture.
    upper->setGeometry(730, 12, 413, 266);
    lower->setGeometry(730, 286, 413, 266);
    QList<QWidget*> order = setupFields;
    order << B_mess << B_abbruch << SG_tabelle << L_ergebnis << upper << lower;
    for (qsizetype k = 1; k < order.size(); ++k)
        setTabOrder(order[k - 1], order[k]);
    setupChanged();
    fillTable();
    showDiagrams(run_, false);
}

ExperimentLive ExperimentWindow::liveView() const {
    ExperimentLive live;
    live.key = QString::fromLatin1(live_.key);
    live.shown = isVisible();
    if (!live.shown) return live;
    live.heading = windowTitle().trimmed();
    live.caption = SG_tabelle->accessibleName();
    live.status = statusText();
    live.measuring = measuring();
    live.table = tableTexts();
    live.result = resultText();
    for (std::size_t d = 0; d < diagrams_.size(); ++d)
        live.diagrams[d] = {QString::fromLatin1(live_.diagrams[d].first), live_.diagrams[d].second,
                            diagrams_[d]->liveDrawing()};
    return live;
}

void ExperimentWindow::setupChanged() {
    const auto problem = setupProblem();
    L_aufbau->setText(problem.value_or(QString()));
    L_aufbau->setAccessibleName(L_aufbau->text());
    B_mess->setEnabled(!problem);
    // For the next run; a run in progress keeps the setup it began with. A
    // setup not remembered is only asked for again.
    if (!problem) rememberSetup();
}

void ExperimentWindow::B_messClick() {
    if (setupProblem()) return;
    takeSetup();
    run_ = {};
    fillTable();
    showResult({});
    showDiagrams(run_, false);
    said_.forget(); // this run's "Warte auf Start" is said again
    state_ = {};
    // A journal that cannot keep runs is said before the run, too.
    showJournalProblem(keeper_.problem());
    session_.measure(*this, source_);
}

void ExperimentWindow::B_abbruchClick() {
    session_.abort(*this);
}

bool ExperimentWindow::measuring() const {
    return session_.measuring(*this);
}

void ExperimentWindow::edgeFound(EdgeKind kind, int, double) {
    run_ = session_.runSoFar();
    // An event's row comes with its bright edge.
    if (kind == EdgeKind::Dark) return;
    fillTable();
    // The diagrams follow the run event by event; the fits come at its end.
    showDiagrams(run_, false);
    emit changed();
}

void ExperimentWindow::fillTable() {
    const TableTexts table = shownTableOf(run_);
    const int rows = int(table.size()) - 1;
    const bool grown = rows > SG_tabelle->rowCount();
    SG_tabelle->setRowCount(std::max(rows, 0));
    for (int k = 0; k < rows; ++k) {
        const QStringList& cells = table[std::size_t(k) + 1];
        for (int c = 0; c < cells.size() && c < SG_tabelle->columnCount(); ++c) {
            QTableWidgetItem* item = SG_tabelle->item(k, c);
            if (!item) SG_tabelle->setItem(k, c, item = new QTableWidgetItem);
            if (item->text() != cells[c]) item->setText(cells[c]);
        }
    }
    // The newest event stays in sight.
    if (grown && rows > 0 && !run_.brightTimes.empty())
        SG_tabelle->scrollToItem(SG_tabelle->item(int(run_.pairs()) - 1, 0));
}

void ExperimentWindow::stateChanged(const SessionState& state) {
    if (state == state_) return;
    showState(state);
}

void ExperimentWindow::showState(const SessionState& state) {
    state_ = state;
    const QString caption = sessionStateText(state);
    L_status->setText(caption);
    L_status->setAccessibleName(caption.trimmed());
    said_.sayOnChange(caption);
    setTextColour(L_status, toQColor(sessionStateColour(state)));
    emit changed();
}

SessionState ExperimentWindow::runEnded(const EndedRun& run) {
    run_ = run;
    fillTable();
    RunOutcome outcome = evaluate(run);
    // On disk before the window says the run has ended; a journal that
    // fails says so and stops nothing.
    if (outcome.record) {
        outcome.record->source = session_.sourceText();
        const auto failure = keeper_.keepRecord(*outcome.record);
        showJournalProblem(failure ? failure : keeper_.takeNotice());
    }
    showDiagrams(run_, true);
    showResult(outcome.resultLines);
    return outcome.state;
}

void ExperimentWindow::showResult(const QStringList& lines) {
    resultLines_ = lines;
    L_ergebnis->setText(resultText());
    L_ergebnis->setAccessibleDescription(L_ergebnis->text());
    emit changed();
}

void ExperimentWindow::showJournalProblem(const std::optional<QString>& problem) {
    // The table moves down to make room for the problem, and back.
    const int room = problem ? 44 : 0;
    L_journal->setText(problem.value_or(QString()));
    L_journal->setAccessibleName(L_journal->text());
    L_journal->setGeometry(Left, tableTop_ - 8, Width, room);
    L_journal->setVisible(bool(problem));
    SG_tabelle->setGeometry(Left, tableTop_ + room, Width, tableHeight_ - room);
}

void ExperimentWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A journal that cannot keep runs is said before the first run.
    showJournalProblem(keeper_.problem());
    emit changed();
}

void ExperimentWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit changed();
}

TableTexts ExperimentWindow::tableTexts() const {
    return tableOf(run_);
}

void ExperimentWindow::copyTable() {
    QApplication::clipboard()->setText(experimentClipboardText(tableTexts()));
}

bool ExperimentWindow::exportTable(bool spreadsheet) {
    QFileDialog& dialog = fileDialogMadeOnce(SD1, this, "SD1", FileUse::Save);
    // The dialog adds the extension itself, and so asks before replacing that file.
    dialog.setDefaultSuffix(spreadsheet ? QStringLiteral("xls") : QStringLiteral("csv"));
    dialog.setNameFilter(spreadsheet ? tr("EXCEL-Daten (*.xls);;Alle Dateien (*)")
                                     : tr("CSV-Daten (*.csv);;Alle Dateien (*)"));
    const auto chosen = chooseFileIn(dialog);
    if (!chosen) return false;
    const QString fileName =
        withExtension(*chosen, spreadsheet ? QStringLiteral(".xls") : QStringLiteral(".csv"));
    return writeTable(fileName, spreadsheet);
}

bool ExperimentWindow::writeTable(const QString& fileName, bool spreadsheet) {
    const TableTexts table = tableTexts();
    const QByteArray content = spreadsheet ? workbookOf(table) : experimentCsv(table);
    if (const auto error = saveFileAtomically(fileName, content)) {
        reportError(this, *error);
        return false;
    }
    return true;
}

QString ExperimentWindow::cellText(int column, int row) const {
    const QTableWidgetItem* item = SG_tabelle->item(row, column);
    return item ? item->text() : QString();
}

} // namespace kelmot
