// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/pendulumwindow.h"

#include "experiments/pendulumanalysis.h"
#include "experiments/pendulumdiagramview.h"
#include "experiments/pendulumtable.h"
#include "experiments/swingkeeping.h"
#include "widgets/controls.h"

#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

namespace kelmot {

PendulumWindow::PendulumWindow(MeasurementSession& session,
                               std::shared_ptr<platform::WaveInBackend> source,
                               RecordKeeper& keeper, QWidget* parent)
    : ExperimentWindow({"PendulumWindow", tr("   Pendel durch eine Lichtschranke"), "GB_pendel",
                        tr("   Pendel   "), 124, "SG_pendel", tr("Messtabelle des Pendels"),
                        pendulumTable({})[0], 250, 136},
                       session, std::move(source), keeper, parent) {
    auto* laenge =
        place<QLabel>(GB_aufbau, "L_laenge", {16, 28, 150, 24}, tr("Pendellänge in mm:"));
    SB_laenge = place<QDoubleSpinBox>(GB_aufbau, "SB_laenge", {170, 28, 90, 24});
    SB_laenge->setRange(50, 10000);
    SB_laenge->setDecimals(1);
    laenge->setBuddy(SB_laenge);
    auto* unsicherheit =
        place<QLabel>(GB_aufbau, "L_unsicherheit", {276, 28, 70, 24}, tr("± in mm:"));
    SB_unsicherheit = place<QDoubleSpinBox>(GB_aufbau, "SB_unsicherheit", {350, 28, 70, 24});
    SB_unsicherheit->setRange(0, 1000);
    SB_unsicherheit->setDecimals(1);
    unsicherheit->setBuddy(SB_unsicherheit);
    SB_unsicherheit->setAccessibleName(tr("Unsicherheit der Pendellänge in mm"));
    auto* koerper =
        place<QLabel>(GB_aufbau, "L_koerper", {436, 28, 160, 24}, tr("Körperbreite in mm:"));
    SB_koerper = place<QDoubleSpinBox>(GB_aufbau, "SB_koerper", {600, 28, 72, 24});
    SB_koerper->setRange(1, 200);
    SB_koerper->setDecimals(1);
    koerper->setBuddy(SB_koerper);
    auto* perioden = place<QLabel>(GB_aufbau, "L_perioden", {16, 60, 150, 24}, tr("Perioden:"));
    SB_perioden = place<QSpinBox>(GB_aufbau, "SB_perioden", {170, 60, 130, 24});
    SB_perioden->setRange(0, PendulumSetup::MaxPeriods);
    // Below 1 the swing is measured until "Abbrechen" or until it stops.
    SB_perioden->setSpecialValueText(tr("bis Abbrechen"));
    perioden->setBuddy(SB_perioden);

    PB_T = new PendulumDiagramView(PendulumQuantity::Period, tr("Perioden-Diagramm"), this);
    PB_T->setObjectName("PB_T");
    PB_v = new PendulumDiagramView(PendulumQuantity::Speed, tr("Geschwindigkeits-Diagramm"), this);
    PB_v->setObjectName("PB_v");

    const PendulumSetup remembered = rememberedPendulum();
    SB_laenge->setValue(remembered.lengthMm);
    SB_unsicherheit->setValue(remembered.lengthUncertaintyMm);
    SB_koerper->setValue(remembered.bobWidthMm);
    SB_perioden->setValue(remembered.periods);
    swingSetup_ = remembered;
    connect(SB_laenge, &QDoubleSpinBox::valueChanged, this, &PendulumWindow::setupChanged);
    connect(SB_unsicherheit, &QDoubleSpinBox::valueChanged, this, &PendulumWindow::setupChanged);
    connect(SB_koerper, &QDoubleSpinBox::valueChanged, this, &PendulumWindow::setupChanged);
    connect(SB_perioden, &QSpinBox::valueChanged, this, &PendulumWindow::setupChanged);
    completeFrame({SB_laenge, SB_unsicherheit, SB_koerper, SB_perioden}, PB_T, PB_v,
                  {"pendulum",
                   {{{"period", tr("Perioden-Diagramm des Pendels")},
                     {"speed", tr("Geschwindigkeits-Diagramm des Pendels")}}}});
}

PendulumSetup PendulumWindow::setup() const {
    PendulumSetup s;
    s.lengthMm = SB_laenge->value();
    s.lengthUncertaintyMm = SB_unsicherheit->value();
    s.bobWidthMm = SB_koerper->value();
    s.periods = SB_perioden->value();
    return s;
}

std::optional<QString> PendulumWindow::setupProblem() const {
    return pendulumSetupProblem(setup());
}

void PendulumWindow::rememberSetup() const {
    rememberPendulum(setup());
}

void PendulumWindow::takeSetup() {
    swingSetup_ = setup();
    result_.reset();
}

RunLength PendulumWindow::runLength() const {
    return pendulumRunLength(setup());
}

std::vector<Passage> PendulumWindow::passagesOfRun(const EndedRun& run) const {
    // A passage is one once the bob has left the beam again.
    return passagesOf(run.darkTimes, run.brightTimes, swingSetup_.bobWidth());
}

TableTexts PendulumWindow::tableOf(const EndedRun& run) const {
    return pendulumTable(passagesOfRun(run));
}

QByteArray PendulumWindow::workbookOf(const TableTexts& table) const {
    return pendulumWorkbook(table);
}

void PendulumWindow::showDiagrams(const EndedRun& run, bool) {
    const std::vector<Passage> passages = passagesOfRun(run);
    PB_T->showSwing(passages, swingSetup_.bobWidth(), result_);
    PB_v->showSwing(passages, swingSetup_.bobWidth(), result_);
}

bool PendulumWindow::abortEndsRun(const EndedRun& soFar) const {
    // "Bis Abbrechen": the swing so far is the measurement.
    return swingSetup_.periods == 0 && !passagesOfRun(soFar).empty();
}

RunOutcome PendulumWindow::evaluate(const EndedRun& run) {
    // Ended by the count of passages, by a beam quiet for two periods (a
    // pendulum stopped by hand ends with what it has), or by "Abbrechen".
    MeasuredSwing swing;
    swing.setup = swingSetup_;
    swing.passages = passagesOfRun(run);
    swing.complete = run.complete;
    RunOutcome outcome;
    // A bob that never left the beam measured nothing to keep.
    if (!swing.passages.empty())
        outcome.record =
            swingRecord(run.darkTimes, run.brightTimes, swingSetup_, run.complete, ++keptSwings_);
    outcome.state = endState(swing);
    result_ = fitPendulum(swing.passages, swing.setup);
    if (!result_)
        outcome.resultLines << tr("Keine Periode aus weniger als drei Durchgängen.");
    else
        outcome.resultLines = pendulumResultLines(*result_);
    if (run.darkTimes.size() > run.brightTimes.size()) outcome.resultLines << beamBlockedText();
    swings_.push_back(std::move(swing));
    return outcome;
}

SessionState PendulumWindow::endState(const MeasuredSwing& swing) const {
    // "Bis Abbrechen": the swing died away or was stopped, and is whole.
    if (swing.complete || swing.setup.periods == 0) return {SessionPhase::Ended, {}};
    //: %1 the passages measured, %2 those a whole measurement has
    return {SessionPhase::Incomplete, tr("Unvollständig: %1 von %2 Durchgängen")
                                          .arg(swing.passages.size())
                                          .arg(swing.setup.passages())};
}

} // namespace kelmot
