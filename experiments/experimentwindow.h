// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/measurementsession.h"
#include "classroom/experimentlive.h"
#include "evaluation/tabletext.h"
#include "experiments/recordkeeper.h"
#include "widgets/announcement.h"

#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

class QAction;
class QFileDialog;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;

namespace kelmot {

class ExperimentDiagramView;

// How a run of a one-barrier experiment came out: how the status line
// ends, the result's lines, and the record to keep (none where nothing was
// measured).
struct RunOutcome {
    SessionState state;
    QStringList resultLines;
    std::optional<RunRecord> record;
};

// The frame every one-barrier experiment's window shares: its setup box,
// "Messen" and "Abbrechen", the status line, the journal's notice, the live
// table with its popup (clipboard, .xls, CSV), the result and two diagrams
// right of the table. It measures on the session; each experiment gives its
// setup fields, its run length, its table, its result and its drawings.
class ExperimentWindow : public QWidget, private SessionClient {
    Q_OBJECT
public:
    ~ExperimentWindow() override;

    void B_messClick();
    void B_abbruchClick();
    QString cellText(int column, int row) const;
    // The table of the run in the window, those events seen so far while it
    // runs, as the clipboard, the spreadsheet and the CSV file get it.
    TableTexts tableTexts() const;
    void copyTable();
    // Asks for a file, then writes the table there; false where nothing was
    // written (cancelled, or an error the user was told of).
    bool exportTable(bool spreadsheet);
    bool writeTable(const QString& fileName, bool spreadsheet);
    // The times of the run in the window, those so far while it runs.
    const EndedRun& runInWindow() const { return run_; }
    // A run of this window is under way.
    bool measuring() const;
    // What the status line says, blanks included.
    QString statusText() const { return sessionStateText(state_); }
    QString resultText() const { return resultLines_.join(QLatin1Char('\n')); }

    QGroupBox* GB_aufbau = nullptr; // the experiment's setup fields
    QLabel* L_aufbau = nullptr;     // why a setup cannot be measured with
    QPushButton* B_mess = nullptr;
    QPushButton* B_abbruch = nullptr;
    QLabel* L_status = nullptr;
    QLabel* L_journal = nullptr; // why the runs are not kept, when they are not
    QTableWidget* SG_tabelle = nullptr;
    QLabel* L_ergebnis = nullptr;
    QMenu* PopupMenu1 = nullptr; // the table's: clipboard and files
    QAction* TabelleinZwischenablage1 = nullptr;
    QAction* ExportalsEXCELDatei1 = nullptr;
    QAction* ExportalsCSVDatei1 = nullptr;
    QFileDialog* SD1 = nullptr;

    // What the classroom page shows of the window: its title as heading,
    // the table's name as caption, and what it shows now.
    ExperimentLive liveView() const;

    // Each change of the status line, told to a screen reader.
    const Announcement& announcement() const { return said_; }

signals:
    // What the window shows changed: an event, the status, the result, shown or hidden.
    void changed();

protected:
    // The frame's sizes and names; the rest of the window follows from them.
    struct Frame {
        const char* objectName;
        QString title;
        const char* setupName; // the setup box's object name
        QString setupTitle;
        int setupHeight;
        const char* tableName; // the table's object name
        QString tableAccessibleName;
        QStringList headings;
        int tableHeight;
        int resultHeight;
    };
    // `source` is where the experiment's runs are measured from (the
    // session's own when null), `keeper` keeps each before it is called ended.
    ExperimentWindow(const Frame& frame, MeasurementSession& session,
                     std::shared_ptr<platform::WaveInBackend> source, RecordKeeper& keeper,
                     QWidget* parent);
    // The experiment on the classroom page: its key ("fall") and its two
    // diagrams' keys ("st") and names there ("s-t Diagramm des Falls").
    struct LiveSection {
        const char* key;
        std::array<std::pair<const char*, QString>, 2> diagrams;
    };
    // The end of the experiment's constructor: the diagrams placed right of
    // the table, Tab from the setup fields through the frame to the
    // diagrams, the setup checked.
    void completeFrame(const QList<QWidget*>& setupFields, ExperimentDiagramView* upper,
                       ExperimentDiagramView* lower, LiveSection live);
    // A setup field changed: checked, remembered when it can be measured with.
    void setupChanged();

    // What each experiment gives.
    virtual std::optional<QString> setupProblem() const = 0;
    virtual void rememberSetup() const = 0;
    // "Messen": the setup the next run is measured with is taken.
    virtual void takeSetup() = 0;
    RunLength runLength() const override = 0;
    // The table of a run (a header row first), as the files get it.
    virtual TableTexts tableOf(const EndedRun& run) const = 0;
    // The rows the window shows, where more are planned than measured.
    virtual TableTexts shownTableOf(const EndedRun& run) const { return tableOf(run); }
    virtual QByteArray workbookOf(const TableTexts& table) const = 0;
    // The diagrams for the run so far, with their fits once it has ended.
    virtual void showDiagrams(const EndedRun& run, bool ended) = 0;
    // The run has ended: its state, result and record.
    virtual RunOutcome evaluate(const EndedRun& run) = 0;
    // "Abbrechen" gives a run up unless the experiment ends its runs so.
    bool abortEndsRun(const EndedRun&) const override { return false; }

    MeasurementSession& session_;

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // SessionClient
    void edgeFound(EdgeKind kind, int event, double time) override;
    void stateChanged(const SessionState& state) override;
    SessionState runEnded(const EndedRun& run) override;

    void buildPopup();
    void fillTable();
    void showState(const SessionState& state);
    void showResult(const QStringList& lines);
    void showJournalProblem(const std::optional<QString>& problem);

    std::shared_ptr<platform::WaveInBackend> source_;
    RecordKeeper& keeper_;
    LiveSection live_{};
    std::array<ExperimentDiagramView*, 2> diagrams_{};
    int tableTop_ = 0;
    int tableHeight_ = 0;
    EndedRun run_;
    SessionState state_;
    QStringList resultLines_;
    Announcement said_{this, "A_status"};
};

} // namespace kelmot
