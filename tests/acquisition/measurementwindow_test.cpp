// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/tabellemess_u.h"
#include "evaluation/tabelle_u.h"
#include "platform/paced_wavein.h"
#include "platform/ringdevice.h"
#include "platform/simulatedtrack.h"
#include "settings/config_u.h"
#include "tests/acquisition/detection_fixture.h"
#include "tests/acquisition/steadyvoltage.h"
#include "tests/app/gui_fixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <chrono>
#include <thread>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

QColor statusColour() {
    return Form2->L_status->palette().color(QPalette::WindowText);
}

class MeasurementWindow : public ProgramFixture {
protected:
    // One 0.2 s buffer of the manual source.
    void deliver(const std::vector<std::int16_t>& samples) {
        ASSERT_TRUE(manual->deliver(samples));
        const int before = Form2->AudioIn->BuffersReturned();
        ASSERT_TRUE(processUntil([&] { return Form2->AudioIn->BuffersReturned() > before; }));
    }
    void deliverRun(std::size_t from, std::size_t to) {
        const auto run = fullRunSignal(100, 300);
        for (std::size_t b = from; b < to; ++b)
            deliver(
                std::vector<std::int16_t>(run.begin() + b * 4410, run.begin() + (b + 1) * 4410));
    }
    void startRun(bool vt = false) {
        vt ? Form1->Messenvt1Click() : Form1->Messenst1Click();
        Form2->B_mess->click();
        ASSERT_TRUE(Form2->AudioIn->DeviceOpen()) << Form2->AudioIn->ErrorText().toStdString();
        deliver(std::vector<std::int16_t>(4410, 0)); // the settling buffer
    }
};

} // namespace

TEST_F(MeasurementWindow, AFullSimulatedRunFillsTheTableAndStoresTheSeries) {
    TrackParameters p;
    p.noise = 0;
    SimulatedTrack reference(p, 22050);
    start(SimulatedMixerApi::demonstrationDevices(),
          std::make_shared<PacedBackend>(
              "Simulation",
              [p](int rate, std::string&) { return std::make_unique<SimulatedTrack>(p, rate); },
              20.0, "virtuelle Fahrbahn", PacedBackend::Pacing::Lossless));
    Form1->Messenvt1Click();
    EXPECT_EQ(Form2->windowTitle(), "  Geschwindigkeits-Zeit Zusammenhang messen (v-t)");
    EXPECT_EQ(Form2->L_mixerinfo->text(),
              "SOUNDKARTE :  Simulation        EINGANG:  virtuelle Fahrbahn");
    EXPECT_TRUE(Form2->L_status->isHidden());
    Form2->B_mess->click();
    EXPECT_EQ(Form2->L_status->text(), QString(26, u' '));
    EXPECT_FALSE(Form2->L_status->isHidden());
    ASSERT_TRUE(processUntil([] { return Store.DataPresent; }, 20000));
    EXPECT_EQ(Form2->L_status->text(), "  Messung beendet  ");
    EXPECT_EQ(statusColour(), QColor(255, 0, 0));
    const double t0 = reference.edges()[0].first;
    for (int k = 0; k < 10; ++k) {
        const double dark = (reference.edges()[k].first - t0) / 22050 - 0.0003;
        const double bright = (reference.edges()[k].second - t0) / 22050 - 0.0003;
        EXPECT_EQ(Form2->cellText(1, k + 1), QString::number(dark < 0.005 ? 0.0 : dark, 'f', 2))
            << k;
        EXPECT_EQ(Form2->cellText(2, k + 1), QString::number(bright, 'f', 2)) << k;
        EXPECT_EQ(Form2->cellText(0, k + 1), QString::number(k / 10.0, 'f', 1));
    }
    EXPECT_EQ(Store.SeriesName[0], "Messung 1");
    EXPECT_EQ(Store.DataTitle, "Messung 1");
    EXPECT_EQ(Form6->Combo1->itemText(0), "Messung 1");
    EXPECT_EQ(Form6->Combo1->currentIndex(), 0);
    EXPECT_DOUBLE_EQ(Store.SeriesDarkTimes[0][9],
                     static_cast<double>((reference.edges()[9].first - t0) / 22050.0L - 0.0003L));
    // The capture drains and closes by itself.
    ASSERT_TRUE(processUntil([] { return !Form2->AudioIn->DeviceOpen(); }, 5000));
}

TEST_F(MeasurementWindow, StatusLineFollowsTheRun) {
    start();
    startRun();
    EXPECT_EQ(Form2->L_status->text(), "  Warte auf Start  ");
    EXPECT_EQ(statusColour(), QColor(255, 0, 0));
    deliverRun(0, 1);
    EXPECT_EQ(Form2->L_status->text(), "  Messung gestartet  ");
    EXPECT_EQ(statusColour(), QColor(0, 128, 0));
    deliverRun(1, 11);
    EXPECT_EQ(Form2->L_status->text(), "  Messung beendet  ");
    EXPECT_TRUE(Store.DataPresent);
}

TEST_F(MeasurementWindow, AbbrechenMidRunStoresNothing) {
    start();
    Store.RunTimes[0][8] = 42.0; // from an earlier run
    startRun();
    deliverRun(0, 3);
    Form2->B_abbruch->click();
    EXPECT_EQ(Form2->L_status->text(), "   Abgebrochen   ");
    EXPECT_EQ(statusColour(), QColor(255, 0, 0));
    EXPECT_FALSE(Store.DataPresent);
    EXPECT_TRUE(Store.SeriesName[0].isEmpty());
    EXPECT_EQ(Store.MeasurementNumber, 0);
    EXPECT_DOUBLE_EQ(Store.RunTimes[0][2], static_cast<double>(0.4L - 0.0003L));
    EXPECT_DOUBLE_EQ(Store.RunTimes[0][8], 42.0); // not reached: kept
    // The queued buffers come back without reaching the detection.
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(manual->deliver(std::vector<std::int16_t>(4410, 30000)));
    ASSERT_TRUE(processUntil([] { return !Form2->AudioIn->DeviceOpen(); }));
    EXPECT_EQ(Form2->L_status->text(), "   Abgebrochen   ");
    EXPECT_FALSE(Store.DataPresent);
}

TEST_F(MeasurementWindow, LayoutForAMainWindowOf1000Pixels) {
    start();
    Form1->resize(1000, 700);
    Form1->Messenst1Click();
    EXPECT_EQ(Form2->width(), 1000);
    EXPECT_EQ(Form2->y(), 85); // below the main window's tool bar
    Form2->B_mess->click();
    expectInsideAndApart(Form2,
                         {Form2->SG1, Form2->GB1, Form2->GB2, Form2->L_mixerinfo, Form2->L_status});
    Form2->B_abbruchClick();
    EXPECT_EQ(Form2->windowTitle(), "  Weg-Zeit-Zusammenhang messen (s-t)");
    EXPECT_EQ(Form2->cellText(0, 0), "Ort (m)");
    EXPECT_EQ(Form2->cellText(1, 0), "Zeit aus (s)");
    EXPECT_EQ(Form2->cellText(0, 4), "0.3");
}

TEST_F(MeasurementWindow, FromVtToStTheBrightColumnIsHiddenThenBlanked) {
    start();
    startRun(true);
    deliverRun(0, 11);
    ASSERT_TRUE(Store.DataPresent);
    EXPECT_FALSE(Form2->SG1->isColumnHidden(2));
    const QString bright = Form2->cellText(2, 1);
    EXPECT_FALSE(bright.trimmed().isEmpty());
    for (int i = 0; i < 4; ++i)
        manual->deliver(std::vector<std::int16_t>(4410, 0));
    ASSERT_TRUE(processUntil([] { return !Form2->AudioIn->DeviceOpen(); }));

    Form1->Messenst1Click();
    EXPECT_TRUE(Form2->SG1->isColumnHidden(2));
    EXPECT_EQ(Form2->cellText(2, 1), bright);
    EXPECT_EQ(Form2->cellText(1, 1), "");
    Form2->B_mess->click();
    EXPECT_EQ(Form2->cellText(2, 1), "     ");
    EXPECT_EQ(Form2->cellText(1, 5), "     ");
}

TEST_F(MeasurementWindow, ClosingTheWindowResetsTheTitle) {
    start();
    Store.DataTitle = "Messung 3";
    Form1->Messenst1Click();
    Form2->close();
    EXPECT_EQ(Store.DataTitle, "Messung");
}

TEST_F(MeasurementWindow, ResolutionButtonsChangeOnlyLaterCells) {
    start();
    EXPECT_EQ(Store.SeriesResolution[0], 0);
    Form2->RB1->click();
    EXPECT_EQ(Store.SeriesResolution[0], 1); // at once, before any run
    Form2->RB2->click();
    startRun();
    deliverRun(0, 2);
    EXPECT_EQ(Form2->cellText(1, 2), "0.20");
    Form2->RB1->click();
    deliverRun(2, 3);
    EXPECT_EQ(Form2->cellText(1, 2), "0.20");
    EXPECT_EQ(Form2->cellText(1, 3), "0.400");
    EXPECT_EQ(Form2->cellText(2, 3), "0.413");
    // A resize re-reads the buttons into the store.
    Store.SeriesResolution[0] = 0;
    Form2->resize(Form2->width() + 10, Form2->height());
    QCoreApplication::processEvents();
    EXPECT_EQ(Store.SeriesResolution[0], 1);
}

TEST_F(MeasurementWindow, AFailedStartSaysWhyInRed) {
    start();
    manual->failures.open = WaveErrBadDeviceId;
    Form1->Messenst1Click();
    Form2->B_mess->click();
    EXPECT_EQ(Form2->L_status->text().toStdString(),
              "  Aufnahme nicht möglich: " + genericWaveInErrorText(WaveErrBadDeviceId) + "  ");
    EXPECT_EQ(statusColour(), QColor(255, 0, 0));
    EXPECT_FALSE(Form2->L_status->isHidden());
}

TEST_F(MeasurementWindow, MessenWhileTheLastRunDrainsStartsOnceItHasClosed) {
    start();
    startRun();
    deliverRun(0, 11);
    ASSERT_TRUE(Store.DataPresent);
    ASSERT_TRUE(Form2->AudioIn->DeviceOpen()); // four buffers still queued
    Form2->B_mess->click();
    EXPECT_EQ(manual->calls().opens, 1);
    EXPECT_EQ(Form2->L_status->text(), QString(26, u' '));
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(manual->deliver(std::vector<std::int16_t>(4410, 0)));
    ASSERT_TRUE(processUntil([&] { return manual->calls().opens == 2; }));
    ASSERT_TRUE(processUntil([] { return Form2->AudioIn->DeviceOpen(); }));
    deliver(std::vector<std::int16_t>(4410, 0));
    EXPECT_EQ(Form2->L_status->text(), "  Warte auf Start  ");
}

TEST_F(MeasurementWindow, MessenDuringARunRestartsTheDetectionOnTheRunningCapture) {
    start();
    startRun();
    deliverRun(0, 3);
    Form2->B_mess->click();
    EXPECT_EQ(manual->calls().opens, 1);
    EXPECT_EQ(Form2->Detection.EventCount, 0);
    deliver(std::vector<std::int16_t>(4410, 30000)); // ignored: first of the new run
    EXPECT_EQ(Form2->Detection.Dark, 0);
    EXPECT_EQ(Form2->L_status->text(), "  Warte auf Start  ");
}

TEST_F(MeasurementWindow, InfoLineNamesTheMixersCardAndInput) {
    writeConfig("0\r\n1\r\n5000\r\n0\r\n");
    start(SimulatedMixerApi::demonstrationDevices(), std::make_shared<CardLikeBackend>());
    EXPECT_EQ(
        Form2->L_mixerinfo->text(),
        "SOUNDKARTE :  Simulierte Soundkarte       EINGANG:  Line-In"); // at creation: 7 blanks
    Form1->Messenst1Click();
    EXPECT_EQ(Form2->L_mixerinfo->text(),
              "SOUNDKARTE :  Simulierte Soundkarte        EINGANG:  Line-In");
    Store.InputLine = 9;
    Form1->Messenst1Click();
    EXPECT_EQ(Form2->L_mixerinfo->text(),
              "SOUNDKARTE :  Simulierte Soundkarte        EINGANG:  (kein Eingang gewählt)");
}

TEST_F(MeasurementWindow, TableCellsAreReadableByScreenReaders) {
    start();
    startRun();
    deliverRun(0, 2);
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(Form2->SG1);
    ASSERT_TRUE(grid);
    QAccessibleTableInterface* table = grid->tableInterface();
    ASSERT_TRUE(table);
    ASSERT_TRUE(table->cellAt(2, 1));
    EXPECT_EQ(table->cellAt(2, 1)->text(QAccessible::Name), "0.20");
    EXPECT_EQ(table->cellAt(0, 0)->text(QAccessible::Name), "Ort (m)");
}

TEST_F(MeasurementWindow, GermanLocaleWritesDecimalCommas) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    start();
    Form1->Messenvt1Click();
    EXPECT_EQ(Form2->cellText(0, 1), "0,0");
    EXPECT_EQ(Form2->cellText(0, 10), "0,9");
    Form2->FormResize(); // the resize writes the positions in the general format
    EXPECT_EQ(Form2->cellText(0, 1), "0");
    EXPECT_EQ(Form2->cellText(0, 2), "0,1");
    Form2->B_mess->click();
    deliver(std::vector<std::int16_t>(4410, 0));
    deliverRun(0, 2);
    EXPECT_EQ(Form2->cellText(1, 2), "0,20");
    EXPECT_EQ(Form2->cellText(2, 1), "0,01");
}

TEST_F(MeasurementWindow, ARunWithLostSamplesIsNotStored) {
    start();
    startRun();
    deliverRun(0, 3);
    // Five buffers while the window is busy: four are queued, the fifth
    // finds none and is lost.
    const auto run = fullRunSignal(100, 300);
    for (int b = 3; b < 8; ++b)
        ASSERT_TRUE(manual->deliver(
            std::vector<std::int16_t>(run.begin() + b * 4410, run.begin() + (b + 1) * 4410)));
    ASSERT_GT(Form2->AudioIn->LostFrames(), 0u);
    ASSERT_TRUE(processUntil([] { return Form2->L_status->text().contains("verloren"); }));
    EXPECT_EQ(Form2->L_status->text(), "  Daten verloren - bitte neu messen  ");
    EXPECT_EQ(statusColour(), QColor(255, 0, 0));
    EXPECT_FALSE(Store.DataPresent);
    // The rest of the run arrives; nothing is stored.
    for (int i = 0; i < 4; ++i)
        manual->deliver(std::vector<std::int16_t>(4410, 0));
    ASSERT_TRUE(processUntil([] { return !Form2->AudioIn->DeviceOpen(); }));
    EXPECT_FALSE(Store.DataPresent);
    EXPECT_TRUE(Store.SeriesName[0].isEmpty());

    // The next "Messen" measures a whole run again.
    Form2->B_mess->click();
    ASSERT_TRUE(Form2->AudioIn->DeviceOpen());
    deliver(std::vector<std::int16_t>(4410, 0));
    deliverRun(0, 14);
    EXPECT_TRUE(Store.DataPresent);
    EXPECT_EQ(Form2->L_status->text(), "  Messung beendet  ");
}

// A window that does not answer for 3 s in the middle of a run (a slow
// repaint, a message box): the four 0.2 s buffers alone would overflow, the
// capture's cushion keeps every sample, and the times stay exact. The test
// itself is the stalled window: it hands the samples of those 3 s to the
// capture without letting the window's events run, so the outcome does not
// depend on how fast the machine is.
TEST_F(MeasurementWindow, AStalledWindowLosesNothing) {
    TrackParameters p;
    p.noise = 0;
    const SimulatedTrack reference(p, 22050);
    SimulatedTrack track(p, 22050);
    const auto nextBuffer = [&track] {
        std::vector<std::int16_t> samples(4410);
        track.read(samples.data(), samples.size());
        return samples;
    };
    manual->cushionSeconds = CaptureCushionSeconds; // as a sound card's capture has
    start();
    Form1->Messenst1Click();
    Form2->B_mess->click();
    ASSERT_TRUE(Form2->AudioIn->DeviceOpen()) << Form2->AudioIn->ErrorText().toStdString();
    // Up to the third barrier the window keeps up, buffer by buffer.
    for (int b = 0; b < 40 && Form2->Detection.EventCount < 3; ++b)
        deliver(nextBuffer());
    ASSERT_GE(Form2->Detection.EventCount, 3);
    ASSERT_FALSE(Store.DataPresent);
    // 3 s without an answer: 15 buffers arrive, none is handed back.
    for (int b = 0; b < 15; ++b)
        ASSERT_TRUE(manual->deliver(nextBuffer()));
    EXPECT_EQ(manual->lostFrames(), 0u);
    ASSERT_TRUE(processUntil([] { return Store.DataPresent; }))
        << Form2->L_status->text().toStdString();
    EXPECT_EQ(Form2->AudioIn->LostFrames(), 0u);
    EXPECT_EQ(Form2->L_status->text(), "  Messung beendet  ");
    const double t0 = reference.edges()[0].first;
    for (int k = 0; k < 10; ++k)
        EXPECT_DOUBLE_EQ(
            Store.SeriesDarkTimes[0][k],
            static_cast<double>((reference.edges()[k].first - t0) / 22050.0L - 0.0003L))
            << k;
}

TEST_F(MeasurementWindow, ResolutionChosenFromTheKeyboard) {
    start();
    Form1->Messenst1Click();
    QTest::keyClick(Form2->RB1, Qt::Key_Space);
    EXPECT_TRUE(Form2->RB1->isChecked());
    EXPECT_EQ(Store.SeriesResolution[0], 1);
    Form2->RB2->setChecked(true); // from code, as a screen reader would
    EXPECT_EQ(Store.SeriesResolution[0], 0);
}

namespace {

// A sound card that reports its progress, and a clock the test moves: the
// watchdog is asked at chosen moments, never after a real wait.
class Watchdog : public MeasurementWindow {
protected:
    void SetUp() override {
        MeasurementWindow::SetUp();
        manual->reportsProgress = true;
        start();
        Form2->setClock([this] { return now; });
    }
    // One buffer of the run, 0.2 s later, seen by the watchdog.
    void deliverAt(const std::vector<std::int16_t>& samples) {
        now += 200;
        deliver(samples);
        Form2->checkDeviceAlive();
    }
    bool told() const { return Form2->L_status->text().contains("Keine Daten vom Aufnahmegerät"); }

    std::int64_t now = 0;
};

} // namespace

TEST_F(Watchdog, SpeaksTwoSecondsAfterTheDataStopped) {
    Form1->Messenst1Click();
    Form2->B_mess->click();
    for (int i = 0; i < 3; ++i)
        deliverAt(std::vector<std::int16_t>(4410, 0));
    now += 1999;
    Form2->checkDeviceAlive();
    EXPECT_FALSE(told());
    EXPECT_TRUE(Form2->AudioIn->DeviceOpen());
    now += 1;
    Form2->checkDeviceAlive();
    EXPECT_TRUE(told()) << Form2->L_status->text().toStdString();
    EXPECT_EQ(statusColour(), QColor(255, 0, 0));
    EXPECT_FALSE(Form2->AudioIn->DeviceOpen());
    EXPECT_FALSE(Store.DataPresent);
}

TEST_F(Watchdog, GivesAStreamThatNeverDeliveredEightSeconds) {
    Form1->Messenst1Click();
    Form2->B_mess->click();
    now += 7999;
    Form2->checkDeviceAlive();
    EXPECT_FALSE(told());
    now += 1;
    Form2->checkDeviceAlive();
    EXPECT_TRUE(told());
    EXPECT_FALSE(Form2->AudioIn->DeviceOpen());
}

TEST_F(Watchdog, StaysQuietThroughAGapOfLessThanTwoSecondsAndAfterTheRun) {
    Form1->Messenst1Click();
    Form2->B_mess->click();
    deliverAt(std::vector<std::int16_t>(4410, 0)); // the settling buffer
    const auto run = fullRunSignal(100, 300);
    auto buffer = [&](std::size_t b) {
        return std::vector<std::int16_t>(run.begin() + b * 4410, run.begin() + (b + 1) * 4410);
    };
    for (std::size_t b = 0; b < 5; ++b)
        deliverAt(buffer(b));
    now += 1900; // nothing for 1.9 s, then the card delivers again
    Form2->checkDeviceAlive();
    for (std::size_t b = 5; b < 11; ++b)
        deliverAt(buffer(b));
    EXPECT_EQ(Form2->L_status->text(), "  Messung beendet  ");
    EXPECT_TRUE(Store.DataPresent);
    now += 60000; // the capture drains and closes; the watchdog has stopped
    Form2->checkDeviceAlive();
    EXPECT_EQ(Form2->L_status->text(), "  Messung beendet  ");
}

// A run waits for its start; the teacher opens "Einstellungen"; the card
// stops behind the dialog. The buffer handler is still inside its event
// processing when the watchdog closes the capture there: the buffer it
// hands back afterwards must be dropped, not queued at a device that is gone.
TEST_F(Watchdog, ACardThatStopsBehindADialogIsReportedWithoutACrash) {
    Form1->Messenst1Click();
    Form2->B_mess->click();
    deliverAt(std::vector<std::int16_t>(4410, 0));
    bool dialogWasOpen = false;
    bool armed = true;
    const auto handler = Form2->AudioIn->OnBufferFilled;
    Form2->AudioIn->OnBufferFilled = [&, handler](char* buffer, int& size) {
        if (armed) {
            armed = false;
            // Runs in the handler's own event processing: the dialog opens.
            QTimer::singleShot(0, Form1, [&] {
                QTimer::singleShot(0, Form8, [&] {
                    dialogWasOpen = Form8->isVisible();
                    Form2->checkDeviceAlive();            // the last data, seen at `now`
                    now += 2500;                          // then nothing for 2.5 s
                    processUntil([&] { return told(); }); // the watchdog's own timer
                    Form8->reject();
                });
                Form1->Einstellungen1Click();
            });
        }
        return handler(buffer, size);
    };
    ASSERT_TRUE(manual->deliver(std::vector<std::int16_t>(4410, 0)));
    ASSERT_TRUE(processUntil([&] { return !armed && !Form8->isVisible() && told(); }));
    EXPECT_TRUE(dialogWasOpen);
    EXPECT_FALSE(Form2->AudioIn->DeviceOpen());
    EXPECT_FALSE(manual->deviceOpen());
    EXPECT_FALSE(Store.DataPresent);
    EXPECT_EQ(statusColour(), QColor(255, 0, 0));
}

// A barrier with a steady output read by the tone's rule: the run is shown
// as found, and below the table the window says what to choose instead;
// with that chosen, the next run has the beams' own times and no hint.
TEST_F(MeasurementWindow, ASteadyVoltageReadAsAToneIsShownWithAHintAndMeasuresByItsEdges) {
    const auto barrier = cartRun(47, 20, 1, false);
    const auto samples = barrier.samples();
    // Until the run has ended: then its capture stops taking buffers.
    auto deliverBarrier = [&] {
        const int before = Store.MeasurementNumber;
        for (std::size_t at = 0; at + 4410 <= samples.size() && Store.MeasurementNumber == before;
             at += 4410)
            deliver(std::vector<std::int16_t>(samples.begin() + std::ptrdiff_t(at),
                                              samples.begin() + std::ptrdiff_t(at + 4410)));
    };
    start();
    Store.Threshold = 6000;
    startRun(true);
    deliverBarrier();
    ASSERT_TRUE(Store.DataPresent);
    EXPECT_EQ(Form2->L_status->text(), "  Messung beendet  ");
    EXPECT_FALSE(Form2->L_hinweis->isHidden());
    EXPECT_EQ(Form2->L_hinweis->text(), steadyVoltageHint());
    EXPECT_EQ(Form2->L_hinweis->accessibleName(), steadyVoltageHint());
    EXPECT_LT(Store.SeriesBrightTimes[0][0] - Store.SeriesDarkTimes[0][0], 0.02);

    Store.Signal = SignalKind::Edges; // as the settings dialog chooses it
    Form2->B_mess->click();
    EXPECT_TRUE(Form2->L_hinweis->isHidden()) << "the hint was about the last run";
    // The last run's capture hands back its four queued buffers, then the new one opens.
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(manual->deliver(std::vector<std::int16_t>(4410, 0)));
    ASSERT_TRUE(processUntil([&] { return manual->calls().opens == 2; }));
    ASSERT_TRUE(processUntil([] { return Form2->AudioIn->DeviceOpen(); }));
    deliver(std::vector<std::int16_t>(4410, 0));
    deliverBarrier();
    ASSERT_EQ(Store.MeasurementNumber, 2);
    EXPECT_TRUE(Form2->L_hinweis->isHidden());
    const auto edges = barrier.edges();
    for (int k = 0; k < 10; ++k)
        EXPECT_NEAR(Store.SeriesBrightTimes[0][k] - Store.SeriesDarkTimes[0][k],
                    (edges[k].second - edges[k].first) / 22050.0, 1.0 / 22050 + 1e-9)
            << k;
}
