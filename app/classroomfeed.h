#pragma once

#include "classroom/classroomsnapshot.h"

#include <QObject>
#include <QTimer>

namespace kelmot {

class ClassroomService;
class DiagramWindow;
class EvaluationView;
class TForm2;

// Takes the classroom view's snapshot from the store and the windows
// whenever what it shows may have changed, and hands it to the view (which
// passes it on only when it differs from the last). The live table's
// changes come at once; a slow check every half second catches what no
// window announces (a data file loaded, the output format switched).
class ClassroomFeed : public QObject {
    Q_OBJECT
public:
    ClassroomFeed(const MeasurementStore& store, const TForm2& measurement, EvaluationView& table,
                  const DiagramWindow& stDiagram, const DiagramWindow& vtDiagram,
                  ClassroomService& service, QObject* parent = nullptr);

    ClassroomSnapshot snapshot() const;
    void changed();

private:
    const MeasurementStore& store_;
    const TForm2& measurement_;
    EvaluationView& table_;
    const DiagramWindow& stDiagram_;
    const DiagramWindow& vtDiagram_;
    ClassroomService& service_;
    QTimer check_;
};

} // namespace kelmot
