// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

namespace kelmot {

class DiagramWindow;
class TForm2;
class TForm6;

// Tells when the store or what the windows show of it may have changed, for
// those who follow it (the classroom view, the series of runs): at once for
// the live table, the relationships, the flag width, the fits and
// "Diagramme löschen"; twice a second for what no window announces (a data
// file loaded, the output format switched). Receivers compare cheaply.
class StoreChanges : public QObject {
    Q_OBJECT
public:
    StoreChanges(const TForm2& measurement, const TForm6& table, const DiagramWindow& stDiagram,
                 const DiagramWindow& vtDiagram, QObject* parent = nullptr);

signals:
    void changed();

private:
    QTimer check_;
};

} // namespace kelmot
