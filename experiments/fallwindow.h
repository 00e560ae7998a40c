// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/classroomsnapshot.h"
#include "experiments/experimentwindow.h"
#include "experiments/falldrop.h"

#include <vector>

class QDoubleSpinBox;
class QSpinBox;

namespace kelmot {

class FallDiagramView;

// "Messen freier Fall": a picket fence dropped through one light barrier.
// The fence's geometry (remembered between starts), a live table with one
// row per band (position, dark and bright time, speed), and once the drop
// has passed, g from the parabola through the leading edges and from the
// line through the speeds, each with its uncertainty, and its difference
// to 9,81 m/s². The store's threshold and kind of signal hold, its series
// are left alone.
class FallWindow : public ExperimentWindow {
    Q_OBJECT
public:
    FallWindow(MeasurementSession& session, std::shared_ptr<platform::WaveInBackend> source,
               RecordKeeper& keeper, QWidget* parent = nullptr);

    // The geometry the next drop is measured with.
    FenceGeometry fence() const;
    // The drops measured since the window was made, the last one last.
    const std::vector<FallDrop>& drops() const { return drops_; }

    QSpinBox* SB_latten = nullptr;
    QDoubleSpinBox* SB_abstand = nullptr;
    QDoubleSpinBox* SB_breite = nullptr;
    FallDiagramView* PB_st = nullptr; // distance over time, with the parabola
    FallDiagramView* PB_vt = nullptr; // speed over time, with the line

protected:
    std::optional<QString> setupProblem() const override;
    void rememberSetup() const override;
    void takeSetup() override { dropFence_ = fence(); }
    RunLength runLength() const override;
    TableTexts tableOf(const EndedRun& run) const override;
    TableTexts shownTableOf(const EndedRun& run) const override;
    QByteArray workbookOf(const TableTexts& table) const override;
    void showDiagrams(const EndedRun& run, bool ended) override;
    RunOutcome evaluate(const EndedRun& run) override;

private:
    QStringList resultLines(const FallDrop& drop);

    std::vector<FallDrop> drops_;
    FenceGeometry dropFence_;            // the geometry the drop in the table was measured with
    std::vector<FitParameter> gOfDrops_; // of each drop that gave g, for their mean
};

} // namespace kelmot
