// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/classroomsnapshot.h"

#include <QObject>
#include <functional>

namespace kelmot {

class ClassroomService;
class DiagramWindow;
class EvaluationView;
class MeasurementSession;
class TForm2;

// Takes the classroom view's snapshot from the store, the measurement
// session and the windows' values whenever what it shows may have changed
// (StoreChanges, an experiment's window), and hands it to the view, which
// passes it on only when it differs from the last.
class ClassroomFeed : public QObject {
    Q_OBJECT
public:
    // Today's kept runs as one table, and how many they are.
    using TodaysRuns = std::function<std::pair<TableTexts, int>()>;
    // The one-barrier experiments' windows made so far, as the page shows them.
    using Experiments = std::function<std::vector<ExperimentLive>()>;

    ClassroomFeed(const MeasurementStore& store, const MeasurementSession& session,
                  const TForm2& measurement, EvaluationView& table, const DiagramWindow& stDiagram,
                  const DiagramWindow& vtDiagram, ClassroomService& service,
                  TodaysRuns todaysRuns = {}, Experiments experiments = {},
                  QObject* parent = nullptr);

    ClassroomSnapshot snapshot() const;
    void changed();

private:
    const MeasurementStore& store_;
    const MeasurementSession& session_;
    const TForm2& measurement_;
    EvaluationView& table_;
    const DiagramWindow& stDiagram_;
    const DiagramWindow& vtDiagram_;
    ClassroomService& service_;
    TodaysRuns todaysRuns_;
    Experiments experiments_;
};

} // namespace kelmot
