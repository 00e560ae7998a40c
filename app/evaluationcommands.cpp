// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "Auswerten s-t" and "Auswerten v-t": they belong to the
// evaluation table they open.
#include "app/kelmot_u.h"
#include "drawing/rounding.h"
#include "evaluation/tabelle_u.h"
#include "store/measurementstore.h"
#include "widgets/tablegrid.h"

#include <QCheckBox>
#include <QTableWidget>

namespace kelmot {

TForm6& TForm1::openTable(int columns, const QString& caption, bool framed, int width,
                          int pointSize) {
    TForm6& t = *windows_.table;
    store_.ColumnCount = columns;
    t.colourGridBySelectedSeries();
    t.present(caption, framed, width);
    setGridPointSize(t.SG2, pointSize);
    return t;
}

void TForm1::Auswertenst1Click() {
    store_.EvaluationKind = 0;
    hidePicture();
    if (!requireData()) return;
    TForm6& t = openTable(3, tr("  Weg-Zeit-Zusammenhang auswerten "), false, width(), 14);
    t.showControls(TForm6::Controls::StRelations);
    t.setHeader(2, TableColumn::Quotient);
    t.showSeriesSelector(store_.OutputMode != 0, nearest(0.15 * t.width()));
    // The table opens on the newest series, whatever the selector shows.
    t.setColumn(1, timeColumn(store_.SeriesDarkTimes[0], store_.SeriesResolution[0]));
    t.setColumn(2, ColumnTexts{});
    // The relationship chosen last shows again, in the table and the diagram.
    t.runCheckedStRelation();
}

void TForm1::Auswertenvt1Click() {
    store_.EvaluationKind = 1;
    hidePicture();
    if (!requireData()) return;
    TForm6& t =
        openTable(6, tr("  Geschwindigkeits-Zeit-Zusammenhang auswerten "), false, width(), 14);
    t.setVtHeaders();
    t.setColumn(1, timeColumn(store_.SeriesDarkTimes[0], store_.SeriesResolution[0]));
    t.setColumn(2, timeColumn(store_.SeriesBrightTimes[0], store_.SeriesResolution[0]));
    t.showControls(TForm6::Controls::VtColumns);
    t.showSeriesSelector(store_.OutputMode == 1, nearest(0.15 * t.width()));
    // A checked box empties its column as it is unchecked: the pupil switches
    // the columns on one by one.
    t.CB2->setChecked(false);
    t.CB3->setChecked(false);
    t.CB1->setChecked(false);
}

} // namespace kelmot
