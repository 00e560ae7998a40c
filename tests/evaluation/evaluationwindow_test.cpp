// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/keinedaten_u.h"
#include "evaluation/tabelle_u.h"
#include "tests/app/gui_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

using namespace kelmot;
using namespace kelmot::test;

namespace {

// Series s: barrier k passed at (s + 1) · 0.1 · k s, each beam dark for
// 20 ms; series 0 at 1 ms resolution, the others at 10 ms.
void fillSeries(int s, int resolution, Rgb colour, const QString& name) {
    for (int k = 0; k < BarrierCount; ++k) {
        Store.SeriesDarkTimes[s][k] = (s + 1) * 0.1 * k;
        Store.SeriesBrightTimes[s][k] = Store.SeriesDarkTimes[s][k] + 0.020;
    }
    Store.SeriesDarkTimes[s][0] = -0.0003;
    Store.SeriesResolution[s] = resolution;
    Store.SeriesColor[s] = colour;
    Store.SeriesName[s] = name;
}

class EvaluationWindow : public ProgramFixture {
protected:
    // Three series as three runs would leave them, the window 1000 wide.
    void startWithData(int outputMode = 1) {
        start();
        Form1->resize(1000, 700);
        Store.OutputMode = outputMode;
        fillSeries(0, 1, Navy, "Messung 3");
        fillSeries(1, 0, Green, "Messung 2");
        fillSeries(2, 0, Red, "Messung 1");
        Store.DataPresent = true;
        Store.DataTitle = "Messung 3";
        Store.refillSelector(Form6->selector());
    }
    QString cell(int c, int r) const { return Form6->cellText(c, r); }
    QColor gridColour() const { return Form6->SG2->palette().color(QPalette::Text); }
    // The user picks item i of the selector: with the arrow keys, or, for
    // the item already shown, from the list.
    void chooseSeries(int i) {
        QComboBox* combo = Form6->Combo1;
        if (combo->currentIndex() == i) emit combo->activated(i);
        while (combo->currentIndex() != i)
            QTest::keyClick(combo, combo->currentIndex() < i ? Qt::Key_Down : Qt::Key_Up);
    }
    int visibleColumns() const {
        int n = 0;
        for (int c = 0; c < Form6->SG2->columnCount(); ++c)
            n += Form6->SG2->isColumnHidden(c) ? 0 : 1;
        return n;
    }
};

} // namespace

TEST_F(EvaluationWindow, WithoutDataTheNoticeShowsAndTheTableStays) {
    start();
    Store.EvaluationKind = 1;
    const QString before = Form6->windowTitle();
    const QStringList modals = closingModals([] { Form1->Auswertenst1Click(); });
    EXPECT_EQ(modals, QStringList{"Form5"});
    EXPECT_EQ(Store.EvaluationKind, 0);
    EXPECT_TRUE(Form1->Image1->isHidden());
    EXPECT_EQ(Form6->windowTitle(), before);
    EXPECT_EQ(closingModals([] { Form1->Auswertenvt1Click(); }), QStringList{"Form5"});
    EXPECT_EQ(Store.EvaluationKind, 1);
}

TEST_F(EvaluationWindow, StTableLayoutAndNewestSeries) {
    startWithData();
    chooseSeries(1); // the opening command still shows series 0
    Form1->Auswertenst1Click();
    EXPECT_EQ(Form6->windowTitle(), "  Weg-Zeit-Zusammenhang auswerten ");
    EXPECT_TRUE(Form6->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(Form6->isVisible());
    EXPECT_EQ(Form6->geometry(), QRect(0, 85, 1000, 615));
    EXPECT_EQ(Store.ColumnCount, 3);
    EXPECT_EQ(visibleColumns(), 3);
    EXPECT_EQ(Form6->SG2->font().pointSize(), 14);
    EXPECT_EQ(gridColour(), QColor(0, 128, 0)); // the selected series' colour
    EXPECT_EQ(cell(0, 0), "Ort (m)");
    EXPECT_EQ(cell(1, 0), "Zeit aus (s)");
    EXPECT_EQ(cell(2, 0), "Quotient (m/s)");
    EXPECT_EQ(cell(0, 1), "0.0");
    EXPECT_EQ(cell(0, 10), "0.9");
    EXPECT_EQ(cell(1, 1), "0.000");
    EXPECT_EQ(cell(1, 10), "0.900");
    // " keiner" is checked: the quotient column is two blanks a cell.
    EXPECT_EQ(cell(2, 1), "  ");
    EXPECT_TRUE(Form6->GB2->isVisibleTo(Form6));
    for (QWidget* w : std::initializer_list<QWidget*>{Form6->CB1, Form6->CB2, Form6->CB3,
                                                      Form6->GB1, Form6->GB3})
        EXPECT_FALSE(w->isVisibleTo(Form6)) << w->objectName().toStdString();
    EXPECT_TRUE(Form6->Combo1->isVisibleTo(Form6));
    EXPECT_EQ(Form6->L_daten->text(), "Daten : ");
    expectInsideAndApart(Form6, {Form6->SG2, Form6->Combo1, Form6->L_daten, Form6->GB2});
}

TEST_F(EvaluationWindow, RelationshipButtonsComputeFromTheSelectedSeries) {
    startWithData();
    Form1->Auswertenst1Click();
    chooseSeries(1);
    QSignalSpy redraws(Form6, &TForm6::stDiagramChanged);
    Form6->RB1->setChecked(true); // s ~ t, series 1 passes 0.2 m/s at 10 ms resolution
    EXPECT_EQ(Store.SeriesStRelation[1], 1);
    EXPECT_EQ(Store.SeriesStRelation[0], 0);
    EXPECT_EQ(cell(2, 1), " - ");
    for (int r = 2; r <= 10; ++r)
        EXPECT_EQ(cell(2, r), "0.50") << r;
    EXPECT_EQ(redraws.count(), 1);
    QTest::keyClick(Form6->RB2, Qt::Key_Space); // s ~ t² from the keyboard
    ASSERT_TRUE(Form6->RB2->isChecked());
    EXPECT_EQ(Store.SeriesStRelation[1], 2);
    EXPECT_EQ(cell(2, 3), "1.25"); // 0.2 m / (0.4 s)²
    Form6->RB3->setChecked(true);
    EXPECT_EQ(cell(2, 3), "0.10"); // (0.2 m)² / 0.4 s
    Form6->RB4->setChecked(true);
    EXPECT_EQ(Store.SeriesStRelation[1], 0);
    EXPECT_EQ(cell(2, 10), "  ");
    EXPECT_EQ(redraws.count(), 4);

    // Opening again shows the relationship chosen last, for the selected series.
    Form6->RB1->setChecked(true);
    Form1->Auswertenst1Click();
    EXPECT_EQ(cell(1, 3), "0.200"); // column 1 is series 0
    EXPECT_EQ(cell(2, 3), "0.50");  // the quotient is series 1's
}

TEST_F(EvaluationWindow, ChoosingASeriesResetsItsStRelationship) {
    startWithData();
    Form1->Auswertenst1Click();
    Form6->RB2->setChecked(true);
    ASSERT_EQ(Store.SeriesStRelation[0], 2);
    Store.SeriesStRelation[2] = 3;
    QSignalSpy redraws(Form6, &TForm6::stDiagramChanged);
    chooseSeries(2);
    EXPECT_TRUE(Form6->RB4->isChecked());
    EXPECT_EQ(Store.SeriesStRelation[2], 0);
    EXPECT_EQ(Store.SeriesStRelation[0], 2);
    EXPECT_EQ(gridColour(), QColor(255, 0, 0));
    EXPECT_EQ(cell(1, 10), "2.70");
    EXPECT_EQ(cell(2, 10), "  ");
    EXPECT_EQ(redraws.count(), 2); // the arrow key passed series 1 on the way
    // Already " keiner": the action still runs.
    Store.SeriesStRelation[1] = 1;
    chooseSeries(1);
    EXPECT_EQ(Store.SeriesStRelation[1], 0);
}

TEST_F(EvaluationWindow, VtTableUnchecksItsBoxesAndFillsColumnsOneByOne) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    startWithData(0);
    Form1->Auswertenvt1Click();
    Form6->CB1->setChecked(true);
    Form6->CB2->setChecked(true);
    Form6->CB3->setChecked(true);
    Form1->Auswertenvt1Click(); // unchecks them all and empties their columns
    EXPECT_EQ(Form6->windowTitle(), "  Geschwindigkeits-Zeit-Zusammenhang auswerten ");
    EXPECT_EQ(Store.ColumnCount, 6);
    EXPECT_EQ(Form6->SG2->width(), 800);
    EXPECT_EQ(visibleColumns(), 6);
    EXPECT_EQ(Form6->SG2->columnWidth(5), 133);
    for (QCheckBox* box : {Form6->CB1, Form6->CB2, Form6->CB3}) {
        EXPECT_FALSE(box->isChecked());
        EXPECT_TRUE(box->isVisibleTo(Form6));
    }
    EXPECT_TRUE(Form6->GB1->isVisibleTo(Form6));
    EXPECT_FALSE(Form6->GB2->isVisibleTo(Form6));
    EXPECT_FALSE(Form6->Combo1->isVisibleTo(Form6));
    EXPECT_EQ(Form6->L_daten->text(), "Daten :  Messung 3");
    const QStringList headers{"Ort (m)", "Zeit aus (s)", "Zeit an (s)",
                              "dt (s)",  "v (m/s)",      "a (m/s²)"};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(cell(c, 0), headers[c]);
        for (int r = 1; c >= 3 && r <= 10; ++r)
            EXPECT_TRUE(cell(c, r).isEmpty()) << c << "," << r;
    }
    EXPECT_EQ(cell(0, 5), "0,4");
    EXPECT_EQ(cell(2, 1), "0,020"); // bright time at 1 ms resolution

    QTest::keyClick(Form6->CB1, Qt::Key_Space);
    EXPECT_EQ(cell(3, 1), "0,020");
    EXPECT_EQ(cell(3, 10), "0,020");
    EXPECT_EQ(gridColour(), QColor(0, 0, 128));
    Form6->CB2->setChecked(true);   // 10 mm in 20 ms
    EXPECT_EQ(cell(4, 1), "0,493"); // barrier 0's beam is dark for 20.3 ms
    EXPECT_EQ(cell(4, 10), "0,500");
    Form6->CB3->setChecked(true);
    EXPECT_EQ(cell(5, 1), " - ");
    EXPECT_EQ(cell(5, 3), "0,000");
    Form6->CB2->setChecked(false);
    EXPECT_TRUE(cell(4, 10).isEmpty());
    EXPECT_EQ(cell(5, 3), "0,000"); // the a column keeps what it shows
}

TEST_F(EvaluationWindow, FlagWidthFieldAsThePupilTypesIt) {
    startWithData(0);
    Form1->Auswertenvt1Click();
    Form6->CB2->setChecked(true);
    Form6->CB3->setChecked(true);
    ASSERT_EQ(cell(4, 10), "0.500");
    QSignalSpy redraws(Form6, &TForm6::vtDiagramChanged);

    Form6->Edit1->clear();
    EXPECT_EQ(cell(4, 10), "0.500"); // an empty field recomputes nothing
    QTest::keyClicks(Form6->Edit1, "2");
    EXPECT_EQ(cell(4, 10), "0.100"); // 2 mm in 20 ms
    EXPECT_EQ(redraws.count(), 1);
    QTest::keyClicks(Form6->Edit1, ".");
    EXPECT_EQ(Form6->Edit1->text(), "2,");
    EXPECT_EQ(cell(4, 10), "0.100"); // waits for the next digit
    EXPECT_EQ(redraws.count(), 1);
    QTest::keyClicks(Form6->Edit1, "5");
    EXPECT_EQ(Form6->Edit1->text(), "2,5");
    EXPECT_EQ(Form6->Edit1->cursorPosition(), 3);
    EXPECT_EQ(cell(4, 10), "0.125");
    EXPECT_EQ(cell(5, 10), "0.000");
    EXPECT_EQ(redraws.count(), 2);

    // Typing inside the number moves the caret to its end.
    Form6->Edit1->setCursorPosition(0);
    QTest::keyClicks(Form6->Edit1, "1");
    EXPECT_EQ(Form6->Edit1->text(), "12,5");
    EXPECT_EQ(Form6->Edit1->cursorPosition(), 4);
    EXPECT_EQ(cell(4, 10), "0.625");

    QTest::keyClicks(Form6->Edit1, "x");
    EXPECT_TRUE(Form6->Edit1->text().isEmpty());
    EXPECT_EQ(cell(4, 10), "0.625");

    errors.clear();
    Form6->Edit1->setText("1.2.3");
    EXPECT_EQ(Form6->Edit1->text(), "1,2,3");
    EXPECT_EQ(errors, QStringList{"'1,2,3' ist kein gültiger Gleitkommawert"});
    EXPECT_EQ(cell(4, 10), "0.625");

    Form6->Edit1->setText("0");
    EXPECT_EQ(cell(4, 10), "0.625");
    EXPECT_NEAR(Form6->TableSpeeds[9], 0.625, 1e-12);
}

TEST_F(EvaluationWindow, AResizeRecomputesDtAndVButNotA) {
    startWithData(0);
    Form1->Auswertenvt1Click();
    for (QCheckBox* box : {Form6->CB1, Form6->CB2, Form6->CB3})
        box->setChecked(true);
    // Another series becomes the newest behind the table's back.
    fillSeries(0, 1, Navy, "Messung 4");
    for (int k = 0; k < BarrierCount; ++k)
        Store.SeriesBrightTimes[0][k] = Store.SeriesDarkTimes[0][k] + 0.040 - 0.002 * k;
    Form6->resize(900, Form6->height());
    EXPECT_EQ(cell(3, 10), "0.022");
    EXPECT_EQ(cell(4, 10), "0.455");
    EXPECT_EQ(cell(5, 10), "0.000"); // still from the speeds before
    expectInsideAndApart(Form6, {Form6->SG2, Form6->Combo1, Form6->L_daten, Form6->GB1, Form6->GB2,
                                 Form6->GB3, Form6->CB1, Form6->CB2, Form6->CB3});
}

TEST_F(EvaluationWindow, ThreeListsTakeTheVtColumnsFromTheSelectedSeries) {
    startWithData(1);
    Form1->Auswertenvt1Click();
    EXPECT_TRUE(Form6->Combo1->isVisibleTo(Form6));
    chooseSeries(2);
    EXPECT_EQ(cell(1, 10), "2.70"); // the chosen series' times
    Form6->CB2->setChecked(true);
    EXPECT_EQ(gridColour(), QColor(255, 0, 0));
    EXPECT_EQ(cell(4, 10), "0.50");
    QSignalSpy redraws(Form6, &TForm6::vtDiagramChanged);
    Form6->RB_k->setChecked(true);
    EXPECT_EQ(Store.SeriesVtRelation[2], 1);
    Form6->RB_l->setChecked(true);
    EXPECT_EQ(Store.SeriesVtRelation[2], 2);
    EXPECT_EQ(redraws.count(), 2);
    // Choosing a series checks " keiner", which was not checked: it runs.
    chooseSeries(2);
    EXPECT_TRUE(Form6->RB_no->isChecked());
    EXPECT_EQ(Store.SeriesVtRelation[2], 0);
    // " keiner" already checked: the stored relationship of the next stays.
    Store.SeriesVtRelation[0] = 2;
    Form6->Combo1->setCurrentIndex(0);
    Form6->Combo1Change();
    EXPECT_EQ(Store.SeriesVtRelation[0], 2);
}

TEST_F(EvaluationWindow, TextTypedIntoTheSelectorNamesNoSeries) {
    startWithData(1);
    Form1->Auswertenst1Click();
    Form6->Combo1->setCurrentIndex(-1);
    Form6->Combo1->lineEdit()->setText("Messung 9");
    // A copy: a pointer to the live array would compare it with itself.
    const std::vector<int> before(Store.SeriesStRelation, Store.SeriesStRelation + 3);
    const auto relations = [] {
        return std::vector<int>(Store.SeriesStRelation, Store.SeriesStRelation + 3);
    };
    Form6->RB1->setChecked(true);
    EXPECT_EQ(before, relations()); // no series to give the relationship to
    Form6->Combo1Change();
    EXPECT_EQ(before, relations());
    Form6->CB2->setChecked(true);
    EXPECT_EQ(before, relations());
    EXPECT_EQ(cell(2, 5), "  ");
}
