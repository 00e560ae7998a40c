// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kelmot_u.h"
#include "app/program.h"
#include "experiments/experimenttable.h"
#include "experiments/falldiagramview.h"
#include "experiments/falltable.h"
#include "experiments/fallwindow.h"
#include "journal/allrunswindow.h"
#include "journal/runjournal.h"
#include "platform/paced_wavein.h"
#include "platform/simulatedfence.h"
#include "store/numberformat.h"
#include "tests/app/gui_fixture.h"
#include "tests/app/heardannouncements.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

class FallMeasurement : public ProgramFixture {
protected:
    // The program with the demonstration's fence in the free fall's window,
    // fed without loss as fast as the test takes it.
    void startWithFence(FenceDropParameters p = {}) {
        fence_ = p;
        mixer = std::make_shared<SimulatedMixerApi>(SimulatedMixerApi::demonstrationDevices());
        createWindows(StartOptions{}, mixer, manual,
                      std::make_shared<PacedBackend>("Simulation", demonstrationDrops(p), 20.0,
                                                     "virtueller Lattenzaun",
                                                     PacedBackend::Pacing::Lossless));
        Form1->Messenfall1Click();
        ASSERT_TRUE(fallWindow()->isVisible());
    }
    // "Messen", and the drop to its end.
    static bool measure() {
        const std::size_t before = fallWindow()->drops().size();
        fallWindow()->B_mess->click();
        return processUntil([&] { return fallWindow()->drops().size() > before; }, 60000);
    }
    FenceDropParameters fence_;
};

} // namespace

// A drop of the demonstration's fence: the table fills band by band with
// the fence's own times, g comes out near 9,81 m/s² with its uncertainty.
TEST_F(FallMeasurement, ASimulatedDropFillsTheTableAndGivesG) {
    startWithFence();
    EXPECT_EQ(fallWindow()->SB_latten->value(), 8);
    EXPECT_DOUBLE_EQ(fallWindow()->SB_abstand->value(), 50);
    EXPECT_DOUBLE_EQ(fallWindow()->SB_breite->value(), 25);
    ASSERT_TRUE(measure());
    EXPECT_EQ(fallWindow()->L_status->text(), "  Messung beendet  ");
    ASSERT_EQ(fallWindow()->SG_tabelle->rowCount(), 8);
    FenceDropParameters first = fence_;
    first.seed = 1;
    const SimulatedFence reference(first, 22050);
    const auto& e = reference.edges();
    const double t0 = double(e[0].first);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(fallWindow()->cellText(0, k), QString::number(k + 1));
        EXPECT_EQ(fallWindow()->cellText(1, k), formatFixed(k * 0.05, 3));
        EXPECT_EQ(fallWindow()->cellText(2, k), formatFixed((e[k].first - t0) / 22050 - 0.0003, 4))
            << k;
        EXPECT_EQ(fallWindow()->cellText(3, k), formatFixed((e[k].second - t0) / 22050 - 0.0003, 4))
            << k;
        EXPECT_FALSE(fallWindow()->cellText(4, k).isEmpty()) << k;
    }
    const auto result = fitFall(fallWindow()->drops().back(), fallWindow()->fence());
    ASSERT_TRUE(result);
    EXPECT_NEAR(result->g().value, 9.81, 0.05);
    EXPECT_TRUE(fallWindow()->L_ergebnis->text().contains(gText(result->g())))
        << fallWindow()->L_ergebnis->text().toStdString();
    EXPECT_TRUE(fallWindow()->L_ergebnis->text().contains("Aus v-t (Gerade)"));
    EXPECT_EQ(fallWindow()->L_ergebnis->accessibleDescription(), fallWindow()->L_ergebnis->text());
    // The track's series are left alone.
    EXPECT_FALSE(Store.DataPresent);
    EXPECT_EQ(Store.MeasurementNumber, 0);
}

// More bands set than the fence has: the drop ends a quiet second after its
// last band and says how many it saw; a second drop measures again.
TEST_F(FallMeasurement, AFenceWithFewerBandsEndsIncompleteAndTheNextDropMeasures) {
    FenceDropParameters p;
    p.bands = 6;
    startWithFence(p);
    fallWindow()->SB_latten->setValue(9);
    HeardAnnouncements heard;
    ASSERT_TRUE(measure());
    EXPECT_EQ(fallWindow()->L_status->text(), "  Unvollständig: 6 von 9 Latten  ");
    // A screen reader hears how the drop went without leaving "Messen".
    EXPECT_EQ(heard.texts(), QStringList({"Warte auf Start", "Messung gestartet",
                                          "Unvollständig: 6 von 9 Latten"}));
    EXPECT_EQ(fallWindow()->drops().back().bands(), 6);
    EXPECT_FALSE(fallWindow()->drops().back().complete);
    EXPECT_TRUE(fallWindow()->L_ergebnis->text().contains("g = (")) << "six bands give g";
    fallWindow()->SB_latten->setValue(6);
    ASSERT_TRUE(measure());
    EXPECT_EQ(fallWindow()->L_status->text(), "  Messung beendet  ");
    EXPECT_TRUE(fallWindow()->drops().back().complete);
    EXPECT_NE(fallWindow()->drops()[0].darkTimes, fallWindow()->drops()[1].darkTimes)
        << "each drop its own";
    // Two drops with g: their mean, as "Messreihe auswerten" gives it.
    EXPECT_TRUE(fallWindow()->L_ergebnis->text().contains("Mittel aus 2 Fällen: g = ("))
        << fallWindow()->L_ergebnis->text().toStdString();
}

// A geometry that no fence has cannot be measured with, and says why; a
// good one is remembered for the next start.
TEST_F(FallMeasurement, TheGeometryIsCheckedAndRemembered) {
    startWithFence();
    fallWindow()->SB_breite->setValue(60); // wider than the pitch
    EXPECT_FALSE(fallWindow()->B_mess->isEnabled());
    EXPECT_TRUE(fallWindow()->L_aufbau->text().contains("Lattenbreite"));
    fallWindow()->SB_breite->setValue(20);
    fallWindow()->SB_abstand->setValue(40);
    fallWindow()->SB_latten->setValue(12);
    EXPECT_TRUE(fallWindow()->B_mess->isEnabled());
    EXPECT_TRUE(fallWindow()->L_aufbau->text().isEmpty());
    const FenceGeometry kept = rememberedFence();
    EXPECT_EQ(kept.bands, 12);
    EXPECT_DOUBLE_EQ(kept.pitchMm, 40);
    EXPECT_DOUBLE_EQ(kept.bandWidthMm, 20);
}

// Each drop is in the journal (kind "Fall", its geometry, every band) when
// the window says it has ended; both diagrams show its bands and fits, and
// its table goes to the clipboard and into files.
TEST_F(FallMeasurement, ADropIsKeptDrawnCopiedAndExported) {
    startWithFence();
    ASSERT_TRUE(measure());
    const FallDrop& drop = fallWindow()->drops().back();
    const auto runs = Journal->runs();
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_TRUE(runs[0].drop);
    EXPECT_EQ(runs[0].kind, "Fall");
    EXPECT_EQ(runs[0].name, "Fall 1");
    EXPECT_EQ(runs[0].source, "Simulation: virtueller Lattenzaun");
    EXPECT_EQ(runs[0].drop->bands, 8);
    EXPECT_EQ(runs[0].drop->pitchMm, 50);
    EXPECT_EQ(runs[0].drop->bandWidthMm, 25);
    EXPECT_TRUE(runs[0].drop->complete);
    EXPECT_EQ(runs[0].drop->darkTimes, drop.darkTimes);
    EXPECT_EQ(runs[0].drop->brightTimes, drop.brightTimes);
    EXPECT_TRUE(fallWindow()->L_journal->isHidden());

    for (FallDiagramView* view : {fallWindow()->PB_st, fallWindow()->PB_vt}) {
        EXPECT_EQ(view->input().points.size(), 8u);
        ASSERT_TRUE(view->input().result);
        EXPECT_EQ(view->focusPolicy(), Qt::StrongFocus);
        const QImage picture = view->picture();
        EXPECT_EQ(picture.size(), QSize(413, 266));
        EXPECT_NE(picture.pixel(5, 5), picture.pixel(0, 0)) << "drawn, not blank";
    }
    EXPECT_TRUE(fallWindow()->PB_st->accessibleDescription().startsWith(
        "s-t-Diagramm des Falls mit 8 Latten. Parabel: g = ("))
        << fallWindow()->PB_st->accessibleDescription().toStdString();
    EXPECT_TRUE(fallWindow()->PB_vt->accessibleDescription().contains("Gerade: g = ("));

    fallWindow()->copyTable();
    const QStringList lines = QApplication::clipboard()->text().split("\r\n");
    ASSERT_EQ(lines.size(), 10); // headers, 8 bands, the last line's end
    EXPECT_EQ(lines[3].split('\t')[2], fallWindow()->cellText(2, 2));
    EXPECT_EQ(fallWindow()->tableTexts()[8][4], fallWindow()->cellText(4, 7));
    const QString csv = dir_.filePath("fall.csv"), xls = dir_.filePath("fall.xls");
    ASSERT_TRUE(fallWindow()->writeTable(csv, false));
    ASSERT_TRUE(fallWindow()->writeTable(xls, true));
    QFile c(csv), x(xls);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly) && x.open(QIODevice::ReadOnly));
    EXPECT_EQ(c.readAll(), experimentCsv(fallWindow()->tableTexts()));
    EXPECT_EQ(x.readAll(), fallWorkbook(fallWindow()->tableTexts()));
    // A folder that is not there: said, and false.
    EXPECT_FALSE(fallWindow()->writeTable(dir_.filePath("gibt/es/nicht.csv"), false));
    EXPECT_EQ(errors.size(), 1);

    // The table's popup opens by the keyboard.
    fallWindow()->SG_tabelle->setFocus();
    QKeyEvent menuKey(QEvent::KeyPress, Qt::Key_Menu, Qt::NoModifier);
    QApplication::sendEvent(fallWindow()->SG_tabelle, &menuKey);
    EXPECT_TRUE(fallWindow()->PopupMenu1->isVisible());
    fallWindow()->PopupMenu1->hide();

    // "Alle Messungen" lists the drop; it is no track run to load.
    Form1->Allemessungen1Click();
    allRunsWindow()->Liste->selectRow(0);
    allRunsWindow()->load(false);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors[1], "Ein freier Fall lässt sich nur als Tabelle exportieren.");
    EXPECT_FALSE(Store.DataPresent);
}

// A journal that cannot be written stops no drop and says why.
TEST_F(FallMeasurement, AJournalThatCannotKeepTheDropSaysWhy) {
    QDir().mkpath(dir_.filePath("data"));
    QFile blocker(dir_.filePath("data/kelmot")); // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    startWithFence();
    ASSERT_TRUE(measure());
    EXPECT_EQ(fallWindow()->L_status->text(), "  Messung beendet  ");
    EXPECT_TRUE(fallWindow()->L_journal->isVisible());
    EXPECT_TRUE(fallWindow()->L_journal->text().contains(dir_.filePath("data/kelmot")))
        << fallWindow()->L_journal->text().toStdString();
    EXPECT_TRUE(fallWindow()->L_ergebnis->text().contains("g = ("));
}

// Without a mouse: Space measures; Tab reaches the geometry, "Messen",
// "Abbrechen", the filled table, the result and both diagrams in reading
// order; a diagram's popup opens by the menu key.
TEST_F(FallMeasurement, TheWindowByKeyboard) {
    startWithFence();
    QApplication::setActiveWindow(fallWindow());
    ASSERT_TRUE(processUntil([] { return fallWindow()->isActiveWindow(); }));
    fallWindow()->B_mess->setFocus();
    QTest::keyClick(fallWindow()->B_mess, Qt::Key_Space);
    ASSERT_TRUE(processUntil([] { return !fallWindow()->drops().empty(); }, 60000));
    EXPECT_EQ(fallWindow()->SG_tabelle->rowCount(), 8);
    // With the table filled: Tab leaves it, the arrows move in it.
    fallWindow()->SB_latten->setFocus();
    std::vector<QWidget*> order{fallWindow()->SB_latten};
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        if (!focused || focused == fallWindow()->SB_latten) break;
        // A spin box's line edit has the focus for its box.
        if (focused->parentWidget() && qobject_cast<QAbstractSpinBox*>(focused->parentWidget()))
            focused = focused->parentWidget();
        order.push_back(focused);
    }
    const std::vector<QWidget*> expected{
        fallWindow()->SB_latten,  fallWindow()->SB_abstand, fallWindow()->SB_breite,
        fallWindow()->B_mess,     fallWindow()->B_abbruch,  fallWindow()->SG_tabelle,
        fallWindow()->L_ergebnis, fallWindow()->PB_st,      fallWindow()->PB_vt};
    EXPECT_EQ(order, expected);

    fallWindow()->PB_st->setFocus();
    QTest::keyClick(fallWindow()->PB_st, Qt::Key_Menu);
    ASSERT_TRUE(processUntil([] { return fallWindow()->PB_st->PopupMenu1->isVisible(); }));
    ASSERT_EQ(fallWindow()->PB_st->PopupMenu1->actions().size(), 2);
    EXPECT_EQ(fallWindow()->PB_st->PopupMenu1->actions()[0]->text(), "&Zwischenablage");
    fallWindow()->PB_st->PopupMenu1->hide();
    fallWindow()->PB_st->copyPicture();
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(413, 266));
}
