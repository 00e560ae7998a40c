// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/tabellemess_u.h"
#include "platform/portaudio_wavein.h"
#include "store/numberformat.h"
#include "store/programsettings.h"
#include "tests/acquisition/played_run.h"
#include "tests/acquisition/steadyvoltage.h"
#include "tests/app/gui_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <chrono>
#include <thread>

using namespace kelmot;
using namespace kelmot::test;

// "Messen s-t", "Messen", and the run played into the null sink: the
// measurement window records it from the default input like from a card.
TEST_F(ProgramFixture, AMeasurementFromTheSoundCardFillsAllTenRows) {
    KELMOT_NEED_SOUND_SERVER();
    const FullVolumeSoundPath fullVolume;
    const PlayedRun played;
    const QString wav = dir_.filePath("lauf.wav");
    ASSERT_EQ(platform::writeWavFile(wav.toStdString(), played.samples, 22050), "");

    start(platform::SimulatedMixerApi::demonstrationDevices(),
          std::make_shared<platform::PortAudioBackend>());
    Form1->Messenvt1Click();
    Form2->RB1->click(); // 1 ms: three decimals
    Form2->B_mess->click();
    ASSERT_TRUE(Form2->AudioIn->DeviceOpen()) << Form2->AudioIn->ErrorText().toStdString();
    ASSERT_TRUE(processUntil([] { return Form2->AudioIn->BuffersReturned() >= 2; }));
    ASSERT_TRUE(playWhileWaiting(wav, [] { return Store.DataPresent; }))
        << Form2->L_status->text().toStdString();
    EXPECT_EQ(Form2->L_status->text(), "  Messung beendet  ");
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(Form2->cellText(1, k + 1), formatFixed(played.darkTime(k), 3)) << k;
        EXPECT_EQ(Form2->cellText(2, k + 1), formatFixed(played.brightTime(k), 3)) << k;
        EXPECT_DOUBLE_EQ(Store.SeriesDarkTimes[0][k], played.darkTime(k));
    }
    ASSERT_TRUE(processUntil([] { return !Form2->AudioIn->DeviceOpen(); }));
}

// A barrier with a steady output, its signal as a 20 Hz line input passes
// it, played into the null sink: with "Gleichspannung (Flanken)" chosen
// (remembered from an earlier start) the table has the beams' own times.
TEST_F(ProgramFixture, ASteadyVoltageBarrierFromTheSoundCardByItsEdges) {
    KELMOT_NEED_SOUND_SERVER();
    const FullVolumeSoundPath fullVolume;
    for (const bool highWhileBright : {false, true}) {
        SCOPED_TRACE(highWhileBright ? "high while bright" : "high while dark");
        auto barrier = cartRun(47, 20, 1, highWhileBright);
        barrier.total = std::size_t(22050 * 3.5);
        const QString wav = dir_.filePath("gleichspannung.wav");
        ASSERT_EQ(platform::writeWavFile(wav.toStdString(), barrier.samples(), 22050), "");
        ASSERT_FALSE(rememberSignalKind(SignalKind::Edges));
        start(platform::SimulatedMixerApi::demonstrationDevices(),
              std::make_shared<platform::PortAudioBackend>());
        ASSERT_EQ(Store.Signal, SignalKind::Edges);
        Store.Threshold = 6000;
        Form1->Messenvt1Click();
        Form2->RB1->click();
        Form2->B_mess->click();
        ASSERT_TRUE(Form2->AudioIn->DeviceOpen()) << Form2->AudioIn->ErrorText().toStdString();
        ASSERT_TRUE(processUntil([] { return Form2->AudioIn->BuffersReturned() >= 2; }));
        ASSERT_TRUE(playWhileWaiting(wav, [] { return Store.DataPresent; }))
            << Form2->L_status->text().toStdString();
        EXPECT_EQ(Form2->L_status->text(), "  Messung beendet  ");
        const auto edges = barrier.edges();
        auto timeOf = [&](std::int64_t n) {
            return double((n - edges[0].first) / 22050.0L - 0.0003L);
        };
        for (int k = 0; k < 10; ++k) {
            EXPECT_NEAR(Store.SeriesDarkTimes[0][k], timeOf(edges[k].first), 1.0 / 22050 + 1e-9)
                << k;
            EXPECT_NEAR(Store.SeriesBrightTimes[0][k], timeOf(edges[k].second), 1.0 / 22050 + 1e-9)
                << k;
            EXPECT_EQ(Form2->cellText(2, k + 1), formatFixed(Store.SeriesBrightTimes[0][k], 3));
        }
        ASSERT_TRUE(processUntil([] { return !Form2->AudioIn->DeviceOpen(); }));
        destroyWindows();
        Store = MeasurementStore{};
    }
}

// The same through the sound server, with the window stalled for 3 s in the
// middle of the run: no sample is lost, the times stay exact.
TEST_F(ProgramFixture, AStalledWindowLosesNothingFromTheSoundCard) {
    KELMOT_NEED_SOUND_SERVER();
    const FullVolumeSoundPath fullVolume;
    const PlayedRun played;
    const QString wav = dir_.filePath("lauf.wav");
    ASSERT_EQ(platform::writeWavFile(wav.toStdString(), played.samples, 22050), "");
    start(platform::SimulatedMixerApi::demonstrationDevices(),
          std::make_shared<platform::PortAudioBackend>());
    Form1->Messenst1Click();
    Form2->RB1->click();
    const auto stalled = stallOnceMidRun(Form2, 3);
    Form2->B_mess->click();
    ASSERT_TRUE(Form2->AudioIn->DeviceOpen()) << Form2->AudioIn->ErrorText().toStdString();
    ASSERT_TRUE(processUntil([] { return Form2->AudioIn->BuffersReturned() >= 2; }));
    const std::uint64_t lostBefore = Form2->AudioIn->LostFrames();
    ASSERT_TRUE(playWhileWaiting(wav, [] { return Store.DataPresent; }))
        << Form2->L_status->text().toStdString();
    EXPECT_TRUE(*stalled);
    EXPECT_EQ(Form2->AudioIn->LostFrames(), lostBefore);
    for (int k = 0; k < 10; ++k)
        EXPECT_DOUBLE_EQ(Store.SeriesDarkTimes[0][k], played.darkTime(k)) << k;
    ASSERT_TRUE(processUntil([] { return !Form2->AudioIn->DeviceOpen(); }));
}

// The sound server stops in the middle of a run: the status line says so in
// red, nothing is stored, nothing crashes, the capture closes; once the
// server is back, "Messen" records again.
TEST_F(ProgramFixture, ASoundServerThatGoesAwayIsReportedAndMessenWorksAgain) {
    KELMOT_NEED_SOUND_SERVER();
    const QString session = QStringLiteral(KELMOT_SOURCE_DIR "/scripts/pulse-session.sh");
    start(platform::SimulatedMixerApi::demonstrationDevices(),
          std::make_shared<platform::PortAudioBackend>());
    Form1->Messenst1Click();
    Form2->B_mess->click();
    ASSERT_TRUE(Form2->AudioIn->DeviceOpen()) << Form2->AudioIn->ErrorText().toStdString();
    ASSERT_TRUE(processUntil([] { return Form2->AudioIn->BuffersReturned() >= 2; }));

    runTool("bash", {session, "stop"});
    const bool told = processUntil(
        [] { return Form2->L_status->text().contains("Keine Daten vom Aufnahmegerät"); });
    bool restarted = false;
    runTool("bash", {session, "start"}, &restarted); // the later tests need the server again
    ASSERT_TRUE(told) << Form2->L_status->text().toStdString();
    EXPECT_EQ(Form2->L_status->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_FALSE(Store.DataPresent);
    EXPECT_TRUE(processUntil([] { return !Form2->AudioIn->DeviceOpen(); }));
    ASSERT_TRUE(restarted && soundServerReady());

    Form2->B_mess->click();
    ASSERT_TRUE(Form2->AudioIn->DeviceOpen()) << Form2->AudioIn->ErrorText().toStdString();
    EXPECT_TRUE(processUntil([] { return Form2->AudioIn->BuffersReturned() >= 3; }))
        << Form2->L_status->text().toStdString();
    EXPECT_EQ(Form2->L_status->text(), "  Warte auf Start  ");
    Form2->AudioIn->StopNow();
}
