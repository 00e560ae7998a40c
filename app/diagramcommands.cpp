// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "Diagramm s-t" and "Diagramm v-t": the evaluation table
// in the left half, the s-t diagram in the upper right quarter and the v-t
// diagram below it.
#include "app/kelmot_u.h"
#include "diagrams/stdiagramm_u.h"
#include "diagrams/vtdiagramm_u.h"
#include "drawing/rounding.h"
#include "evaluation/tabelle_u.h"
#include "store/measurementstore.h"
#include "widgets/screenfit.h"
#include "widgets/tablegrid.h"

#include <QCheckBox>
#include <QRadioButton>

namespace kelmot {

void TForm1::showStDiagramWindow() {
    QWidget* d = windows_.stDiagram;
    d->setGeometry(fittedGeometry({nearest(width() / 2.0), ClientTop, nearest(width() / 2.0),
                                   nearest((height() - ClientTop) / 2.0)},
                                  d, this));
    d->show();
}

void TForm1::Diagrammst1Click() {
    if (!requireData()) return;
    store_.EvaluationKind = 0;
    TForm6& t =
        openTable(3, tr("  Weg-Zeit-Zusammenhang auswerten "), true, nearest(width() / 2.0), 12);
    t.setHeader(2, TableColumn::Quotient);
    t.showControls(TForm6::Controls::StRelations);
    t.RB4->setChecked(true);
    t.showSeriesSelector(store_.OutputMode == 1, nearest(0.2 * t.width()));
    t.setColumn(1, timeColumn(store_.SeriesDarkTimes[0], store_.SeriesResolution[0]));
    t.setColumn(2, ColumnTexts{});
    showStDiagramWindow();
}

void TForm1::Diagrammvt1Click() {
    hidePicture();
    if (!requireData()) return;
    store_.EvaluationKind = 1;
    TForm6& t = openTable(6, tr("  Geschwindigkeits-Zeit-Zusammenhang auswerten "), true,
                          nearest(width() / 2.0), 12);
    t.setVtHeaders();
    // At 1 ms the newest series, at 10 ms the last run or load: the same
    // times unless a run was cancelled half-way.
    const bool fine = store_.SeriesResolution[0] == 1;
    const int resolution = fine ? 1 : 0;
    t.setColumn(1, timeColumn(fine ? store_.SeriesDarkTimes[0] : store_.RunTimes[0], resolution));
    t.setColumn(2, timeColumn(fine ? store_.SeriesBrightTimes[0] : store_.RunTimes[1], resolution));
    // Checking a box runs its action: the dt, v and a columns fill.
    t.CB1->setChecked(true);
    t.CB2->setChecked(true);
    t.showControls(TForm6::Controls::VtColumnsAndFit);
    t.RB_no->setChecked(true);
    t.showSeriesSelector(store_.OutputMode == 1, nearest(0.2 * t.width()));
    t.CB1->setChecked(true);
    t.CB2->setChecked(true);
    t.CB3->setChecked(false);
    showStDiagramWindow();
    QWidget* vt = windows_.vtDiagram;
    vt->setGeometry(fittedGeometry({nearest(width() / 2.0), nearest(height() / 2.0) + 42,
                                    nearest(width() / 2.0), nearest((height() - ClientTop) / 2.0)},
                                   vt, this));
    vt->show();
}

} // namespace kelmot
