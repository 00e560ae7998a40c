// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/classroomsnapshot.h"

#include <QObject>
#include <functional>

namespace kelmot {

class ClassroomService;
class DiagramWindow;
class EvaluationView;
class TForm2;

// Takes the classroom view's snapshot from the store and the windows
// whenever what it shows may have changed (StoreChanges), and hands it to
// the view, which passes it on only when it differs from the last.
class ClassroomFeed : public QObject {
    Q_OBJECT
public:
    // Today's kept runs as one table, and how many they are.
    using TodaysRuns = std::function<std::pair<TableTexts, int>()>;
    // The free fall's and the pendulum's windows as the page shows them.
    using Fall = std::function<FallLive()>;
    using Pendulum = std::function<PendulumLive()>;

    ClassroomFeed(const MeasurementStore& store, const TForm2& measurement, EvaluationView& table,
                  const DiagramWindow& stDiagram, const DiagramWindow& vtDiagram,
                  ClassroomService& service, TodaysRuns todaysRuns = {}, Fall fall = {},
                  Pendulum pendulum = {}, QObject* parent = nullptr);

    ClassroomSnapshot snapshot() const;
    void changed();

private:
    const MeasurementStore& store_;
    const TForm2& measurement_;
    EvaluationView& table_;
    const DiagramWindow& stDiagram_;
    const DiagramWindow& vtDiagram_;
    ClassroomService& service_;
    TodaysRuns todaysRuns_;
    Fall fall_;
    Pendulum pendulum_;
};

} // namespace kelmot
