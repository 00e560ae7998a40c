// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/classroomfeed.h"

#include "acquisition/measurementsession.h"
#include "acquisition/tabellemess_u.h"
#include "classroom/classroomservice.h"
#include "diagrams/diagramwindow.h"
#include "evaluation/evaluationview.h"

namespace kelmot {

ClassroomFeed::ClassroomFeed(const MeasurementStore& store, const MeasurementSession& session,
                             const TForm2& measurement, EvaluationView& table,
                             const DiagramWindow& stDiagram, const DiagramWindow& vtDiagram,
                             ClassroomService& service, TodaysRuns todaysRuns,
                             Experiments experiments, QObject* parent)
    : QObject(parent), store_(store), session_(session), measurement_(measurement), table_(table),
      stDiagram_(stDiagram), vtDiagram_(vtDiagram), service_(service),
      todaysRuns_(std::move(todaysRuns)), experiments_(std::move(experiments)) {
    connect(&service_, &ClassroomService::runningChanged, this, [this](bool on) {
        if (on) changed();
    });
}

ClassroomSnapshot ClassroomFeed::snapshot() const {
    ClassroomSnapshot s;
    s.store = store_;
    s.seriesCount = table_.selector().count();
    s.status = measurement_.statusText();
    s.measuring = session_.captureOpen();
    s.brightTimesShown = measurement_.showsBrightTimes();
    for (int k = 0; k < BarrierCount; ++k) {
        s.liveDark[std::size_t(k)] = measurement_.cellText(1, k + 1);
        if (s.brightTimesShown) s.liveBright[std::size_t(k)] = measurement_.cellText(2, k + 1);
    }
    s.flagWidthText = table_.flagWidthText();
    s.stFit = stDiagram_.showsFit();
    s.vtFit = vtDiagram_.showsFit();
    if (todaysRuns_) std::tie(s.todaysRuns, s.todaysRunCount) = todaysRuns_();
    if (experiments_) s.experiments = experiments_();
    return s;
}

void ClassroomFeed::changed() {
    if (service_.running()) service_.publish(snapshot());
}

} // namespace kelmot
