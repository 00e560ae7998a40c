// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kelmot_u.h"
#include "app/program.h"
#include "app/pulleycommand.h"
#include "app/startoptions.h"
#include "experiments/falldiagramview.h"
#include "experiments/pulleytable.h"
#include "experiments/pulleywindow.h"
#include "journal/runjournal.h"
#include "platform/paced_wavein.h"
#include "platform/simulatedpulley.h"
#include "platform/wavfilesource.h"
#include "platform/wavstream.h"
#include "tests/app/gui_fixture.h"
#include "tests/app/heardannouncements.h"
#include "tests/experiments/replayedrecording.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <cstdio>
#include <cstdlib>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

class PulleyMeasurement : public ProgramFixture {
protected:
    // The program with the demonstration's pulley in the pulley's window, of
    // the wheel and masses typed there, fed without loss as fast as the test
    // takes it.
    // `turnsBeforeLanding`: where the weight lands (0: after the turns typed).
    void startWithPulley(int turnsBeforeLanding = 0) {
        mixer = std::make_shared<SimulatedMixerApi>(SimulatedMixerApi::demonstrationDevices());
        createWindows(StartOptions{}, mixer, manual, nullptr, nullptr,
                      std::make_shared<PacedBackend>(
                          "Simulation", demonstrationTurns([turnsBeforeLanding] {
                              PulleyParameters p = simulatedPulleyOf(pulleyWindow()->setup());
                              if (turnsBeforeLanding > 0) p.turns = turnsBeforeLanding;
                              return p;
                          }),
                          50.0, "virtuelles Speichenrad", PacedBackend::Pacing::Lossless));
        Form1->Messenrad1Click();
        ASSERT_TRUE(pulleyWindow()->isVisible());
    }
    // "Messen", and the turn to its end.
    static bool measure() {
        const int before = pulleyWindow()->turnsMeasured();
        pulleyWindow()->B_mess->click();
        return processUntil(
            [&] {
                return !pulleyWindow()->measuring() && pulleyWindow()->turnsMeasured() > before;
            },
            60000);
    }
};

} // namespace

// Two Atwood machines of the demonstration: each fills a row per spoke and
// gives the a its wheel has (its inertia and friction included), with the
// frictionless prediction beside it; the turn is in the journal as "Rad".
TEST_F(PulleyMeasurement, ASimulatedTurnGivesTheAccelerationOfItsMasses) {
    startWithPulley();
    HeardAnnouncements heard;
    for (const auto& [m1, m2] : {std::pair{60.0, 50.0}, std::pair{150.0, 100.0}}) {
        pulleyWindow()->SB_masse1->setValue(m1);
        pulleyWindow()->SB_masse2->setValue(m2);
        ASSERT_TRUE(measure()) << m1;
        EXPECT_EQ(pulleyWindow()->L_status->text(), "  Messung beendet  ");
        const PulleySetup setup = pulleyWindow()->setup();
        ASSERT_EQ(pulleyWindow()->SG_tabelle->rowCount(), setup.events());
        EXPECT_EQ(pulleyWindow()->cellText(1, 10), "360.0") << "the eleventh spoke is one turn on";
        const double expected = simulatedPulleyOf(setup).acceleration();
        ASSERT_TRUE(pulleyWindow()->result());
        EXPECT_NEAR(pulleyWindow()->result()->a.value, expected, 0.005 * expected) << m1;
        ASSERT_TRUE(pulleyWindow()->result()->predicted);
        EXPECT_GT(*pulleyWindow()->result()->predicted, pulleyWindow()->result()->a.value)
            << "inertia and friction take their share";
        EXPECT_TRUE(pulleyWindow()->L_ergebnis->text().contains("Winkelbeschleunigung: α = ("))
            << pulleyWindow()->L_ergebnis->text().toStdString();
        EXPECT_TRUE(pulleyWindow()->PB_st->input().result) << "the parabola is drawn";
        EXPECT_EQ(pulleyWindow()->PB_st->input().subject, FallSubject::Pulley);
        std::printf(
            "the demonstration's pulley under %g g and %g g (its physics: %.4f m/s²):\n%s\n", m1,
            m2, expected, qPrintable(pulleyWindow()->L_ergebnis->text()));
    }
    EXPECT_EQ(heard.texts().count("Messung beendet"), 2);
    const auto runs = Journal->runs();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].kind, "Rad");
    EXPECT_EQ(runs[1].name, "Rad 2");
    EXPECT_EQ(runs[1].source, "Simulation: virtuelles Speichenrad");
    ASSERT_TRUE(runs[1].events);
    EXPECT_EQ(runs[1].events->darkTimes, pulleyWindow()->runInWindow().darkTimes);
    // The clipboard has the window's table.
    pulleyWindow()->copyTable();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Speiche\tφ in °\ts in m"));
    EXPECT_FALSE(Store.DataPresent) << "the track's series are left alone";
}

// A wheel stopped before its turns are done ends a second later with the
// spokes it saw and says how many.
TEST_F(PulleyMeasurement, AWheelStoppedEarlyEndsWithTheSpokesItSaw) {
    startWithPulley(2); // the weight lands after two turns and two spokes
    pulleyWindow()->SB_umdrehungen->setValue(3);
    ASSERT_TRUE(measure());
    EXPECT_EQ(pulleyWindow()->L_status->text(), "  Unvollständig: 23 von 31 Speichen  ");
    EXPECT_TRUE(pulleyWindow()->result()) << "23 spokes give a";
}

// A setup no pulley has cannot be measured with and says why; a good one is
// remembered; Tab goes through the setup, the frame and both diagrams.
TEST_F(PulleyMeasurement, TheSetupIsCheckedRememberedAndReachedByKeyboard) {
    startWithPulley();
    pulleyWindow()->SB_masse1->setValue(50);
    EXPECT_FALSE(pulleyWindow()->B_mess->isEnabled());
    EXPECT_TRUE(pulleyWindow()->L_aufbau->text().contains("Massen"))
        << pulleyWindow()->L_aufbau->text().toStdString();
    pulleyWindow()->SB_masse2->setValue(40);
    pulleyWindow()->SB_speichen->setValue(12);
    EXPECT_TRUE(pulleyWindow()->B_mess->isEnabled());
    EXPECT_EQ(rememberedPulley().spokes, 12);
    EXPECT_DOUBLE_EQ(rememberedPulley().mass2G, 40);

    QApplication::setActiveWindow(pulleyWindow());
    ASSERT_TRUE(processUntil([] { return pulleyWindow()->isActiveWindow(); }));
    pulleyWindow()->SB_speichen->setFocus();
    std::vector<QWidget*> order{pulleyWindow()->SB_speichen};
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        if (!focused || focused == pulleyWindow()->SB_speichen) break;
        if (focused->parentWidget() && qobject_cast<QAbstractSpinBox*>(focused->parentWidget()))
            focused = focused->parentWidget();
        order.push_back(focused);
    }
    const std::vector<QWidget*> expected{
        pulleyWindow()->SB_speichen,    pulleyWindow()->SB_radius, pulleyWindow()->SB_unsicherheit,
        pulleyWindow()->SB_umdrehungen, pulleyWindow()->SB_masse1, pulleyWindow()->SB_masse2,
        pulleyWindow()->B_mess,         pulleyWindow()->B_abbruch, pulleyWindow()->SG_tabelle,
        pulleyWindow()->L_ergebnis,     pulleyWindow()->PB_st,     pulleyWindow()->PB_vt};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(Form1->Messenrad1->text().remove('&'), "Messen Rad");
}

// The window and `kelmot --analyse --experiment pulley` agree on one
// recording: the window hears it replayed, the command reads the file; both
// give the same spokes and the same a.
TEST_F(PulleyMeasurement, TheWindowAndTheCommandAgreeOnARecording) {
    PulleyParameters p;
    p.spokes = 12;
    p.radiusMm = 30;
    p.mass1G = 80;
    p.mass2G = 50;
    SimulatedPulley wheel(p, 22050);
    std::vector<std::int16_t> samples(22050 * 5);
    wheel.read(samples.data(), samples.size());
    const QString wav = dir_.filePath("rad.wav");
    ASSERT_EQ(writeWavFile(wav.toStdString(), samples, 22050), "");

    mixer = std::make_shared<SimulatedMixerApi>(SimulatedMixerApi::demonstrationDevices());
    createWindows(StartOptions{}, mixer, manual, nullptr, nullptr, losslessReplay(wav, "rad.wav"));
    Form1->Messenrad1Click();
    pulleyWindow()->SB_speichen->setValue(12);
    pulleyWindow()->SB_radius->setValue(30);
    pulleyWindow()->SB_masse1->setValue(0);
    pulleyWindow()->SB_masse2->setValue(0);
    ASSERT_TRUE(measure());
    ASSERT_TRUE(pulleyWindow()->result());

    StartOptions options;
    options.pulley = true;
    options.pulleySetup = pulleyWindow()->setup();
    std::string error;
    auto stream = WavStream::open(wav.toStdString(), 22050, error);
    ASSERT_TRUE(stream) << error;
    const auto [status, lines] = printedLines([&](std::FILE* out) {
        return printPulleyTurns(*stream, Store.Threshold, Store.Signal, options, out, stderr);
    });
    ASSERT_EQ(status, 0);
    const int spokes = options.pulleySetup.events();
    ASSERT_GE(lines.size(), 2 + spokes + 3);
    EXPECT_EQ(lines[0], "Rad 1");
    for (int k = 0; k < spokes; ++k) {
        const QStringList fields = lines[k + 2].split(';');
        ASSERT_EQ(fields.size(), 6) << lines[k + 2].toStdString();
        EXPECT_NEAR(QLocale().toDouble(fields[3]),
                    QLocale().toDouble(pulleyWindow()->cellText(3, k)), 0.00006)
            << k;
    }
    EXPECT_EQ(lines.mid(2 + spokes, 3).join('\n'), pulleyWindow()->L_ergebnis->text());
    EXPECT_NEAR(pulleyWindow()->result()->a.value, p.acceleration(), 0.005 * p.acceleration());
    std::printf("the command and the window, 12 spokes, r = 30 mm, 80 g against 50 g:\n%s\n",
                qPrintable(pulleyWindow()->L_ergebnis->text()));
}
