// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "experiments/experimentwindow.h"
#include "experiments/pulley.h"

#include <optional>
#include <vector>

class QDoubleSpinBox;
class QSpinBox;

namespace kelmot {

class FallDiagramView;

// "Messen Rad": a spoked pulley turning through one light barrier, under an
// Atwood machine or a cart pulled by a falling weight. Its setup
// (remembered), a row per spoke (angle, string position, dark and bright
// time, speed), and once the turns are measured the string's acceleration
// with its uncertainty, the wheel's angular acceleration and, with the
// masses given, what a frictionless, massless pulley would give.
class PulleyWindow : public ExperimentWindow {
    Q_OBJECT
public:
    PulleyWindow(MeasurementSession& session, std::shared_ptr<platform::WaveInBackend> source,
                 RecordKeeper& keeper, QWidget* parent = nullptr);

    // The setup the next turn is measured with.
    PulleySetup setup() const;
    // The result of the turn in the window, once it has ended.
    const std::optional<PulleyResult>& result() const { return result_; }
    int turnsMeasured() const { return kept_; }

    QSpinBox* SB_speichen = nullptr;
    QDoubleSpinBox* SB_radius = nullptr;
    QDoubleSpinBox* SB_unsicherheit = nullptr;
    QSpinBox* SB_umdrehungen = nullptr;
    QDoubleSpinBox* SB_masse1 = nullptr; // 0 shows "keine"
    QDoubleSpinBox* SB_masse2 = nullptr;
    FallDiagramView* PB_st = nullptr; // the string's position over time, with the parabola
    FallDiagramView* PB_vt = nullptr; // its speed, with the line

protected:
    std::optional<QString> setupProblem() const override;
    void rememberSetup() const override;
    void takeSetup() override;
    RunLength runLength() const override;
    TableTexts tableOf(const EndedRun& run) const override;
    QByteArray workbookOf(const TableTexts& table) const override;
    void showDiagrams(const EndedRun& run, bool ended) override;
    RunOutcome evaluate(const EndedRun& run) override;

private:
    void buildSetupFields();

    PulleySetup turnSetup_; // the setup the turn in the table is measured with
    std::optional<PulleyResult> result_;
    int kept_ = 0; // "Rad 1", "Rad 2", …
};

} // namespace kelmot
