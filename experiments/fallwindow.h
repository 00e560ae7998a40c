// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/lightbarrierdetector.h"
#include "classroom/classroomsnapshot.h"
#include "evaluation/tabletext.h"
#include "experiments/dropkeeping.h"
#include "experiments/falldrop.h"
#include "experiments/recordkeeper.h"
#include "platform/wavein.h"
#include "store/measurementstore.h"
#include "widgets/announcement.h"

#include <QWidget>
#include <memory>
#include <vector>

class QDoubleSpinBox;
class QFileDialog;
class QGroupBox;
class QMenu;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace kelmot {

class FallDiagramView;
class TAudioIn;

// "Messen freier Fall": a picket fence dropped through one light barrier.
// The fence's geometry (remembered between starts), "Messen" and
// "Abbrechen" as in the track's window, a live table with one row per band
// (position, dark and bright time, speed), and once the drop has passed, g
// from the parabola through the leading edges and from the line through the
// speeds, each with its uncertainty, and its difference to 9,81 m/s². The
// track's detection counts the bands; the store's threshold and kind of
// signal hold, its series are left alone.
class FallWindow : public QWidget, private DetectionOutput {
    Q_OBJECT
public:
    // Each drop is kept by `keeper` before the window calls it ended.
    FallWindow(MeasurementStore& store, std::shared_ptr<platform::WaveInBackend> capture,
               RecordKeeper& keeper, QWidget* parent = nullptr);
    ~FallWindow() override;

    void B_messClick();
    void B_abbruchClick();
    // The geometry the next drop is measured with.
    FenceGeometry fence() const;
    // The drops measured since the window was made, the last one last.
    const std::vector<FallDrop>& drops() const { return drops_; }
    QString cellText(int column, int row) const;
    // What the classroom page shows of the window.
    FallLive liveView() const;
    // The table of the last drop, as the clipboard, the spreadsheet and the
    // CSV file get it.
    TableTexts tableTexts() const;
    void copyTable();
    // Asks for a file, then writes the table there; false where nothing was
    // written (cancelled, or an error the user was told of).
    bool exportTable(bool spreadsheet);
    bool writeTable(const QString& fileName, bool spreadsheet);

    QGroupBox* GB_zaun = nullptr;
    QSpinBox* SB_latten = nullptr;
    QDoubleSpinBox* SB_abstand = nullptr;
    QDoubleSpinBox* SB_breite = nullptr;
    QLabel* L_geometrie = nullptr; // why a geometry cannot be measured with
    QPushButton* B_mess = nullptr;
    QPushButton* B_abbruch = nullptr;
    QLabel* L_status = nullptr;
    QLabel* L_journal = nullptr; // why the drops are not kept, when they are not
    QTableWidget* SG_fall = nullptr;
    QLabel* L_ergebnis = nullptr;
    FallDiagramView* PB_st = nullptr; // distance over time, with the parabola
    FallDiagramView* PB_vt = nullptr; // speed over time, with the line
    QMenu* PopupMenu1 = nullptr;      // the table's: clipboard and files
    QAction* TabelleinZwischenablage1 = nullptr;
    QAction* ExportalsEXCELDatei1 = nullptr;
    QAction* ExportalsCSVDatei1 = nullptr;
    QFileDialog* SD1 = nullptr;
    TAudioIn* AudioIn = nullptr;
    LightBarrierDetector Detection;

    // Each change of the status line, told to a screen reader.
    const Announcement& announcement() const { return said_; }

signals:
    // What the window shows changed: a band, the status, the result, shown or hidden.
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
    void geometryChanged();
    void clearTable(int rows);
    void showResult(const FallDrop& drop);
    FallDrop dropSoFar() const;
    void showJournalProblem(const std::optional<QString>& problem);
    void showDiagrams(const FallDrop& drop, const std::optional<FallResult>& result);

    MeasurementStore& store_;
    RecordKeeper& keeper_;
    NullSeriesSelector noSeries_;
    std::vector<FallDrop> drops_;
    FenceGeometry dropFence_;            // the geometry the drop in the table was measured with
    std::vector<FitParameter> gOfDrops_; // of each drop that gave g, for their mean
    std::uint64_t lostAtStart_ = 0;
    bool startWhenClosed_ = false;
    Announcement said_{this, "A_status"};
};

} // namespace kelmot
