// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's data-file commands: "Speichern unter", "Laden s-t" and
// "Laden v-t".
#include "app/kelmot_u.h"
#include "app/program.h"
#include "evaluation/tabelle_u.h"
#include "store/datafile.h"
#include "store/measurementstore.h"
#include "widgets/dateivorhanden_u.h"
#include "widgets/filechoice.h"
#include "widgets/tablegrid.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>

namespace kelmot {

namespace {

QString dataFilter() {
    return TForm1::tr("Kelmotdaten (*.kmd *.KMD);;Alle Dateien (*)");
}
// Far more than eleven lines of numbers: a larger file is no data file, and
// only its beginning is read.
constexpr qint64 MaxDataFileBytes = 1 << 20;

} // namespace

void TForm1::Speichernunter1Click() {
    if (!requireData()) return;
    // The program asks itself ("Die Datei besteht schon"), once the
    // extension is settled.
    QFileDialog& dialog =
        fileDialogMadeOnce(SaveDialog1, this, "SaveDialog1", FileUse::SaveCallerAsks);
    dialog.setNameFilter(dataFilter());
    if (const auto chosen = chooseFileIn(dialog)) SaveFileName = *chosen;
    // A cancelled dialog saves again under the name of an earlier save.
    if (SaveFileName.isEmpty()) return;
    SaveFileName = withDataFileExtension(SaveFileName);
    if (QFileInfo::exists(SaveFileName)) {
        if (windows_.overwrite->allowOverwrite()) Speichern();
    } else {
        Speichern();
    }
}

void TForm1::Speichern() {
    // The rows are the last run or load; the header digit is the resolution
    // of the series chosen in the table, or of the newest when none is.
    const int series = MeasurementStore::slotOf(windows_.table->selector().itemIndex()).value_or(0);
    const QByteArray text = dataFileText(store_.SeriesResolution[series], store_.RunTimes);
    if (const auto error = saveFileAtomically(SaveFileName, text)) reportError(this, *error);
}

bool TForm1::MessungLaden() {
    LoadFileName.clear();
    QFileDialog& dialog = fileDialogMadeOnce(OpenDialog1, this, "OpenDialog1", FileUse::Open);
    dialog.setNameFilter(dataFilter());
    const auto chosen = chooseFileIn(dialog);
    if (!chosen) return true; // nothing read; the table shows the store as it is
    return loadDataFile(*chosen);
}

bool TForm1::loadDataFile(const QString& path) {
    LoadFileName = path;
    Puffersetzen();
    const FileRead file = readSmallFile(LoadFileName, MaxDataFileBytes);
    if (file.error) {
        reportError(this, *file.error);
        return false;
    }
    // A header and ten rows; lines after them are not part of the format.
    const auto error = readDataFileLines(splitTextLines(file.content, 11), store_);
    if (error) {
        reportError(this, *error);
        return false;
    }
    store_.DataTitle = LoadFileName;
    store_.DataPresent = true;
    store_.SeriesName[0] = QFileInfo(LoadFileName).fileName();
    store_.refillSelector(windows_.table->selector());
    store_.SeriesCounter += 1;
    store_.SeriesColor[0] = store_.nextColour();
    return true;
}

void TForm1::showLoadedTable(bool withBrightTimes) {
    store_.ColumnCount = withBrightTimes ? 3 : 2;
    // The v-t caption says "(s-t)" too; files and users know it so.
    const QString caption = withBrightTimes ? tr("  Geschwindigkeits-Zeit-Zusammenhang (s-t)")
                                            : tr("  Weg-Zeit-Zusammenhang (s-t)");
    TForm6& t = *windows_.table;
    t.colourGridBySelectedSeries();
    if (withBrightTimes) {
        t.resize(width(), height() - 100);
        t.move(0, t.y());
    }
    t.present(caption, false, width());
    setGridPointSize(t.SG2, 14);
    const int resolution = store_.SeriesResolution[0];
    if (withBrightTimes) {
        t.setHeader(2, TableColumn::BrightTime);
        t.setColumn(1, timeColumn(store_.RunTimes[0], resolution));
        t.setColumn(2, timeColumn(store_.RunTimes[1], resolution));
    } else {
        t.setColumn(1, timeColumn(store_.SeriesDarkTimes[0], resolution));
    }
    t.showControls(TForm6::Controls::LoadedTable);
    t.L_daten->setText(tr("Daten : %1").arg(store_.DataTitle));
}

void TForm1::loadRuns(const std::vector<RunRecord>& runs, bool withBrightTimes) {
    if (runs.empty()) return;
    hidePicture();
    // Oldest first, so that the newest chosen ends up as the newest series.
    const std::size_t count = std::min<std::size_t>(runs.size(), store_.threeLists() ? 3 : 1);
    for (std::size_t i = count; i-- > 0;) {
        const RunRecord& run = runs[i];
        store_.loadSeries(run.darkTimes, run.brightTimes, run.resolution, run.name,
                          windows_.table->selector());
    }
    showLoadedTable(withBrightTimes);
}

void TForm1::showRecoveredLesson() {
    hidePicture();
    store_.refillSelector(windows_.table->selector());
    windows_.table->selector().setShown(store_.threeLists());
    showLoadedTable(false);
    showJournalNotice(tr("Die Messungen der letzten Sitzung sind wiederhergestellt."));
}

void TForm1::showJournalNotice(const QString& text) {
    // Not modal: the program is ready to measure while the notice stands.
    auto* box =
        new QMessageBox(QMessageBox::Information, tr("   Kelmot"), text, QMessageBox::Ok, this);
    box->setObjectName("JournalNotice");
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

void TForm1::openDataFile(const QString& path) {
    hidePicture();
    if (loadDataFile(path)) showLoadedTable(false);
}

void TForm1::Ladenst1Click() {
    hidePicture();
    if (MessungLaden()) showLoadedTable(false);
}

void TForm1::Ladenvt1Click() {
    hidePicture();
    if (MessungLaden()) showLoadedTable(true);
}

} // namespace kelmot
