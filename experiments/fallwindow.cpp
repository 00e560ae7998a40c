// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/fallwindow.h"

#include "evaluation/uncertainty.h"
#include "experiments/dropkeeping.h"
#include "experiments/falldiagramview.h"
#include "experiments/falltable.h"
#include "store/numberformat.h"
#include "widgets/controls.h"

#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

namespace kelmot {

namespace {

FallDrop dropOf(const EndedRun& run) {
    FallDrop drop;
    drop.darkTimes = run.darkTimes;
    drop.brightTimes = run.brightTimes;
    drop.darkTimes.resize(std::size_t(drop.bands())); // a band still dark is not one yet
    drop.complete = run.complete;
    return drop;
}

} // namespace

FallWindow::FallWindow(MeasurementSession& session, std::shared_ptr<platform::WaveInBackend> source,
                       RecordKeeper& keeper, QWidget* parent)
    : ExperimentWindow({"FallWindow", tr("   Freier Fall mit dem Lattenzaun"), "GB_zaun",
                        tr("   Lattenzaun   "), 92, "SG_fall", tr("Messtabelle des Falls"),
                        fallTable({})[0], 270, 110},
                       session, std::move(source), keeper, parent) {
    auto* latten = place<QLabel>(GB_aufbau, "L_latten", {16, 28, 70, 24}, tr("Latten:"));
    SB_latten = place<QSpinBox>(GB_aufbau, "SB_latten", {90, 28, 70, 24});
    SB_latten->setRange(FenceGeometry::MinBands, FenceGeometry::MaxBands);
    latten->setBuddy(SB_latten);
    auto* abstand =
        place<QLabel>(GB_aufbau, "L_abstand", {180, 28, 150, 24}, tr("Lattenabstand in mm:"));
    SB_abstand = place<QDoubleSpinBox>(GB_aufbau, "SB_abstand", {334, 28, 90, 24});
    SB_abstand->setRange(0.1, FenceGeometry::MaxPitchMm);
    SB_abstand->setDecimals(1);
    abstand->setBuddy(SB_abstand);
    auto* breite =
        place<QLabel>(GB_aufbau, "L_breite", {444, 28, 140, 24}, tr("Lattenbreite in mm:"));
    SB_breite = place<QDoubleSpinBox>(GB_aufbau, "SB_breite", {588, 28, 84, 24});
    SB_breite->setRange(0.1, FenceGeometry::MaxPitchMm);
    SB_breite->setDecimals(1);
    breite->setBuddy(SB_breite);

    PB_st = new FallDiagramView(FallQuantity::Distance, tr("s-t-Diagramm"), this);
    PB_st->setObjectName("PB_st");
    PB_vt = new FallDiagramView(FallQuantity::Speed, tr("v-t-Diagramm"), this);
    PB_vt->setObjectName("PB_vt");

    const FenceGeometry remembered = rememberedFence();
    SB_latten->setValue(remembered.bands);
    SB_abstand->setValue(remembered.pitchMm);
    SB_breite->setValue(remembered.bandWidthMm);
    dropFence_ = remembered;
    connect(SB_latten, &QSpinBox::valueChanged, this, &FallWindow::setupChanged);
    connect(SB_abstand, &QDoubleSpinBox::valueChanged, this, &FallWindow::setupChanged);
    connect(SB_breite, &QDoubleSpinBox::valueChanged, this, &FallWindow::setupChanged);
    completeFrame(
        {SB_latten, SB_abstand, SB_breite}, PB_st, PB_vt,
        {"fall", {{{"st", tr("s-t Diagramm des Falls")}, {"vt", tr("v-t Diagramm des Falls")}}}});
}

FenceGeometry FallWindow::fence() const {
    return {SB_latten->value(), SB_abstand->value(), SB_breite->value()};
}

std::optional<QString> FallWindow::setupProblem() const {
    return fenceGeometryProblem(fence());
}

void FallWindow::rememberSetup() const {
    rememberFence(fence());
}

RunLength FallWindow::runLength() const {
    return fenceRunLength(fence());
}

TableTexts FallWindow::tableOf(const EndedRun& run) const {
    return fallTable(fallPoints(dropOf(run), dropFence_));
}

TableTexts FallWindow::shownTableOf(const EndedRun& run) const {
    // Every band of the fence has its row from "Messen" on, its times as
    // they come.
    TableTexts table = tableOf(run);
    const int columns = int(table[0].size());
    for (int k = int(table.size()) - 1; k < dropFence_.bands; ++k) {
        QStringList row;
        row << QString::number(k + 1) << formatFixed(k * dropFence_.pitch(), 3);
        while (row.size() < columns)
            row << QString();
        table.push_back(row);
    }
    return table;
}

QByteArray FallWindow::workbookOf(const TableTexts& table) const {
    return fallWorkbook(table);
}

void FallWindow::showDiagrams(const EndedRun& run, bool ended) {
    const FallDrop drop = dropOf(run);
    const auto result = ended ? fitFall(drop, dropFence_) : std::nullopt;
    const std::vector<FallPoint> points = fallPoints(drop, dropFence_);
    PB_st->showDrop(points, result);
    PB_vt->showDrop(points, result);
}

RunOutcome FallWindow::evaluate(const EndedRun& run) {
    RunOutcome outcome;
    const FallDrop drop = dropOf(run);
    outcome.record = dropRecord(drop, dropFence_, int(drops_.size()) + 1);
    if (drop.complete)
        outcome.state = {SessionPhase::Ended, {}};
    else
        outcome.state = {
            SessionPhase::Incomplete,
            tr("Unvollständig: %1 von %2 Latten").arg(drop.bands()).arg(dropFence_.bands)};
    drops_.push_back(drop);
    outcome.resultLines = resultLines(drop);
    return outcome;
}

QStringList FallWindow::resultLines(const FallDrop& drop) {
    const auto result = fitFall(drop, dropFence_);
    if (!result) return {tr("Kein g aus weniger als %1 Latten.").arg(FallResult::MinBands)};
    QStringList lines;
    //: %1 g with its uncertainty, %2 R²
    lines << tr("Aus s-t (Parabel): %1, R² = %2")
                 .arg(gText(result->g()), formatFixed(result->parabola.rSquared, 5));
    if (result->line)
        lines << tr("Aus v-t (Gerade): %1, R² = %2")
                     .arg(gText(result->line->slope), formatFixed(result->line->rSquared, 5));
    lines << tr("Abweichung von 9,81 m/s²: %1 %").arg(formatFixed(result->differencePercent(), 2));
    gOfDrops_.push_back(result->g());
    if (const auto series = fallSeries(gOfDrops_))
        //: %1 the number of drops, %2 their mean g with its uncertainty, %3 the standard
        //: deviation
        lines << tr("Mittel aus %1 Fällen: %2, Standardabweichung %3 m/s²")
                     .arg(series->drops)
                     .arg(gText(series->meanG), formatUncertainty(series->deviation));
    return lines;
}

} // namespace kelmot
