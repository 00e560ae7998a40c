// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/pulleywindow.h"

#include "experiments/falldiagramview.h"
#include "experiments/pulleytable.h"
#include "widgets/controls.h"

#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

namespace kelmot {

PulleyWindow::PulleyWindow(MeasurementSession& session,
                           std::shared_ptr<platform::WaveInBackend> source, RecordKeeper& keeper,
                           QWidget* parent)
    : ExperimentWindow({"PulleyWindow", tr("   Speichenrad durch eine Lichtschranke"), "GB_rad",
                        tr("   Speichenrad   "), 124, "SG_rad", tr("Messtabelle des Speichenrads"),
                        pulleyTable({}, 1)[0], 250, 136},
                       session, std::move(source), keeper, parent) {
    buildSetupFields();
    PB_st = new FallDiagramView(FallQuantity::Distance, tr("s-t-Diagramm"), this);
    PB_st->setObjectName("PB_st");
    PB_st->setSubject(FallSubject::Pulley);
    PB_vt = new FallDiagramView(FallQuantity::Speed, tr("v-t-Diagramm"), this);
    PB_vt->setObjectName("PB_vt");
    PB_vt->setSubject(FallSubject::Pulley);

    const PulleySetup remembered = rememberedPulley();
    SB_speichen->setValue(remembered.spokes);
    SB_radius->setValue(remembered.radiusMm);
    SB_unsicherheit->setValue(remembered.radiusUncertaintyMm);
    SB_umdrehungen->setValue(remembered.turns);
    SB_masse1->setValue(remembered.mass1G);
    SB_masse2->setValue(remembered.mass2G);
    turnSetup_ = remembered;
    for (QSpinBox* box : {SB_speichen, SB_umdrehungen})
        connect(box, &QSpinBox::valueChanged, this, &PulleyWindow::setupChanged);
    for (QDoubleSpinBox* box : {SB_radius, SB_unsicherheit, SB_masse1, SB_masse2})
        connect(box, &QDoubleSpinBox::valueChanged, this, &PulleyWindow::setupChanged);
    completeFrame({SB_speichen, SB_radius, SB_unsicherheit, SB_umdrehungen, SB_masse1, SB_masse2},
                  PB_st, PB_vt,
                  {"pulley",
                   {{{"st", tr("s-t Diagramm des Speichenrads")},
                     {"vt", tr("v-t Diagramm des Speichenrads")}}}});
}

void PulleyWindow::buildSetupFields() {
    const auto labelled = [this](auto* box, const char* name, QRect label, const QString& text,
                                 int boxWidth) {
        auto* l = place<QLabel>(GB_aufbau, (QByteArray("L_") + name).constData(), label, text);
        box->setParent(GB_aufbau);
        box->setObjectName(QString::fromLatin1("SB_") + QLatin1String(name));
        box->setGeometry(label.right() + 4, label.top(), boxWidth, label.height());
        l->setBuddy(box);
        return box;
    };
    SB_speichen = labelled(new QSpinBox, "speichen", {16, 28, 80, 24}, tr("Speichen:"), 60);
    SB_speichen->setRange(PulleySetup::MinSpokes, PulleySetup::MaxSpokes);
    SB_radius = labelled(new QDoubleSpinBox, "radius", {180, 28, 150, 24},
                         tr("Radius der Rille in mm:"), 80);
    SB_radius->setRange(1, 500);
    SB_radius->setDecimals(2);
    SB_unsicherheit =
        labelled(new QDoubleSpinBox, "unsicherheit", {436, 28, 70, 24}, tr("± in mm:"), 70);
    SB_unsicherheit->setRange(0, 50);
    SB_unsicherheit->setDecimals(2);
    SB_unsicherheit->setAccessibleName(tr("Unsicherheit des Radius in mm"));
    SB_umdrehungen =
        labelled(new QSpinBox, "umdrehungen", {16, 60, 100, 24}, tr("Umdrehungen:"), 60);
    SB_umdrehungen->setRange(1, PulleySetup::MaxTurns);
    SB_masse1 = labelled(new QDoubleSpinBox, "masse1", {180, 60, 100, 24}, tr("Masse 1 in g:"), 90);
    SB_masse2 = labelled(new QDoubleSpinBox, "masse2", {390, 60, 100, 24}, tr("Masse 2 in g:"), 90);
    for (QDoubleSpinBox* mass : {SB_masse1, SB_masse2}) {
        mass->setRange(0, 100000);
        mass->setDecimals(1);
        // Without masses no prediction is made.
        mass->setSpecialValueText(tr("keine"));
    }
}

PulleySetup PulleyWindow::setup() const {
    PulleySetup s;
    s.spokes = SB_speichen->value();
    s.radiusMm = SB_radius->value();
    s.radiusUncertaintyMm = SB_unsicherheit->value();
    s.turns = SB_umdrehungen->value();
    s.mass1G = SB_masse1->value();
    s.mass2G = SB_masse2->value();
    return s;
}

std::optional<QString> PulleyWindow::setupProblem() const {
    return pulleySetupProblem(setup());
}

void PulleyWindow::rememberSetup() const {
    rememberPulley(setup());
}

void PulleyWindow::takeSetup() {
    turnSetup_ = setup();
    result_.reset();
}

RunLength PulleyWindow::runLength() const {
    return pulleyRunLength(setup());
}

TableTexts PulleyWindow::tableOf(const EndedRun& run) const {
    return pulleyTable(pulleyPoints(run.darkTimes, run.brightTimes, turnSetup_), turnSetup_.spokes);
}

QByteArray PulleyWindow::workbookOf(const TableTexts& table) const {
    return pulleyWorkbook(table);
}

void PulleyWindow::showDiagrams(const EndedRun& run, bool ended) {
    const std::vector<FallPoint> points = pulleyPoints(run.darkTimes, run.brightTimes, turnSetup_);
    const std::optional<FallResult> fit =
        ended && result_ ? std::optional<FallResult>(result_->fit) : std::nullopt;
    PB_st->showDrop(points, fit);
    PB_vt->showDrop(points, fit);
}

RunOutcome PulleyWindow::evaluate(const EndedRun& run) {
    RunOutcome outcome;
    const auto points = pulleyPoints(run.darkTimes, run.brightTimes, turnSetup_);
    if (!points.empty())
        outcome.record =
            pulleyRecord(run.darkTimes, run.brightTimes, turnSetup_, run.complete, ++kept_);
    if (run.complete)
        outcome.state = {SessionPhase::Ended, {}};
    else
        //: %1 the spokes measured, %2 those the turns asked for have
        outcome.state = {
            SessionPhase::Incomplete,
            tr("Unvollständig: %1 von %2 Speichen").arg(points.size()).arg(turnSetup_.events())};
    result_ = fitPulley(points, turnSetup_);
    if (result_)
        outcome.resultLines = pulleyResultLines(*result_);
    else
        outcome.resultLines
            << tr("Kein a aus weniger als %1 Speichen.").arg(PulleyResult::MinSpokes);
    return outcome;
}

} // namespace kelmot
