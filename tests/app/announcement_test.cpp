// SPDX-License-Identifier: GPL-3.0-or-later
// A run by ear: what a screen reader is told while the focus stays on
// "Messen" — each change of the status line once, and each barrier's time
// as it fills its row while "Zeiten ansagen" is on; and the live table's
// cells read with their headings.
#include "acquisition/AudioIO.h"
#include "acquisition/tabellemess_u.h"
#include "app/kelmot_u.h"
#include "app/program.h"
#include "platform/paced_wavein.h"
#include "platform/simulatedtrack.h"
#include "store/columnheaders.h"
#include "store/programsettings.h"
#include "tests/app/gui_fixture.h"
#include "tests/app/heardannouncements.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

class RunByEar : public ProgramFixture {
protected:
    void startTrack() {
        start(SimulatedMixerApi::demonstrationDevices(),
              std::make_shared<PacedBackend>("Simulation", demonstrationRuns(), 50.0,
                                             "virtuelle Fahrbahn", PacedBackend::Pacing::Lossless));
    }
    // "Messen", and the run to its end.
    static void measure() {
        const int before = Store.MeasurementNumber;
        Form2->B_mess->click();
        ASSERT_TRUE(processUntil([&] { return Store.MeasurementNumber == before + 1; }, 120000));
        ASSERT_TRUE(processUntil([] { return Form2->L_status->text() == "  Messung beendet  "; }));
    }
    static QStringList statuses(const QStringList& heard) {
        QStringList said;
        for (const QString& text : heard)
            if (!text.startsWith("Schranke")) said << text;
        return said;
    }
    static QStringList rows(const QStringList& heard) {
        QStringList said;
        for (const QString& text : heard)
            if (text.startsWith("Schranke")) said << text;
        return said;
    }
};

} // namespace

// An s-t run: every state once, in order, however often the detection sets
// it again; all ten barriers with the times the table shows; one after the
// other from different notifications, so a screen reader that falls behind
// drops none of them as a repeat.
TEST_F(RunByEar, TheStatusAndEveryBarrierAreToldAsTheRunGoes) {
    startTrack();
    Form1->Messenst1Click();
    EXPECT_TRUE(Form2->CB_ansage->isChecked()) << "on unless turned off";
    EXPECT_EQ(Form2->focusWidget(), Form2->B_mess) << "Enter measures at once";
    HeardAnnouncements heard;
    measure();
    const QStringList said = heard.texts();
    EXPECT_EQ(statuses(said),
              QStringList({"Warte auf Start", "Messung gestartet", "Messung beendet"}));
    QStringList expected;
    for (int k = 1; k <= 10; ++k)
        expected << QString("Schranke %1: %2 s").arg(k).arg(Form2->cellText(1, k).trimmed());
    EXPECT_EQ(rows(said), expected);
    ASSERT_FALSE(said.isEmpty());
    EXPECT_EQ(said.first(), "Warte auf Start");
    EXPECT_EQ(said.last(), "Messung beendet");
    const auto sources = heard.sources();
    for (std::size_t i = 1; i < sources.size(); ++i)
        EXPECT_NE(sources[i], sources[i - 1]) << "announcement " << i;
}

// A v-t run says each barrier's dark and bright time together, once the
// bright one is in.
TEST_F(RunByEar, AVtRunTellsBothTimesOfEachBarrier) {
    startTrack();
    Form1->Messenvt1Click();
    HeardAnnouncements heard;
    measure();
    QStringList expected;
    for (int k = 1; k <= 10; ++k)
        expected << QString("Schranke %1: %2 s bis %3 s")
                        .arg(k)
                        .arg(Form2->cellText(1, k).trimmed(), Form2->cellText(2, k).trimmed());
    EXPECT_EQ(rows(heard.texts()), expected);
}

// "Zeiten ansagen" off: the states are still told, the times are not, and
// the choice holds for the next start. A second run says "Warte auf Start"
// again, although it was said before.
TEST_F(RunByEar, WithoutTimesTheStatesAreToldAndTheChoiceIsKept) {
    startTrack();
    Form1->Messenst1Click();
    Form2->CB_ansage->setChecked(false);
    EXPECT_FALSE(rememberedTimeAnnouncements());
    HeardAnnouncements heard;
    measure();
    measure();
    EXPECT_EQ(heard.texts(),
              QStringList({"Warte auf Start", "Messung gestartet", "Messung beendet",
                           "Warte auf Start", "Messung gestartet", "Messung beendet"}));
    Form2->CB_ansage->setChecked(true);
    EXPECT_TRUE(rememberedTimeAnnouncements());
}

// Each cell of the live table is read with its column's heading, not with
// the number of a hidden header; the heading follows a change to v-t.
TEST_F(RunByEar, TheLiveTableReadsEachCellWithItsHeading) {
    startTrack();
    Form1->Messenvt1Click();
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(Form2->SG1);
    ASSERT_TRUE(table && table->tableInterface());
    auto headingOf = [&](int row, int column) {
        QAccessibleInterface* cell = table->tableInterface()->cellAt(row, column);
        if (!cell || !cell->tableCellInterface()) return QString("(no cell)");
        const auto headers = cell->tableCellInterface()->columnHeaderCells();
        const QString name =
            headers.isEmpty() ? QString("(no heading)") : headers[0]->text(QAccessible::Name);
        // Qt makes them anew for each caller, outside its cache: handed to
        // the cache, they can be deleted.
        for (QAccessibleInterface* header : headers)
            QAccessible::deleteAccessibleInterface(
                QAccessible::registerAccessibleInterface(header));
        return name;
    };
    EXPECT_EQ(headingOf(3, 1), columnHeader(TableColumn::DarkTime).trimmed());
    EXPECT_EQ(headingOf(3, 2), columnHeader(TableColumn::BrightTime).trimmed());
    EXPECT_EQ(headingOf(3, 0), columnHeader(TableColumn::Position).trimmed());
}

// "Messen" pressed again while the first is still waiting for the cart:
// the new wait is told again, although it reads as the last one did; and
// "Abbrechen" is told too.
TEST_F(RunByEar, EachMessenIsToldAgainAndSoIsAbbrechen) {
    start();
    Form1->Messenst1Click();
    HeardAnnouncements heard;
    // 0.2 s without a cart at a time, each taken before the next comes:
    // none is lost, so the run is not given up as "Daten verloren".
    const std::vector<std::int16_t> silence(4410, 0);
    auto deliver = [&] {
        const int before = Form2->AudioIn->BuffersReturned();
        ASSERT_TRUE(manual->deliver(silence));
        ASSERT_TRUE(processUntil([&] { return Form2->AudioIn->BuffersReturned() > before; }));
    };
    auto waitingToldTimes = [&](int times) {
        // The first buffer after a start is left out; the next one tells.
        for (int i = 0; i < 5 && heard.texts().count("Warte auf Start") < times; ++i)
            deliver();
        return heard.texts().count("Warte auf Start") >= times;
    };
    Form2->B_mess->click();
    ASSERT_TRUE(waitingToldTimes(1));
    Form2->B_mess->click();
    ASSERT_TRUE(waitingToldTimes(2));
    Form2->B_abbruch->click();
    EXPECT_EQ(heard.texts(), QStringList({"Warte auf Start", "Warte auf Start", "Abgebrochen"}));
}
