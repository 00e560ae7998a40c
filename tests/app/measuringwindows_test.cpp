// SPDX-License-Identifier: GPL-3.0-or-later
// What every window that measures does alike, because each measures on the
// one session: a device that cannot open, falls silent or loses samples,
// "Abbrechen", the settings dialog opened during a run, the journal's
// problem at "Messen".
#include "acquisition/measurementsession.h"
#include "acquisition/tabellemess_u.h"
#include "app/kelmot_u.h"
#include "app/language.h"
#include "app/program.h"
#include "experiments/fallwindow.h"
#include "experiments/pendulumwindow.h"
#include "experiments/pulleywindow.h"
#include "journal/runjournal.h"
#include "settings/config_u.h"
#include "tests/acquisition/detection_fixture.h"
#include "tests/app/gui_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

enum class Window { Track, Fence, Pendulum, Pulley };

std::string nameOf(const ::testing::TestParamInfo<Window>& info) {
    switch (info.param) {
    case Window::Track:
        return "Track";
    case Window::Fence:
        return "Fence";
    case Window::Pendulum:
        return "Pendulum";
    case Window::Pulley:
        return "Pulley";
    }
    return {};
}

class MeasuringWindow : public ProgramFixture, public ::testing::WithParamInterface<Window> {
protected:
    // The window open, as its menu command opens it.
    void open() {
        switch (GetParam()) {
        case Window::Track:
            Form1->Messenst1Click();
            break;
        case Window::Fence:
            Form1->Messenfall1Click();
            break;
        case Window::Pendulum:
            Form1->Messenpendel1Click();
            pendulumWindow()->SB_perioden->setValue(1); // three passages
            break;
        case Window::Pulley:
            Form1->Messenrad1Click();
            pulleyWindow()->SB_speichen->setValue(2); // three spokes: one turn
            pulleyWindow()->SB_umdrehungen->setValue(1);
            break;
        }
    }
    // The one-barrier experiment's window under test.
    ExperimentWindow* experiment() const {
        if (GetParam() == Window::Fence) return fallWindow();
        if (GetParam() == Window::Pendulum) return pendulumWindow();
        return pulleyWindow();
    }
    QPushButton* mess() const {
        return GetParam() == Window::Track ? Form2->B_mess : experiment()->B_mess;
    }
    QPushButton* abbruch() const {
        return GetParam() == Window::Track ? Form2->B_abbruch : experiment()->B_abbruch;
    }
    QString status() const {
        return GetParam() == Window::Track ? Form2->L_status->text()
                                           : experiment()->L_status->text();
    }
    QLabel* journalNotice() const {
        return GetParam() == Window::Track ? Form2->L_journal : experiment()->L_journal;
    }
    // "Messen", and the capture open.
    void measure() {
        mess()->click();
        ASSERT_TRUE(Session->captureOpen()) << Session->capture().ErrorText().toStdString();
    }
    void deliver(const std::vector<std::int16_t>& samples) {
        const int before = Session->capture().BuffersReturned();
        ASSERT_TRUE(manual->deliver(samples));
        ASSERT_TRUE(processUntil([&] { return Session->capture().BuffersReturned() > before; }));
    }
    static std::vector<std::int16_t> quiet() { return std::vector<std::int16_t>(4410, 0); }
    static std::vector<std::int16_t> beam() {
        auto b = quiet();
        for (std::size_t i = 100; i < 400; ++i)
            b[i] = 12000;
        return b;
    }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(EveryWindow, MeasuringWindow,
                         ::testing::Values(Window::Track, Window::Fence, Window::Pendulum,
                                           Window::Pulley),
                         nameOf);

// A sound card unplugged while the window waits for the start: two seconds
// after its last data the window says so, in red, and the capture is closed.
TEST_P(MeasuringWindow, ADeviceLostWhileWaitingIsSaid) {
    manual->reportsProgress = true;
    start();
    std::int64_t now = 0;
    Session->setClock([&] { return now; });
    open();
    measure();
    deliver(quiet());
    Session->checkDeviceAlive();
    EXPECT_EQ(status(), "  Warte auf Start  ");
    now += 2000;
    Session->checkDeviceAlive();
    EXPECT_EQ(status(), "  Keine Daten vom Aufnahmegerät - bitte prüfen und neu messen  ");
    EXPECT_FALSE(Session->captureOpen());
    EXPECT_FALSE(manual->deviceOpen());
}

// Samples lost in the middle of a run: the run is given up and said so.
TEST_P(MeasuringWindow, LostSamplesGiveTheRunUp) {
    start();
    open();
    measure();
    deliver(quiet());
    deliver(beam());
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(manual->deliver(beam()));
    ASSERT_GT(Session->capture().LostFrames(), 0u);
    ASSERT_TRUE(processUntil([&] { return status().contains("verloren"); }));
    EXPECT_EQ(status(), "  Daten verloren - bitte neu messen  ");
    for (int i = 0; i < 4; ++i)
        manual->deliver(quiet());
    ASSERT_TRUE(processUntil([] { return !Session->captureOpen(); }));
    EXPECT_EQ(status(), "  Daten verloren - bitte neu messen  ");
    EXPECT_EQ(Journal->runs().size(), 0u);
}

// A device that cannot be opened says why, in every window.
TEST_P(MeasuringWindow, AFailedStartSaysWhy) {
    start();
    manual->failures.open = WaveErrBadDeviceId;
    open();
    mess()->click();
    EXPECT_EQ(status().toStdString(),
              "  Aufnahme nicht möglich: " + genericWaveInErrorText(WaveErrBadDeviceId) + "  ");
    EXPECT_FALSE(Session->captureOpen());
}

// "Abbrechen" mid-run gives it up and closes the capture once drained;
// "Messen" pressed while it drains starts again once it has closed.
TEST_P(MeasuringWindow, AbbrechenThenMessenWhileTheCaptureDrains) {
    start();
    open();
    measure();
    deliver(quiet());
    deliver(beam());
    abbruch()->click();
    EXPECT_EQ(status(), "   Abgebrochen   ");
    mess()->click();
    EXPECT_EQ(manual->calls().opens, 1);
    ASSERT_TRUE(processUntil([&] { // buffers for the closing capture only
        if (manual->calls().opens < 2) manual->deliver(quiet());
        return manual->calls().opens == 2;
    }));
    ASSERT_TRUE(processUntil([] { return Session->captureOpen(); }));
    deliver(quiet());
    EXPECT_EQ(status(), "  Warte auf Start  ");
    EXPECT_EQ(Journal->runs().size(), 0u);
}

// "Einstellungen" opened while any window measures opens no second capture
// of the same device: its signal view waits until the run's has closed.
TEST_P(MeasuringWindow, TheSettingsDialogCapturesNothingDuringARun) {
    start();
    open();
    measure();
    deliver(quiet());
    int opensWhileShown = -1;
    bool monitorOpen = true;
    QTimer::singleShot(0, Form1, [&] {
        opensWhileShown = manual->calls().opens;
        monitorOpen = Session->listening();
        Form8->reject();
    });
    Form1->Einstellungen1Click();
    EXPECT_EQ(opensWhileShown, 1);
    EXPECT_FALSE(monitorOpen);
    EXPECT_TRUE(Session->captureOpen()); // the run goes on
}

// A journal that cannot keep runs is said when the window opens and again
// at "Messen", before anything is measured.
TEST_P(MeasuringWindow, AJournalThatCannotKeepRunsIsSaidAtMessen) {
    QDir().mkpath(dir_.filePath("data"));
    QFile blocker(dir_.filePath("data/kelmot")); // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    start();
    open();
    EXPECT_TRUE(journalNotice()->isVisible());
    measure();
    EXPECT_TRUE(journalNotice()->isVisible());
    EXPECT_TRUE(journalNotice()->text().contains(dir_.filePath("data/kelmot")))
        << journalNotice()->text().toStdString();
    EXPECT_TRUE(Session->captureOpen()); // the run goes on all the same
}

// A run measured from a sound card whose back end has no names of its own is
// kept with the mixer's card and input line, as the track's runs always were.
TEST_P(MeasuringWindow, ARunFromANamelessCardIsKeptWithTheMixersNames) {
    start(SimulatedMixerApi::demonstrationDevices(), std::make_shared<CardLikeBackend>());
    auto* card = static_cast<CardLikeBackend*>(&Session->capture().Backend());
    open();
    measure();
    const auto feed = [&](const std::vector<std::int16_t>& samples) {
        const int before = Session->capture().BuffersReturned();
        ASSERT_TRUE(card->deliver(samples));
        ASSERT_TRUE(processUntil([&] { return Session->capture().BuffersReturned() > before; }));
    };
    feed(quiet());
    const int beams = GetParam() == Window::Track ? 10 : GetParam() == Window::Fence ? 8 : 3;
    // three passages of the pendulum, three spokes of the pulley
    for (int k = 0; k < beams; ++k)
        feed(beam());
    ASSERT_TRUE(processUntil([] { return Journal->runs().size() == 1u; }));
    const QString source = Journal->runs()[0].source;
    const auto [product, line] = Session->sourceParts();
    EXPECT_EQ(source, product + ": " + line);
    EXPECT_EQ(product, Form1->Mixer->ProductName());
    EXPECT_FALSE(line.isEmpty());
    EXPECT_FALSE(source.startsWith(':')) << source.toStdString();
    EXPECT_EQ(status(), "  Messung beendet  ");
}

// On an English desktop the session's states read in English in every window.
TEST_P(MeasuringWindow, TheStatesReadInEnglish) {
    ASSERT_TRUE(installTranslation(QStringLiteral("en")));
    start();
    open();
    measure();
    deliver(quiet());
    EXPECT_EQ(status(), "  Waiting for start  ");
    abbruch()->click();
    EXPECT_EQ(status(), "   Cancelled   ");
    installTranslation(QStringLiteral("de"));
    EXPECT_EQ(sessionStateText({SessionPhase::Waiting, {}}), "  Warte auf Start  ");
}

// One sound card, one run: a window that measures while another one does
// takes the card over, and the other window says its run was given up.
using MeasuringWindows = ProgramFixture;

TEST_F(MeasuringWindows, AWindowThatMeasuresTakesTheCardOverFromAnother) {
    start();
    Form1->Messenst1Click();
    Form2->B_mess->click();
    ASSERT_TRUE(Session->captureOpen());
    Form1->Messenfall1Click();
    fallWindow()->B_mess->click();
    EXPECT_EQ(Form2->L_status->text(), "   Abgebrochen   ");
    EXPECT_EQ(fallWindow()->L_status->text(), "  Warte auf Start  ");
    EXPECT_EQ(manual->calls().opens, 1); // the same card goes on recording
    EXPECT_TRUE(fallWindow()->measuring());
}
