// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/storechanges.h"

#include "acquisition/tabellemess_u.h"
#include "diagrams/diagramwindow.h"
#include "evaluation/tabelle_u.h"

#include <QAction>

namespace kelmot {

StoreChanges::StoreChanges(const TForm2& measurement, const TForm6& table,
                           const DiagramWindow& stDiagram, const DiagramWindow& vtDiagram,
                           QObject* parent)
    : QObject(parent) {
    connect(&measurement, &TForm2::liveTableChanged, this, &StoreChanges::changed);
    connect(&table, &TForm6::stDiagramChanged, this, &StoreChanges::changed);
    connect(&table, &TForm6::vtDiagramChanged, this, &StoreChanges::changed);
    for (const DiagramWindow* d : {&stDiagram, &vtDiagram}) {
        connect(d->Ausgleichskurve1, &QAction::toggled, this, &StoreChanges::changed);
        connect(d->Diagrammelschen1, &QAction::triggered, this, &StoreChanges::changed);
    }
    check_.setInterval(500);
    connect(&check_, &QTimer::timeout, this, &StoreChanges::changed);
    check_.start();
}

} // namespace kelmot
