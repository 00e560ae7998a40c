// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's "Auswerten s-t" and "Auswerten v-t": they belong to the
// evaluation table they open.
#include "app/kelmot_u.h"
#include "evaluation/tabelle_u.h"
#include "store/measurementstore.h"
#include "store/rounding.h"
#include "widgets/tablegrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QTableWidget>

namespace kelmot {

void TForm1::Auswertenst1Click() {
    store_.EvaluationKind = 0;
    hidePicture();
    if (!requireData()) return;
    store_.ColumnCount = 3;
    windows_.table->colourGridBySelectedSeries();
    TForm6& t = *windows_.table;
    t.present(tr("  Weg-Zeit-Zusammenhang auswerten "), false, width());
    for (QWidget* hidden : std::initializer_list<QWidget*>{t.CB1, t.CB2, t.CB3, t.GB1, t.GB3})
        hidden->hide();
    t.GB2->show();
    t.setHeader(2, TableColumn::Quotient);
    setGridPointSize(t.SG2, 14);
    t.Combo1->setVisible(store_.OutputMode != 0);
    if (store_.OutputMode != 0) t.placeSeriesSelector(nearest(0.15 * t.width()));
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
    store_.ColumnCount = 6;
    windows_.table->colourGridBySelectedSeries();
    TForm6& t = *windows_.table;
    t.present(tr("  Geschwindigkeits-Zeit-Zusammenhang auswerten "), false, width());
    setGridPointSize(t.SG2, 14);
    t.setVtHeaders();
    t.setColumn(1, timeColumn(store_.SeriesDarkTimes[0], store_.SeriesResolution[0]));
    t.setColumn(2, timeColumn(store_.SeriesBrightTimes[0], store_.SeriesResolution[0]));
    for (QWidget* shown : std::initializer_list<QWidget*>{t.CB1, t.CB2, t.CB3, t.GB1})
        shown->show();
    t.GB2->hide();
    t.GB3->hide();
    t.Combo1->setVisible(store_.OutputMode == 1);
    t.placeSeriesSelector(nearest(0.15 * t.width()));
    // A checked box empties its column as it is unchecked: the pupil switches
    // the columns on one by one.
    t.CB2->setChecked(false);
    t.CB3->setChecked(false);
    t.CB1->setChecked(false);
}

} // namespace kelmot
