// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagrams/stdiagramm_u.h"
#include "diagrams/vtdiagramm_u.h"
#include "evaluation/controlsbelowgrid.h"
#include "evaluation/tabelle_u.h"
#include "tests/app/gui_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

using namespace kelmot;
using namespace kelmot::test;

namespace {

class DiagramWindows : public ProgramFixture {
protected:
    // Three runs in three-list mode; the main window 1000 x 700.
    void startWithRuns() {
        start();
        Form1->setGeometry(0, 0, 1000, 700);
        Store.switchOutputFormat(true, Form6->selector());
        for (int run = 1; run <= 3; ++run) {
            for (int k = 0; k < BarrierCount; ++k) {
                Store.RunTimes[0][k] = 0.2 * run * k;
                Store.RunTimes[1][k] = Store.RunTimes[0][k] + 0.01 * run;
            }
            Store.commitRun(Form6->selector());
        }
    }
    static int countColour(const RecordingCanvas& c, Rgb colour) {
        int n = 0;
        for (const auto& s : c.segments())
            n += s.colour == colour ? 1 : 0;
        return n;
    }
};

} // namespace

TEST_F(DiagramWindows, StCommandPlacesTableAndDiagram) {
    startWithRuns();
    Form1->Diagrammst1Click();
    EXPECT_EQ(Store.EvaluationKind, 0);
    EXPECT_FALSE(Form6->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(Form6->geometry(), QRect(0, 85, 500, 615));
    EXPECT_EQ(Form6->SG2->font().pointSize(), 12);
    EXPECT_EQ(Form6->cellText(2, 0), "Quotient (m/s)");
    EXPECT_TRUE(Form6->cellText(2, 5).isEmpty());
    EXPECT_TRUE(Form6->RB4->isChecked());
    EXPECT_TRUE(Form6->Combo1->isVisibleTo(Form6));
    // At its usual place, or just right of the "Daten :" text.
    EXPECT_EQ(Form6->Combo1->y(), 24);
    EXPECT_GE(Form6->Combo1->x(), 100);
    EXPECT_LE(Form6->Combo1->x(),
              std::max(100, Form6->L_daten->x() + 4 + Form6->L_daten->sizeHint().width()));
    EXPECT_FALSE(Form6->GB1->isVisibleTo(Form6));
    EXPECT_TRUE(Form6->GB2->isVisibleTo(Form6));
    EXPECT_EQ(Form3->geometry(), QRect(500, 85, 500, 308));
    EXPECT_TRUE(Form3->isVisible());
    EXPECT_FALSE(Form1->Image1->isHidden()); // the s-t command leaves the picture

    Form3->PB1Paint();
    // 80 % of the outer size, 10 % in, 5 % down.
    const DiagramGeometry g =
        windowGeometry(Form3->frameGeometry().width(), Form3->frameGeometry().height());
    EXPECT_EQ(Form3->PB1->geometry(), QRect(g.left, g.top, g.width, g.height));
    EXPECT_NEAR(g.width, 400, 8);
    const QImage& picture = Form3->pictureImage();
    ASSERT_EQ(picture.size(), QSize(413, 266));
    EXPECT_EQ(picture.pixelColor(300, 12), QColor(255, 251, 240));
    // Three series, each in its colour (runs 1, 2, 3: red, green, navy),
    // ten crosses each.
    const RecordingCanvas& drawn = Form3->windowDrawing();
    EXPECT_EQ(countColour(drawn, Navy), 20);
    EXPECT_EQ(countColour(drawn, Red), 20);
    EXPECT_EQ(countColour(drawn, Green), 20);
}

TEST_F(DiagramWindows, RelationshipButtonsRedrawTheDiagramAtOnce) {
    startWithRuns();
    Form1->Diagrammst1Click();
    // Series 0 (run 3, navy) gets its line; the label speaks of the last
    // series in the list, which has no relationship.
    Form6->RB1->setChecked(true);
    EXPECT_EQ(countColour(Form3->windowDrawing(), Navy), 21);
    EXPECT_TRUE(Form3->Label1->text().isEmpty());
    // Run 1 passes barrier k at 0.2·k s: s/t = 0.5 m/s.
    Form6->Combo1->setCurrentIndex(2);
    Form6->RB2->setChecked(true);
    Form6->RB1->setChecked(true);
    EXPECT_EQ(Form3->Label1->text(), "Quotient (mittel) : 0.500");
    Form6->RB4->setChecked(true);
    EXPECT_TRUE(Form3->Label1->text().isEmpty());
}

TEST_F(DiagramWindows, PopupOpensAtTheWindowsCornerForAnyButton) {
    startWithRuns();
    Form1->Diagrammst1Click();
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(Form3->PB1, button, {}, QPoint(200, 100));
        ASSERT_TRUE(processUntil([] { return Form3->PopupMenu1->isVisible(); }));
        EXPECT_EQ(Form3->PopupMenu1->pos(), Form3->frameGeometry().topLeft() + QPoint(30, 30));
        Form3->PopupMenu1->hide();
    }
    QStringList items;
    for (QAction* a : Form3->PopupMenu1->actions())
        items << QString(a->text()).remove(u'&');
    EXPECT_EQ(items, (QStringList{"Zwischenablage", "Ausdrucken", "Diagramme löschen",
                                  "Ausgleichskurve"}));
    EXPECT_TRUE(Form3->Ausgleichskurve1->isCheckable());
    EXPECT_FALSE(Form3->Ausgleichskurve1->isChecked()); // off at start
}

// "Ausgleichskurve": the fit of the newest series, dashed, with its caption
// in the diagram and for the screen reader; off again, the drawing is as before.
TEST_F(DiagramWindows, AusgleichskurveDrawsTheFitOfTheNewestSeries) {
    startWithRuns();
    Form1->Diagrammvt1Click();
    for (DiagramWindow* window : std::initializer_list<DiagramWindow*>{Form3, Form4}) {
        window->paintDiagram();
        const auto before = window->windowDrawing().segments();
        ASSERT_FALSE(before.empty());
        window->Ausgleichskurve1->setChecked(true);
        const auto segments = window->windowDrawing().segments();
        const auto dashed =
            std::count_if(segments.begin(), segments.end(),
                          [](const RecordingCanvas::Segment& s) { return s.dashed; });
        EXPECT_GT(dashed, 0) << window->objectName().toStdString();
        const auto labels = window->windowDrawing().labels();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const RecordingCanvas::Label& l) {
            return l.text.startsWith("Ausgleich: a = ");
        }));
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(window->paintBox)
                        ->text(QAccessible::Description)
                        .contains("Ausgleich: a = "));
        window->Ausgleichskurve1->setChecked(false);
        EXPECT_EQ(window->windowDrawing().segments(), before);
    }
}

TEST_F(DiagramWindows, DiagrammeLoeschenKeepsOnlyTheNewestSeries) {
    startWithRuns();
    Form1->Diagrammst1Click();
    Form6->RB1->setChecked(true);
    const QString label = Form3->Label1->text();
    const QImage before = Form3->pictureImage().copy();
    Form3->Diagrammelschen1Click();
    EXPECT_EQ(Form6->Combo1->count(), 1);
    EXPECT_TRUE(Store.SeriesName[1].isEmpty());
    EXPECT_EQ(Store.SeriesDarkTimes[1][5], 0.0);
    // The paint box shows the empty frame; label and picture stay.
    EXPECT_EQ(countColour(Form3->windowDrawing(), Navy), 0);
    EXPECT_EQ(Form3->Diagram.StTimeMax, 1.0);
    EXPECT_EQ(Form3->Label1->text(), label);
    EXPECT_EQ(Form3->pictureImage(), before);
    // The next drawing shows the one series left.
    Form3->PB1Paint();
    EXPECT_EQ(countColour(Form3->windowDrawing(), Red), 0);
    EXPECT_EQ(countColour(Form3->windowDrawing(), Navy), 21);
}

TEST_F(DiagramWindows, VtCommandOpensBothDiagramsAndFillsTheColumns) {
    startWithRuns();
    Form1->Image1->show();
    Form1->Diagrammvt1Click();
    EXPECT_TRUE(Form1->Image1->isHidden());
    EXPECT_EQ(Store.EvaluationKind, 1);
    EXPECT_EQ(Store.ColumnCount, 6);
    EXPECT_EQ(Form6->width(), 500);
    EXPECT_TRUE(Form6->CB1->isChecked());
    EXPECT_TRUE(Form6->CB2->isChecked());
    EXPECT_FALSE(Form6->CB3->isChecked());
    EXPECT_TRUE(Form6->GB3->isVisibleTo(Form6));
    EXPECT_FALSE(Form6->GB2->isVisibleTo(Form6));
    EXPECT_TRUE(Form6->RB_no->isChecked());
    EXPECT_EQ(Form6->cellText(3, 2), "0.03"); // dt of run 3 at 10 ms
    EXPECT_EQ(Form6->cellText(4, 2), "0.33"); // 10 mm in 30 ms
    EXPECT_TRUE(Form6->cellText(5, 2).isEmpty());
    EXPECT_EQ(Form3->geometry(), QRect(500, 85, 500, 308));
    EXPECT_EQ(Form4->geometry(), QRect(500, 392, 500, 308));
    EXPECT_TRUE(Form4->isVisible());

    // The label speaks of the last series: run 1, dark for 10 ms.
    Form6->Combo1->setCurrentIndex(2);
    Form6->RB_k->setChecked(true);
    EXPECT_EQ(Form4->Label1->text(), "Mittelwert : 1.000");
    Form6->Edit1->setText("20");
    EXPECT_EQ(Form4->Label1->text(), "Mittelwert : 2.000");
    Form6->RB_l->setChecked(true);
    EXPECT_TRUE(Form4->Label1->text().startsWith("Steigung : "));
}

TEST_F(DiagramWindows, WithoutDataOnlyTheNotice) {
    start();
    Form1->Image1->show();
    EXPECT_EQ(closingModals([] { Form1->Diagrammst1Click(); }), QStringList{"Form5"});
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_EQ(closingModals([] { Form1->Diagrammvt1Click(); }), QStringList{"Form5"});
    EXPECT_TRUE(Form1->Image1->isHidden());
    EXPECT_FALSE(Form4->isVisible());
}

TEST_F(DiagramWindows, PrintoutsReadBackFromPdf) {
    startWithRuns();
    Form1->Diagrammvt1Click();
    Form3->PB1Paint();
    for (DiagramWindow* window : std::initializer_list<DiagramWindow*>{Form3, Form4}) {
        const QString pdf = dir_.filePath(window->objectName() + ".pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setResolution(600);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        window->printOn(printer);
        QProcess text;
        text.start("pdftotext", {pdf, "-"});
        ASSERT_TRUE(text.waitForFinished(30000));
        const QString content = QString::fromUtf8(text.readAllStandardOutput());
        EXPECT_TRUE(content.contains(window == Form3 ? "Weg in m" : "Geschw. in m/s"))
            << content.toStdString();
        EXPECT_TRUE(content.contains("Zeit"));
    }
    // A cancelled print dialog prints nothing.
    const QString cancelled = dir_.filePath("abgebrochen.pdf");
    Form3->printer().setOutputFormat(QPrinter::PdfFormat);
    Form3->printer().setOutputFileName(cancelled);
    EXPECT_EQ(closingModals([] { Form3->Ausdrucken1Click(); }), QStringList{"PrintDialog1"});
    EXPECT_FALSE(QFile::exists(cancelled));
}

// Today's screens and the smallest the program knows: after each evaluation and
// diagram command every cell of the table is uncovered and every control
// lies whole inside the window, at its usual place where that fits.
TEST_F(DiagramWindows, ControlsNeverCoverTheTableOnAnyScreen) {
    startWithRuns();
    struct Screen {
        int width, height;
    };
    const std::pair<const char*, void (TForm1::*)()> commands[] = {
        {"Auswerten s-t", &TForm1::Auswertenst1Click},
        {"Auswerten v-t", &TForm1::Auswertenvt1Click},
        {"Diagramm s-t", &TForm1::Diagrammst1Click},
        {"Diagramm v-t", &TForm1::Diagrammvt1Click}};
    for (const Screen screen : {Screen{800, 600}, Screen{1280, 1024}, Screen{1920, 1080}}) {
        Form1->setGeometry(0, 0, screen.width, screen.height);
        for (const auto& [name, command] : commands) {
            SCOPED_TRACE(testing::Message()
                         << name << " at " << screen.width << " x " << screen.height);
            (Form1->*command)();
            expectInsideAndApart(Form6,
                                 {Form6->SG2, Form6->L_daten, Form6->Combo1, Form6->CB1, Form6->CB2,
                                  Form6->CB3, Form6->GB1, Form6->GB2, Form6->GB3});
            // The rows fill the grid: the last one is whole.
            EXPECT_LE(11 * Form6->SG2->rowHeight(10), Form6->SG2->height());
        }
    }
    // Where the usual places fit (a window whose grid ends above them
    // and whose bottom lies below them), the controls stand there.
    Form1->setGeometry(0, 0, 1000, 720);
    Form1->Auswertenvt1Click();
    ASSERT_LE(Form6->SG2->geometry().bottom() + GapBelowGrid, 460);
    ASSERT_LE(500 + Form6->GB3->height() + GapBelowGrid, Form6->height());
    EXPECT_EQ(Form6->CB1->y(), 460);
    EXPECT_EQ(Form6->GB1->y(), 460);
    EXPECT_EQ(Form6->GB3->y(), 500);
}

TEST_F(DiagramWindows, TwoPrintoutsInARowAreTheSame) {
    startWithRuns();
    Form1->Diagrammvt1Click();
    Form6->RB_l->setChecked(true);
    Form6->Combo1->setCurrentIndex(1);
    Form6->Combo1Change();
    Form6->RB1->setChecked(true);
    // As "Ausdrucken" draws, twice, with no repaint in between.
    RecordingCanvas stFirst, stSecond, vtFirst, vtSecond;
    Form3->ZeichnePrinter(stFirst);
    Form3->ZeichnePrinter(stSecond);
    Form4->ZeichnePrinter(vtFirst);
    Form4->ZeichnePrinter(vtSecond);
    EXPECT_FALSE(stFirst.segments().empty());
    EXPECT_EQ(stFirst.segments(), stSecond.segments());
    EXPECT_EQ(stFirst.labels(), stSecond.labels());
    EXPECT_FALSE(vtFirst.segments().empty());
    EXPECT_EQ(vtFirst.segments(), vtSecond.segments());
    EXPECT_EQ(vtFirst.labels(), vtSecond.labels());
}

TEST_F(DiagramWindows, DiagramWindowsHaveMaximiseButNoMinimise) {
    startWithRuns();
    for (QWidget* window : std::initializer_list<QWidget*>{Form3, Form4}) {
        EXPECT_TRUE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_TRUE(window->windowFlags() & Qt::WindowSystemMenuHint);
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    }
}

// Without a mouse: Tab to a diagram, Shift+F10 or the menu key, "Zwischenablage".
TEST_F(DiagramWindows, TheKeyboardOpensTheDiagramPopupsAndScreenReadersHearThem) {
    startWithRuns();
    Form1->Diagrammvt1Click();
    // "v ~ t" for the oldest series, the last one drawn: the label shows its slope.
    Form6->Combo1->setCurrentIndex(2);
    Form6->Combo1Change();
    Form6->RB_l->setChecked(true);
    for (DiagramWindow* window : std::initializer_list<DiagramWindow*>{Form3, Form4}) {
        window->show();
        // Shown means painted: the clipboard picture exists from then on.
        ASSERT_TRUE(processUntil([window] { return !window->pictureImage().isNull(); }));
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(processUntil([window] { return window->isActiveWindow(); }));
        QTest::keyClick(window, Qt::Key_Tab);
        ASSERT_TRUE(window->paintBox->hasFocus()) << window->objectName().toStdString();
        const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_F10, Qt::ShiftModifier},
                                                                  {Qt::Key_Menu, Qt::NoModifier}};
        for (const auto& [key, modifiers] : keys) {
            QTest::keyClick(window->paintBox, key, modifiers);
            ASSERT_TRUE(processUntil([window] { return window->PopupMenu1->isVisible(); }));
            EXPECT_EQ(window->PopupMenu1->pos(),
                      window->frameGeometry().topLeft() + QPoint(30, 30));
            QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(window->PopupMenu1);
            ASSERT_TRUE(menu);
            EXPECT_EQ(menu->role(), QAccessible::PopupMenu);
            ASSERT_EQ(menu->childCount(), 4);
            EXPECT_EQ(menu->child(0)->text(QAccessible::Name), "Zwischenablage");
            EXPECT_EQ(menu->child(1)->text(QAccessible::Name), "Ausdrucken");
            EXPECT_EQ(menu->child(2)->text(QAccessible::Name), "Diagramme löschen");
            EXPECT_EQ(menu->child(3)->text(QAccessible::Name), "Ausgleichskurve");
            // Reachable in the accessible tree: the window lists the open popup.
            QAccessibleInterface* owner = QAccessible::queryAccessibleInterface(window);
            ASSERT_GT(owner->childCount(), 0);
            EXPECT_EQ(owner->child(owner->childCount() - 1)->object(), window->PopupMenu1);
            EXPECT_EQ(owner->indexOfChild(menu), owner->childCount() - 1);
            QApplication::clipboard()->clear();
            QTest::keyClick(window->PopupMenu1, Qt::Key_Down);
            QTest::keyClick(window->PopupMenu1, Qt::Key_Return);
            ASSERT_TRUE(processUntil([window] { return !window->PopupMenu1->isVisible(); }));
            EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(413, 266)) << key;
        }
    }
    // Name and description: the series drawn, their relationships, the value.
    QAccessibleInterface* st = QAccessible::queryAccessibleInterface(Form3->PB1);
    QAccessibleInterface* vt = QAccessible::queryAccessibleInterface(Form4->paintBox);
    EXPECT_EQ(st->text(QAccessible::Name), "s-t Diagramm");
    EXPECT_EQ(vt->text(QAccessible::Name), "v-t Diagramm");
    // A chart, not the layout filler a screen reader passes over.
    EXPECT_EQ(st->role(), QAccessible::Chart);
    EXPECT_EQ(vt->role(), QAccessible::Chart);
    const QString description = vt->text(QAccessible::Description);
    EXPECT_TRUE(description.startsWith("Messung 3: kein Zusammenhang; Messung 2: kein "
                                       "Zusammenhang; Messung 1: v ~ t, Steigung : "))
        << description.toStdString();
    EXPECT_TRUE(description.endsWith(", " + Form4->Label1->text())) << description.toStdString();
    EXPECT_TRUE(Form4->Label1->text().startsWith("Steigung : "));
}
