// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/classroomfeed.h"

#include "acquisition/tabellemess_u.h"
#include "classroom/classroomservice.h"
#include "diagrams/diagramwindow.h"
#include "evaluation/evaluationview.h"

#include <QAction>
#include <QLabel>

namespace kelmot {

ClassroomFeed::ClassroomFeed(const MeasurementStore& store, const TForm2& measurement,
                             EvaluationView& table, const DiagramWindow& stDiagram,
                             const DiagramWindow& vtDiagram, ClassroomService& service,
                             TodaysRuns todaysRuns, Fall fall, Pendulum pendulum, QObject* parent)
    : QObject(parent), store_(store), measurement_(measurement), table_(table),
      stDiagram_(stDiagram), vtDiagram_(vtDiagram), service_(service),
      todaysRuns_(std::move(todaysRuns)), fall_(std::move(fall)), pendulum_(std::move(pendulum)) {
    connect(&service_, &ClassroomService::runningChanged, this, [this](bool on) {
        if (on) changed();
    });
}

ClassroomSnapshot ClassroomFeed::snapshot() const {
    ClassroomSnapshot s;
    s.store = store_;
    s.seriesCount = table_.selector().count();
    s.status = measurement_.L_status->isHidden() ? QString() : measurement_.L_status->text();
    s.measuring = measurement_.captureOpen();
    s.brightTimesShown = measurement_.showsBrightTimes();
    for (int k = 0; k < BarrierCount; ++k) {
        s.liveDark[std::size_t(k)] = measurement_.cellText(1, k + 1);
        if (s.brightTimesShown) s.liveBright[std::size_t(k)] = measurement_.cellText(2, k + 1);
    }
    s.flagWidthText = table_.flagWidthText();
    s.stFit = stDiagram_.Ausgleichskurve1->isChecked();
    s.vtFit = vtDiagram_.Ausgleichskurve1->isChecked();
    if (todaysRuns_) std::tie(s.todaysRuns, s.todaysRunCount) = todaysRuns_();
    if (fall_) s.fall = fall_();
    if (pendulum_) s.pendulum = pendulum_();
    return s;
}

void ClassroomFeed::changed() {
    if (service_.running()) service_.publish(snapshot());
}

} // namespace kelmot
