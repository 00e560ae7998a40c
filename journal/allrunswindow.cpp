// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/allrunswindow.h"

#include "evaluation/csvwriter.h"
#include "evaluation/xlswriter.h"
#include "journal/runtables.h"
#include "store/datafile.h"
#include "store/fileio.h"
#include "widgets/controls.h"
#include "widgets/errorreport.h"
#include "widgets/filechoice.h"
#include "widgets/screenfit.h"
#include "widgets/windowplaces.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace kelmot {

namespace {

bool askWithMessageBox(QWidget* parent, int count) {
    QMessageBox box(QMessageBox::Question, AllRunsWindow::tr("   Alle Messungen"),
                    AllRunsWindow::tr("%n Messung(en) endgültig löschen?", nullptr, count),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

AllRunsWindow::AllRunsWindow(RunJournal& journal, RunLoader& loader, QWidget* mainWindow,
                             DeleteQuestion askDelete, QWidget* parent)
    : QWidget(parent, Qt::Window), journal_(journal), loader_(loader), mainWindow_(mainWindow),
      askDelete_(askDelete ? std::move(askDelete) : DeleteQuestion(askWithMessageBox)),
      model_([this](qint64 id, const QString& name) {
          if (const auto failure = journal_.rename(id, name)) {
              reportError(this, *failure);
              return false;
          }
          return true;
      }) {
    setObjectName("AllRuns");
    setWindowTitle(tr("   Alle Messungen"));
    resize(900, 560);

    auto* layout = new QVBoxLayout(this);
    L_problem = new QLabel(this);
    L_problem->setObjectName("L_problem");
    L_problem->setWordWrap(true);
    L_problem->setFont(sizedFont(L_problem->font(), 13, true));
    setTextColour(L_problem, toQColor(Red));
    L_problem->hide();
    layout->addWidget(L_problem);

    addFilterRow(*layout);
    addList(*layout);
    addButtons(*layout);
    makeDialogs();
    connectCommands();
    updateButtons();
}

// The span of days and the search field above the list.
void AllRunsWindow::addFilterRow(QVBoxLayout& layout) {
    auto* filterRow = new QHBoxLayout;
    auto* span = new QGroupBox(tr("Zeitraum"), this);
    auto* spanLayout = new QHBoxLayout(span);
    RB_heute = new QRadioButton(tr("Heute"), span);
    RB_woche = new QRadioButton(tr("Diese Woche"), span);
    RB_alle = new QRadioButton(tr("Alle"), span);
    RB_heute->setObjectName("RB_heute");
    RB_woche->setObjectName("RB_woche");
    RB_alle->setObjectName("RB_alle");
    RB_alle->setChecked(true);
    for (QRadioButton* b : {RB_heute, RB_woche, RB_alle})
        spanLayout->addWidget(b);
    filterRow->addWidget(span);
    auto* searchLabel = new QLabel(tr("&Suchen:"), this);
    E_suche = new QLineEdit(this);
    E_suche->setObjectName("E_suche");
    E_suche->setClearButtonEnabled(true);
    searchLabel->setBuddy(E_suche);
    filterRow->addWidget(searchLabel);
    filterRow->addWidget(E_suche, 1);
    layout.addLayout(filterRow);
}

// The list of runs: rows chosen whole, a name edited in place.
void AllRunsWindow::addList(QVBoxLayout& layout) {
    Liste = new QTableView(this);
    Liste->setObjectName("Liste");
    Liste->setAccessibleName(tr("Alle Messungen"));
    Liste->setModel(&model_);
    Liste->setSelectionBehavior(QAbstractItemView::SelectRows);
    Liste->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Liste->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    Liste->setTabKeyNavigation(false);
    Liste->verticalHeader()->hide();
    Liste->horizontalHeader()->setStretchLastSection(true);
    Liste->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    layout.addWidget(Liste, 1);
}

// The commands below the list, "Schließen" apart at the right.
void AllRunsWindow::addButtons(QVBoxLayout& layout) {
    auto* buttons = new QHBoxLayout;
    const auto button = [&](QPushButton*& b, const char* name, const QString& caption) {
        b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
    };
    button(B_ladenst, "B_ladenst", tr("Laden s-t"));
    button(B_ladenvt, "B_ladenvt", tr("Laden v-t"));
    button(B_umbenennen, "B_umbenennen", tr("Umbenennen"));
    button(B_speichern, "B_speichern", tr("Speichern unter"));
    button(B_export, "B_export", tr("Export"));
    button(B_loeschen, "B_loeschen", tr("Löschen"));
    button(B_sichern, "B_sichern", tr("Sichern …"));
    B_sichern->setToolTip(tr("Das ganze Messungsjournal in eine Datei sichern"));
    buttons->addStretch(1);
    button(B_schliessen, "B_schliessen", tr("Schließen"));
    layout.addLayout(buttons);
}

void AllRunsWindow::makeDialogs() {
    FolderDialog = new QFileDialog(this, tr("Ordner für die Messdateien"));
    FolderDialog->setObjectName("FolderDialog");
    FolderDialog->setFileMode(QFileDialog::Directory);
    FolderDialog->setOption(QFileDialog::ShowDirsOnly);
    FolderDialog->setAcceptMode(QFileDialog::AcceptOpen);
    ExportDialog = new QFileDialog(this, tr("Export"), QString(),
                                   tr("Excel-Dateien (*.xls);;Alle Dateien (*)"));
    ExportDialog->setObjectName("ExportDialog");
    ExportDialog->setAcceptMode(QFileDialog::AcceptSave);
}

void AllRunsWindow::connectCommands() {
    // State changes, not clicks: the keyboard and screen readers choose too.
    for (QRadioButton* b : {RB_heute, RB_woche, RB_alle})
        connect(b, &QRadioButton::toggled, this, [this](bool on) {
            if (on) applyFilter();
        });
    connect(E_suche, &QLineEdit::textChanged, this, &AllRunsWindow::applyFilter);
    connect(B_ladenst, &QPushButton::clicked, this, [this] { load(false); });
    connect(B_ladenvt, &QPushButton::clicked, this, [this] { load(true); });
    connect(B_umbenennen, &QPushButton::clicked, this, &AllRunsWindow::renameSelected);
    connect(B_speichern, &QPushButton::clicked, this, &AllRunsWindow::saveSelected);
    connect(B_export, &QPushButton::clicked, this, &AllRunsWindow::exportSelected);
    connect(B_loeschen, &QPushButton::clicked, this, &AllRunsWindow::deleteSelected);
    connect(B_sichern, &QPushButton::clicked, this, &AllRunsWindow::backUpJournal);
    connect(B_schliessen, &QPushButton::clicked, this, &QWidget::close);
    connect(Liste->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &AllRunsWindow::updateButtons);
    connect(&model_, &QAbstractItemModel::modelReset, this, &AllRunsWindow::updateButtons);
}

void AllRunsWindow::open() {
    refresh();
    if (mainWindow_)
        setGeometry(fittedGeometry(
            {mainWindow_->x(), mainWindow_->y() + ClientTop, std::max(width(), 900), height()},
            this, mainWindow_));
    show();
    raise();
    activateWindow();
    Liste->setFocus();
    if (model_.rowCount() > 0 && !Liste->selectionModel()->hasSelection()) Liste->selectRow(0);
}

void AllRunsWindow::follow() {
    if (isVisible() && journal_.revision() != shownRevision_) refresh();
}

void AllRunsWindow::refresh() {
    shownRevision_ = journal_.revision();
    model_.setRuns(journal_.summaries());
    Liste->resizeColumnsToContents();
    showProblem();
}

void AllRunsWindow::showProblem() {
    QString text = journal_.problem();
    if (text.isEmpty() && !journal_.readable())
        text = tr("Das Messungsjournal lässt sich nicht öffnen.");
    // The runs before it are in the file moved aside, not in this list.
    if (text.isEmpty()) text = journal_.movedAsideNotice();
    L_problem->setText(text);
    L_problem->setAccessibleName(text);
    L_problem->setVisible(!text.isEmpty());
}

void AllRunsWindow::applyFilter() {
    const RunListModel::Span span = RB_heute->isChecked()   ? RunListModel::Span::Today
                                    : RB_woche->isChecked() ? RunListModel::Span::ThisWeek
                                                            : RunListModel::Span::All;
    model_.setFilter(span, E_suche->text());
}

void AllRunsWindow::updateButtons() {
    const bool chosen = Liste->selectionModel() && Liste->selectionModel()->hasSelection();
    const bool writable = journal_.keeping();
    for (QPushButton* b : {B_ladenst, B_ladenvt, B_speichern, B_export})
        b->setEnabled(chosen);
    B_umbenennen->setEnabled(chosen && writable);
    B_loeschen->setEnabled(chosen && writable);
    B_sichern->setEnabled(journal_.readable());
}

std::vector<RunRecord> AllRunsWindow::selectedRuns() const {
    std::vector<RunRecord> runs;
    QModelIndexList rows = Liste->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& row : rows)
        if (auto run = journal_.run(model_.runAt(row.row()).id)) runs.push_back(std::move(*run));
    return runs;
}

std::vector<RunRecord> AllRunsWindow::selectedTrackRuns() {
    std::vector<RunRecord> runs;
    bool drops = false;
    bool swings = false;
    bool turns = false;
    for (RunRecord& run : selectedRuns()) {
        drops |= bool(run.drop);
        swings |= bool(run.swing);
        turns |= bool(run.events);
        if (!run.oneBarrier()) runs.push_back(std::move(run));
    }
    // A drop's bands and a swing's passages are no track's ten barriers:
    // they are exported as a table.
    if (drops && runs.empty())
        reportError(this, tr("Ein freier Fall lässt sich nur als Tabelle exportieren."));
    else if (swings && runs.empty())
        reportError(this, tr("Ein Pendel lässt sich nur als Tabelle exportieren."));
    else if (turns && runs.empty())
        reportError(this, tr("Ein Speichenrad lässt sich nur als Tabelle exportieren."));
    return runs;
}

void AllRunsWindow::load(bool withBrightTimes) {
    const auto runs = selectedTrackRuns();
    if (runs.empty()) return;
    loader_.loadRuns(runs, withBrightTimes);
}

void AllRunsWindow::renameSelected() {
    const QModelIndex current = Liste->currentIndex();
    if (!current.isValid()) return;
    const QModelIndex name = model_.index(current.row(), RunListModel::Name);
    Liste->setCurrentIndex(name);
    Liste->edit(name);
}

void AllRunsWindow::saveSelected() {
    const auto runs = selectedTrackRuns();
    if (runs.empty()) return;
    const auto folder = chooseFileIn(*FolderDialog);
    if (!folder) return;
    for (const RunRecord& run : runs) {
        const QString path =
            QDir(*folder).filePath(runFileName(run, QString::fromLatin1(DataFileExtension)));
        if (const auto error = saveFileAtomically(path, runDataFile(run))) {
            reportError(this, *error);
            return;
        }
    }
}

void AllRunsWindow::exportSelected() {
    const auto runs = selectedRuns();
    if (runs.empty()) return;
    const auto chosen = chooseFileIn(*ExportDialog);
    if (!chosen) return;
    const QLocale locale;
    const TableTexts table = runsTable(runs, locale);
    const QString xls = withExtension(*chosen, QStringLiteral(".xls"));
    const QString csv = withExtension(*chosen, QStringLiteral(".csv"));
    if (auto error = saveFileAtomically(
            xls, xlsWorkbook(tr("Messungen"), table, locale.decimalPoint().at(0)))) {
        reportError(this, *error);
        return;
    }
    if (auto error = saveFileAtomically(csv, csvFile(table, locale))) reportError(this, *error);
}

void AllRunsWindow::deleteSelected() {
    const auto runs = selectedRuns();
    if (runs.empty() || !askDelete_(this, int(runs.size()))) return;
    QList<qint64> ids;
    for (const RunRecord& run : runs)
        ids << run.id;
    if (const auto failure = journal_.remove(ids)) reportError(this, *failure);
    refresh();
}

void AllRunsWindow::backUpJournal() {
    const bool first = !BackupDialog;
    QFileDialog& dialog = fileDialogMadeOnce(BackupDialog, this, "BackupDialog", FileUse::Save);
    if (first) {
        dialog.setWindowTitle(tr("Messungsjournal sichern"));
        dialog.setNameFilters({tr("Messungsjournale (*.sqlite)"), tr("Alle Dateien (*)")});
        dialog.setDefaultSuffix(QStringLiteral("sqlite"));
        dialog.selectFile(
            QStringLiteral("kelmot-%1.sqlite").arg(QDate::currentDate().toString(Qt::ISODate)));
    }
    const auto chosen = chooseFileIn(dialog);
    if (!chosen) return;
    if (const auto failure = journal_.backUp(*chosen)) reportError(this, *failure);
}

} // namespace kelmot
