// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/runjournal.h"
#include "journal/runlistmodel.h"
#include "journal/runloader.h"

#include <QWidget>
#include <functional>

class QFileDialog;
class QVBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace kelmot {

// "Alle Messungen": every run the journal keeps, newest first, narrowed to
// today, this week or all and to a search text. A run's name is changed in
// place; the chosen runs are loaded as series, saved as data files, exported
// to one spreadsheet and one CSV file, or deleted after a question; the whole
// journal is copied into one file to keep elsewhere.
class AllRunsWindow : public QWidget {
    Q_OBJECT
public:
    // Asked before runs are deleted for good: true when they may be.
    using DeleteQuestion = std::function<bool(QWidget* parent, int count)>;

    AllRunsWindow(RunJournal& journal, RunLoader& loader, QWidget* mainWindow,
                  DeleteQuestion askDelete = {}, QWidget* parent = nullptr);

    // Shows the window with the journal as it is now.
    void open();
    void refresh();
    // Refreshes a shown list when the journal changed since.
    void follow();

    // The runs chosen in the list, newest first.
    std::vector<RunRecord> selectedRuns() const;
    // Those of the track: a drop cannot be loaded or saved as one, which is
    // said when only drops are chosen.
    std::vector<RunRecord> selectedTrackRuns();
    RunListModel& model() { return model_; }

    QLabel* L_problem = nullptr;
    QRadioButton* RB_heute = nullptr;
    QRadioButton* RB_woche = nullptr;
    QRadioButton* RB_alle = nullptr;
    QLineEdit* E_suche = nullptr;
    QTableView* Liste = nullptr;
    QPushButton* B_ladenst = nullptr;
    QPushButton* B_ladenvt = nullptr;
    QPushButton* B_umbenennen = nullptr;
    QPushButton* B_speichern = nullptr;
    QPushButton* B_export = nullptr;
    QPushButton* B_loeschen = nullptr;
    QPushButton* B_sichern = nullptr;
    QPushButton* B_schliessen = nullptr;
    QFileDialog* FolderDialog = nullptr;
    QFileDialog* ExportDialog = nullptr;
    QFileDialog* BackupDialog = nullptr; // made at its first use

    void load(bool withBrightTimes);
    void renameSelected();
    void saveSelected();
    void exportSelected();
    void deleteSelected();
    // "Sichern …": the whole journal copied into one file the user names.
    void backUpJournal();

private:
    void addFilterRow(QVBoxLayout& layout);
    void addList(QVBoxLayout& layout);
    void addButtons(QVBoxLayout& layout);
    void makeDialogs();
    void connectCommands();
    void applyFilter();
    void updateButtons();
    void showProblem();

    RunJournal& journal_;
    RunLoader& loader_;
    QWidget* mainWindow_;
    DeleteQuestion askDelete_;
    RunListModel model_;
    int shownRevision_ = -1;
};

} // namespace kelmot
