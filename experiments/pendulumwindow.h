// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/classroomsnapshot.h"
#include "experiments/experimentwindow.h"
#include "experiments/pendulum.h"

#include <optional>
#include <vector>

class QDoubleSpinBox;
class QSpinBox;

namespace kelmot {

class PendulumDiagramView;

// A swing as the window measured it: the setup it was measured with and
// every passage seen.
struct MeasuredSwing {
    PendulumSetup setup;
    std::vector<Passage> passages;
    bool complete = false; // every period asked for, or ended by "Abbrechen" when so asked
};

// "Messen Pendel": a pendulum swinging through one light barrier at its
// lowest point. Its setup (remembered between starts), a live table with
// one row per passage (its time at the middle of the dark interval, the
// dark interval, the speed at the bottom, every second row the period), and
// once the swing has ended T, g from the length and the decay time τ. The
// store's threshold and kind of signal hold, its series are left alone.
class PendulumWindow : public ExperimentWindow {
    Q_OBJECT
public:
    PendulumWindow(MeasurementSession& session, std::shared_ptr<platform::WaveInBackend> source,
                   RecordKeeper& keeper, QWidget* parent = nullptr);

    // The setup the next swing is measured with.
    PendulumSetup setup() const;
    // The swings measured since the window was made, the last one last.
    const std::vector<MeasuredSwing>& swings() const { return swings_; }
    const std::optional<PendulumResult>& result() const { return result_; }

    QDoubleSpinBox* SB_laenge = nullptr;
    QDoubleSpinBox* SB_unsicherheit = nullptr;
    QDoubleSpinBox* SB_koerper = nullptr;
    QSpinBox* SB_perioden = nullptr;     // 0 shows "bis Abbrechen"
    PendulumDiagramView* PB_T = nullptr; // the periods over time
    PendulumDiagramView* PB_v = nullptr; // the speeds at the bottom, with the decay

protected:
    std::optional<QString> setupProblem() const override;
    void rememberSetup() const override;
    void takeSetup() override;
    RunLength runLength() const override;
    TableTexts tableOf(const EndedRun& run) const override;
    QByteArray workbookOf(const TableTexts& table) const override;
    void showDiagrams(const EndedRun& run, bool ended) override;
    RunOutcome evaluate(const EndedRun& run) override;
    // Measured "bis Abbrechen", "Abbrechen" ends the swing with what it has.
    bool abortEndsRun(const EndedRun& soFar) const override;

private:
    std::vector<Passage> passagesOfRun(const EndedRun& run) const;
    SessionState endState(const MeasuredSwing& swing) const;

    std::vector<MeasuredSwing> swings_;
    PendulumSetup swingSetup_; // the setup the swing in the table is measured with
    std::optional<PendulumResult> result_;
    int keptSwings_ = 0; // those with a passage: "Pendel 1", "Pendel 2", …
};

} // namespace kelmot
