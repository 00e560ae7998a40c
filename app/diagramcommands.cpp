// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "Diagramm s-t" and "Diagramm v-t": the evaluation table
// in the left half, the s-t diagram in the upper right quarter and the v-t
// diagram below it.
#include "app/kelmot_u.h"
#include "diagrams/stdiagramm_u.h"
#include "diagrams/vtdiagramm_u.h"
#include "evaluation/tabelle_u.h"
#include "store/measurementstore.h"
#include "store/rounding.h"
#include "widgets/screenfit.h"
#include "widgets/tablegrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

namespace kelmot {

namespace {

void placeSelector(TForm6& t, const MeasurementStore& store) {
    t.Combo1->setVisible(store.OutputMode == 1);
    t.placeSeriesSelector(nearest(0.2 * t.width()));
}

} // namespace

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
    TForm6& t = *windows_.table;
    t.colourGridBySelectedSeries();
    store_.ColumnCount = 3;
    t.present(tr("  Weg-Zeit-Zusammenhang auswerten "), true, nearest(width() / 2.0));
    setGridPointSize(t.SG2, 12);
    t.setHeader(2, TableColumn::Quotient);
    t.GB1->hide();
    t.GB2->show();
    for (QWidget* w : std::initializer_list<QWidget*>{t.GB3, t.CB1, t.CB2, t.CB3})
        w->hide();
    t.RB4->setChecked(true);
    placeSelector(t, store_);
    t.setColumn(1, timeColumn(store_.SeriesDarkTimes[0], store_.SeriesResolution[0]));
    t.setColumn(2, ColumnTexts{});
    showStDiagramWindow();
}

void TForm1::Diagrammvt1Click() {
    hidePicture();
    if (!requireData()) return;
    store_.EvaluationKind = 1;
    TForm6& t = *windows_.table;
    t.colourGridBySelectedSeries();
    store_.ColumnCount = 6;
    t.present(tr("  Geschwindigkeits-Zeit-Zusammenhang auswerten "), true, nearest(width() / 2.0));
    setGridPointSize(t.SG2, 12);
    t.setVtHeaders();
    // At 1 ms the newest series, at 10 ms the last run or load: the same
    // times unless a run was cancelled half-way.
    const bool fine = store_.SeriesResolution[0] == 1;
    const int resolution = fine ? 1 : 0;
    t.setColumn(1, timeColumn(fine ? store_.SeriesDarkTimes[0] : store_.RunTimes[0], resolution));
    t.setColumn(2, timeColumn(fine ? store_.SeriesBrightTimes[0] : store_.RunTimes[1], resolution));
    // Checking a box runs its action: the dt, v and a columns fill.
    t.CB1->setChecked(true);
    t.CB1->show();
    t.CB2->setChecked(true);
    t.CB2->show();
    t.CB3->show();
    t.GB1->show();
    t.GB2->hide();
    t.GB3->show();
    t.RB_no->setChecked(true);
    placeSelector(t, store_);
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
