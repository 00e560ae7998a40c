// SPDX-License-Identifier: GPL-3.0-or-later
// A diagram window on its own: it draws the store it is handed, as many
// series as the table it is handed lists, with that table's flag width.
#include "diagrams/stdiagramm_u.h"
#include "diagrams/vtdiagramm_u.h"
#include "tests/app/gui_fixture.h"
#include "tests/fakeselector.h"

#include <algorithm>

using namespace kelmot;
using namespace kelmot::test;

namespace {

class FakeTable : public EvaluationView {
public:
    SeriesSelector& selector() override { return list; }
    QString flagWidthText() const override { return flagWidth; }
    ListSelector list;
    QString flagWidth = QStringLiteral("10");
};

bool drawsIn(const RecordingCanvas& drawing, Rgb colour) {
    const auto segments = drawing.segments();
    return std::any_of(segments.begin(), segments.end(),
                       [&](const RecordingCanvas::Segment& s) { return s.colour == colour; });
}

} // namespace

TEST(DiagramWindowAlone, DrawsTheStoreAndSeriesItIsHanded) {
    Store = MeasurementStore{};
    MeasurementStore store;
    store.DataPresent = true;
    store.OutputMode = 1;
    const Rgb colours[2] = {Navy, Red};
    for (int s = 0; s < 2; ++s) {
        store.SeriesName[s] = QStringLiteral("Messung %1").arg(s + 1);
        store.SeriesColor[s] = colours[s];
        for (int k = 0; k < BarrierCount; ++k) {
            store.SeriesDarkTimes[s][k] = (0.2 + 0.1 * s) * k;
            store.SeriesBrightTimes[s][k] = store.SeriesDarkTimes[s][k] + 0.05;
        }
    }
    FakeTable table;
    QWidget mainWindow;
    mainWindow.resize(1000, 700);
    const DiagramLinks links{store, table, &mainWindow};

    TForm3 st(links);
    st.FormCreate();
    table.list.items = {"Messung 1"};
    st.PB1Paint();
    EXPECT_TRUE(drawsIn(st.windowDrawing(), Navy));
    EXPECT_FALSE(drawsIn(st.windowDrawing(), Red));
    table.list.items = {"Messung 1", "Messung 2"};
    st.PB1Paint();
    EXPECT_TRUE(drawsIn(st.windowDrawing(), Red));

    // The v-t speeds come from the table's flag width.
    TForm4 vt(links);
    vt.FormCreate();
    table.flagWidth = QStringLiteral("20");
    vt.PB2Paint();
    EXPECT_NEAR(vt.Diagram.VtSpeeds[0][3], 0.020 / 0.05, 1e-9);

    // "Diagramme löschen" empties the store's older series and the table's list.
    st.Diagrammelschen1Click();
    EXPECT_EQ(store.SeriesName[1], "");
    EXPECT_EQ(table.list.items, QStringList{"Messung 1"});
    EXPECT_EQ(Store.SeriesName[0], "");
}
