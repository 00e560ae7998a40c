// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/lightbarrierdetector.h"
#include "classroom/classroomsnapshot.h"
#include "evaluation/tabletext.h"
#include "experiments/pendulum.h"
#include "experiments/recordkeeper.h"
#include "platform/wavein.h"
#include "store/measurementstore.h"
#include "widgets/announcement.h"

#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

class QDoubleSpinBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace kelmot {

class PendulumDiagramView;
class TAudioIn;

// A swing as the window measured it: the setup it was measured with and
// every passage seen.
struct MeasuredSwing {
    PendulumSetup setup;
    std::vector<Passage> passages;
    bool complete = false; // every period asked for, or ended by "Abbrechen" when so asked
};

// "Messen Pendel": a pendulum swinging through one light barrier at its
// lowest point. Its setup (remembered between starts), "Messen" and
// "Abbrechen" as in the other measurement windows, a live table with one
// row per passage (its time at the middle of the dark interval, the dark
// interval, the speed at the bottom, every second row the period), and
// once the swing has ended T, g from the length and the decay time τ. The
// track's detection counts the passages; the store's threshold and kind of
// signal hold, its series are left alone.
class PendulumWindow : public QWidget, private DetectionOutput {
    Q_OBJECT
public:
    // Each swing is kept by `keeper` before the window calls it ended.
    PendulumWindow(MeasurementStore& store, std::shared_ptr<platform::WaveInBackend> capture,
                   RecordKeeper& keeper, QWidget* parent = nullptr);
    ~PendulumWindow() override;

    void B_messClick();
    // Ends a swing measured "bis Abbrechen" with what it has; any other is
    // given up, as in the other windows.
    void B_abbruchClick();
    // The setup the next swing is measured with.
    PendulumSetup setup() const;
    // The swings measured since the window was made, the last one last.
    const std::vector<MeasuredSwing>& swings() const { return swings_; }
    const std::optional<PendulumResult>& result() const { return result_; }
    QString cellText(int column, int row) const;
    // The table of the swing in the window, as the clipboard, the
    // spreadsheet and the CSV file get it.
    TableTexts tableTexts() const;
    void copyTable();
    // Asks for a file, then writes the table there; false where nothing was
    // written (cancelled, or an error the user was told of).
    bool exportTable(bool spreadsheet);
    bool writeTable(const QString& fileName, bool spreadsheet);

    QGroupBox* GB_pendel = nullptr;
    QDoubleSpinBox* SB_laenge = nullptr;
    QDoubleSpinBox* SB_unsicherheit = nullptr;
    QDoubleSpinBox* SB_koerper = nullptr;
    QSpinBox* SB_perioden = nullptr; // 0 shows "bis Abbrechen"
    QLabel* L_aufbau = nullptr;      // why a setup cannot be measured with
    QPushButton* B_mess = nullptr;
    QPushButton* B_abbruch = nullptr;
    QLabel* L_status = nullptr;
    QLabel* L_journal = nullptr; // why the swings are not kept, when they are not
    QTableWidget* SG_pendel = nullptr;
    QLabel* L_ergebnis = nullptr;
    PendulumDiagramView* PB_T = nullptr; // the periods over time
    PendulumDiagramView* PB_v = nullptr; // the speeds at the bottom, with the decay
    QMenu* PopupMenu1 = nullptr;         // the table's: clipboard and files
    QAction* TabelleinZwischenablage1 = nullptr;
    QAction* ExportalsEXCELDatei1 = nullptr;
    QAction* ExportalsCSVDatei1 = nullptr;
    QFileDialog* SD1 = nullptr;
    TAudioIn* AudioIn = nullptr;
    LightBarrierDetector Detection;

    // Each change of the status line, told to a screen reader.
    const Announcement& announcement() const { return said_; }

    // What the classroom page shows of the window.
    PendulumLive liveView() const;

signals:
    // What the window shows changed: a passage, the status, the result, shown or hidden.
    void changed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // DetectionOutput
    void setCell(int column, int row, const QString& text) override;
    void setStatus(const QString& caption, Rgb colour) override;
    void stopCapture() override;
    SeriesSelector& seriesSelector() override { return noSeries_; }
    void runEnded(int events, bool complete) override;

    bool bufferFilled(char* buffer, int size);
    void captureStopped();
    void startCapture();
    void setupChanged();
    void finishSwing(bool complete);
    std::vector<Passage> passagesSoFar() const;
    void showPassage(int row);
    void showResult(const MeasuredSwing& swing);
    void showDiagrams();
    void showJournalProblem(const std::optional<QString>& problem);

    MeasurementStore& store_;
    RecordKeeper& keeper_;
    NullSeriesSelector noSeries_;
    std::vector<MeasuredSwing> swings_;
    PendulumSetup swingSetup_; // the setup the swing in the table is measured with
    std::optional<PendulumResult> result_;
    int keptSwings_ = 0; // those with a passage: "Pendel 1", "Pendel 2", …
    std::uint64_t lostAtStart_ = 0;
    bool startWhenClosed_ = false;
    Announcement said_{this, "A_status"};
};

} // namespace kelmot
