// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/AudioIO.h"
#include "acquisition/measurementsession.h"
#include "acquisition/runkeeper.h"
#include "widgets/announcement.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace kelmot {

// The measurement window: the sound card and input in use, the live table
// of the ten barriers, the time resolution, "Messen" / "Abbrechen" and the
// status line. It measures on the session, which names the card and input.
class TForm2 : public QWidget, private SessionClient {
    Q_OBJECT
public:
    // `mainWindow` gives the size the window takes, `selector` lists the
    // series a run stores, `keeper` keeps each completed run on disk.
    TForm2(MeasurementStore& store, const QWidget* mainWindow, MeasurementSession& session,
           SeriesSelector& selector, RunKeeper& keeper, QWidget* parent = nullptr);
    ~TForm2() override;

    void FormCreate();
    void FormResize();
    void RB1Click();
    void RB2Click();
    void B_messClick();
    void B_abbruchClick();

    // What "Messen s-t" and "Messen v-t" do with this window once the
    // column count is set: caption, size, show, fresh table.
    void prepareRun(const QString& caption, bool withBrightTimes);

    QString cellText(int column, int row) const;
    // Whether the live table has the bright times (a v-t run).
    bool showsBrightTimes() const { return brightTimes_; }
    // Whether the session's capture is open (whichever window measures).
    bool captureOpen() const;
    // What the status line says, blanks included; empty while it shows nothing.
    QString statusText() const;

    // The session's watchdog: a sound card that stops delivering.
    void checkDeviceAlive();
    void setClock(std::function<std::int64_t()> clock);
    // "SOUNDKARTE :  <card><gap blanks>EINGANG:  <line>"
    QString mixerInfoText(int gap) const;
    // Where the samples come from, as the journal keeps it: "card: input".
    QString sourceText() const;

    QLabel* L_mixerinfo = nullptr;
    QLabel* L_status = nullptr;
    // Why runs are not being kept on disk; hidden while they are.
    QLabel* L_journal = nullptr;
    // What looks wrong about the last run; hidden when nothing does.
    QLabel* L_hinweis = nullptr;
    QTableWidget* SG1 = nullptr;
    QGroupBox* GB1 = nullptr;
    QRadioButton* RB1 = nullptr;
    QRadioButton* RB2 = nullptr;
    QGroupBox* GB2 = nullptr;
    QPushButton* B_mess = nullptr;
    QPushButton* B_abbruch = nullptr;
    // "Zeiten ansagen": each barrier's time to a screen reader as it fills.
    QCheckBox* CB_ansage = nullptr;
    TAudioIn* AudioIn = nullptr; // the session's

    LightBarrierDetector& Detection; // the session's

    // What a screen reader is told without the focus moving: each change of
    // the status line and, with CB_ansage, each barrier's row.
    const Announcement& announcement() const { return said_; }

signals:
    // The live table or the status line changed (once a buffer at most):
    // what the classroom view follows.
    void liveTableChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void placeTexts();
    void placeTableAndControls();
    void connectControls();

    // SessionClient
    RunLength runLength() const override { return {}; }
    void edgeFound(EdgeKind kind, int event, double time) override;
    void stateChanged(const SessionState& state) override;
    SeriesSelector& seriesSelector() override;
    void runCommitted() override;
    void showHint(const QString& hint) override;
    void bufferAnalysed() override;
    void showJournalProblem(const std::optional<QString>& problem);
    void setCell(int column, int row, const QString& text);
    // Emits liveTableChanged when a cell or the status changed since the last time.
    void announceLiveTable();
    void labelPositions(int column, int decimals);
    void placeNotices();
    // Says the barrier's row once its last time shown is in.
    void announceRow(int column, int row);

    MeasurementStore& store_;
    const QWidget* mainWindow_;
    MeasurementSession& session_;
    SeriesSelector& selector_;
    RunKeeper& keeper_;
    bool brightTimes_ = false;
    bool liveChanged_ = false;
    std::optional<SessionState> shownState_; // what the status line says, none while blank
    Announcement said_{this, "A_status"};
};

} // namespace kelmot
