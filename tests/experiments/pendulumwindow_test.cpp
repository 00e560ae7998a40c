// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kelmot_u.h"
#include "app/pendulumcommand.h"
#include "app/program.h"
#include "experiments/experimenttable.h"
#include "experiments/falldrop.h"
#include "experiments/pendulumanalysis.h"
#include "experiments/pendulumdiagramview.h"
#include "experiments/pendulumtable.h"
#include "experiments/pendulumwindow.h"
#include "journal/allrunswindow.h"
#include "journal/runjournal.h"
#include "platform/paced_wavein.h"
#include "platform/simulatedpendulum.h"
#include "platform/wavfilesource.h"
#include "platform/wavstream.h"
#include "tests/app/gui_fixture.h"
#include "tests/app/heardannouncements.h"
#include "tests/experiments/replayedrecording.h"

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
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

class PendulumMeasurement : public ProgramFixture {
protected:
    // The program with a simulated pendulum in the pendulum's window, of
    // the length and bob typed there, fed without loss as fast as the test
    // takes it.
    void startWithPendulum(PendulumParameters p = {}) {
        pendulum_ = p;
        mixer = std::make_shared<SimulatedMixerApi>(SimulatedMixerApi::demonstrationDevices());
        createWindows(StartOptions{}, mixer, manual, nullptr,
                      std::make_shared<PacedBackend>(
                          "Simulation", demonstrationSwings([this] {
                              PendulumParameters typed = pendulum_;
                              typed.lengthMm = pendulumWindow()->setup().lengthMm;
                              typed.bobWidthMm = pendulumWindow()->setup().bobWidthMm;
                              return typed;
                          }),
                          50.0, "virtuelles Pendel", PacedBackend::Pacing::Lossless));
        Form1->Messenpendel1Click();
        ASSERT_TRUE(pendulumWindow()->isVisible());
    }
    // "Messen", and the swing to its end.
    static bool measure() {
        const std::size_t before = pendulumWindow()->swings().size();
        pendulumWindow()->B_mess->click();
        return processUntil([&] { return pendulumWindow()->swings().size() > before; }, 120000);
    }
    PendulumParameters pendulum_;
};

// The period of the simulated swing, let go at `amplitude` (rad): the
// small swing's times the series to θ⁴.
double swingPeriod(double length, double g, double amplitude) {
    const double t0 = 2 * std::numbers::pi * std::sqrt(length / g);
    return t0 * (1 + amplitude * amplitude / 16 + 11 * std::pow(amplitude, 4) / 3072);
}

} // namespace

// The demonstration's swing with the window's defaults: 21 passages, a
// period on every second row from the third, T, g near 9,81 m/s² and τ
// near the swing's 60 s, none of the track's series touched.
TEST_F(PendulumMeasurement, ASimulatedSwingFillsTheTableAndGivesTGAndTau) {
    startWithPendulum();
    EXPECT_DOUBLE_EQ(pendulumWindow()->SB_laenge->value(), 500);
    EXPECT_DOUBLE_EQ(pendulumWindow()->SB_unsicherheit->value(), 1);
    EXPECT_DOUBLE_EQ(pendulumWindow()->SB_koerper->value(), 20);
    EXPECT_EQ(pendulumWindow()->SB_perioden->value(), 10);
    HeardAnnouncements heard;
    ASSERT_TRUE(measure());
    EXPECT_EQ(pendulumWindow()->L_status->text(), "  Messung beendet  ");
    EXPECT_EQ(heard.texts(),
              QStringList({"Warte auf Start", "Messung gestartet", "Messung beendet"}));
    ASSERT_EQ(pendulumWindow()->SG_tabelle->rowCount(), 21);
    const std::vector<Passage>& passages = pendulumWindow()->swings().back().passages;
    ASSERT_EQ(passages.size(), 21u);
    const TableTexts table = pendulumTable(passages);
    for (int k = 0; k < 21; ++k) {
        EXPECT_EQ(pendulumWindow()->cellText(0, k), QString::number(k + 1));
        for (int c = 1; c < 5; ++c)
            EXPECT_EQ(pendulumWindow()->cellText(c, k), table[std::size_t(k) + 1][c])
                << k << " " << c;
        EXPECT_EQ(pendulumWindow()->cellText(4, k).isEmpty(), k < 2 || k % 2 == 1) << k;
    }
    const auto& result = pendulumWindow()->result();
    ASSERT_TRUE(result);
    EXPECT_EQ(result->periods, 10);
    // Let go at 10° ± 0.5° and dying away to e^(−15 s/60 s) of that over
    // the ten periods: the mean period within the theory's for those.
    const double lowest =
        swingPeriod(0.5, 9.81, 9.5 * std::exp(-15.0 / 60) * std::numbers::pi / 180);
    const double highest = swingPeriod(0.5, 9.81, 10.5 * std::numbers::pi / 180);
    EXPECT_GT(result->period.value, lowest * 0.9999);
    EXPECT_LT(result->period.value, highest * 1.0001);
    EXPECT_NEAR(result->g.value, 9.81, 0.01);
    EXPECT_LT(result->gWithoutCorrection, 9.79) << "the amplitude's correction matters at 10°";
    ASSERT_TRUE(result->decayTime);
    EXPECT_NEAR(result->decayTime->value, 60, 3);
    const QString shown = pendulumWindow()->L_ergebnis->text();
    EXPECT_TRUE(shown.contains(periodText(result->period))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(gText(result->g))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(decayTimeText(*result->decayTime))) << shown.toStdString();
    EXPECT_EQ(pendulumWindow()->L_ergebnis->accessibleDescription(), shown);
    std::printf("the window's result:\n%s\n", qPrintable(shown));
    EXPECT_FALSE(Store.DataPresent);
    EXPECT_EQ(Store.MeasurementNumber, 0);
}

// Each swing is in the journal (kind "Pendel", its setup, every passage)
// when the window says it has ended; both diagrams show its passages and
// fits, and its table goes to the clipboard and into files.
TEST_F(PendulumMeasurement, ASwingIsKeptDrawnCopiedAndExported) {
    startWithPendulum();
    pendulumWindow()->SB_perioden->setValue(3);
    pendulumWindow()->SB_laenge->setValue(800);
    ASSERT_TRUE(measure());
    const auto runs = Journal->runs();
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_TRUE(runs[0].swing);
    EXPECT_EQ(runs[0].kind, "Pendel");
    EXPECT_EQ(runs[0].name, "Pendel 1");
    EXPECT_EQ(runs[0].source, "Simulation: virtuelles Pendel");
    EXPECT_EQ(runs[0].swing->lengthMm, 800);
    EXPECT_EQ(runs[0].swing->lengthUncertaintyMm, 1);
    EXPECT_EQ(runs[0].swing->bobWidthMm, 20);
    EXPECT_EQ(runs[0].swing->periods, 3);
    EXPECT_TRUE(runs[0].swing->complete);
    EXPECT_EQ(runs[0].swing->darkTimes, pendulumWindow()->runInWindow().darkTimes);
    EXPECT_EQ(runs[0].swing->brightTimes, pendulumWindow()->runInWindow().brightTimes);
    EXPECT_EQ(runs[0].swing->darkTimes.size(), 7u);
    EXPECT_TRUE(pendulumWindow()->L_journal->isHidden());
    // The length typed is the simulated pendulum's: its period is 0,8 m's.
    EXPECT_NEAR(pendulumWindow()->result()->period.value, swingPeriod(0.8, 9.81, 0.1745), 0.002);

    for (PendulumDiagramView* view : {pendulumWindow()->PB_T, pendulumWindow()->PB_v}) {
        EXPECT_EQ(view->input().passages.size(), 7u);
        ASSERT_TRUE(view->input().result);
        EXPECT_EQ(view->focusPolicy(), Qt::StrongFocus);
        const QImage picture = view->picture();
        EXPECT_EQ(picture.size(), QSize(413, 266));
        EXPECT_NE(picture.pixel(5, 5), picture.pixel(0, 0)) << "drawn, not blank";
    }
    EXPECT_EQ(pendulumWindow()->PB_T->accessibleDescription(),
              pendulumDiagramDescription(pendulumWindow()->PB_T->input()));
    EXPECT_TRUE(pendulumWindow()->PB_v->accessibleDescription().contains("τ = ("))
        << pendulumWindow()->PB_v->accessibleDescription().toStdString();

    pendulumWindow()->copyTable();
    const QStringList lines = QApplication::clipboard()->text().split("\r\n");
    ASSERT_EQ(lines.size(), 9); // headers, 7 passages, the last line's end
    EXPECT_EQ(lines[3].split('\t')[4], pendulumWindow()->cellText(4, 2));
    const QString csv = dir_.filePath("pendel.csv"), xls = dir_.filePath("pendel.xls");
    ASSERT_TRUE(pendulumWindow()->writeTable(csv, false));
    ASSERT_TRUE(pendulumWindow()->writeTable(xls, true));
    QFile c(csv), x(xls);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly) && x.open(QIODevice::ReadOnly));
    EXPECT_EQ(c.readAll(), experimentCsv(pendulumWindow()->tableTexts()));
    EXPECT_EQ(x.readAll(), pendulumWorkbook(pendulumWindow()->tableTexts()));
    EXPECT_FALSE(pendulumWindow()->writeTable(dir_.filePath("gibt/es/nicht.csv"), false));
    EXPECT_EQ(errors.size(), 1);

    // The table's popup opens by the keyboard.
    pendulumWindow()->SG_tabelle->setFocus();
    QKeyEvent menuKey(QEvent::KeyPress, Qt::Key_Menu, Qt::NoModifier);
    QApplication::sendEvent(pendulumWindow()->SG_tabelle, &menuKey);
    EXPECT_TRUE(pendulumWindow()->PopupMenu1->isVisible());
    pendulumWindow()->PopupMenu1->hide();

    // "Alle Messungen" lists the swing; it is no track run to load.
    Form1->Allemessungen1Click();
    allRunsWindow()->Liste->selectRow(0);
    allRunsWindow()->load(false);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors[1], "Ein Pendel lässt sich nur als Tabelle exportieren.");
    EXPECT_FALSE(Store.DataPresent);
}

// "Bis Abbrechen": the swing runs until "Abbrechen", which ends it with
// every passage so far and keeps it; a fixed count given up by "Abbrechen"
// keeps nothing, as in the other windows.
TEST_F(PendulumMeasurement, UntilAbbrechenEndsTheSwingWithWhatItHas) {
    startWithPendulum();
    pendulumWindow()->SB_perioden->setValue(0);
    EXPECT_EQ(pendulumWindow()->SB_perioden->text(), "bis Abbrechen");
    pendulumWindow()->B_mess->click();
    ASSERT_TRUE(processUntil([] { return pendulumWindow()->SG_tabelle->rowCount() >= 6; }, 120000));
    pendulumWindow()->B_abbruch->click();
    ASSERT_EQ(pendulumWindow()->swings().size(), 1u);
    EXPECT_EQ(pendulumWindow()->L_status->text(), "  Messung beendet  ");
    const std::size_t seen = pendulumWindow()->swings()[0].passages.size();
    EXPECT_GE(seen, 6u);
    EXPECT_EQ(std::size_t(pendulumWindow()->SG_tabelle->rowCount()), seen);
    ASSERT_TRUE(pendulumWindow()->result());
    EXPECT_NEAR(pendulumWindow()->result()->g.value, 9.81, 0.05);
    ASSERT_EQ(Journal->runs().size(), 1u);
    EXPECT_EQ(Journal->runs()[0].swing->darkTimes.size(), seen);
    EXPECT_EQ(Journal->runs()[0].swing->periods, 0);

    pendulumWindow()->SB_perioden->setValue(10);
    pendulumWindow()->B_mess->click();
    ASSERT_TRUE(processUntil([] { return pendulumWindow()->SG_tabelle->rowCount() >= 2; }, 120000));
    pendulumWindow()->B_abbruch->click();
    EXPECT_EQ(pendulumWindow()->L_status->text(), "   Abgebrochen   ");
    EXPECT_EQ(pendulumWindow()->swings().size(), 1u);
    EXPECT_EQ(Journal->runs().size(), 1u);
}

// A hand stops the bob after a few swings: the run ends two periods later
// with the passages it has, says how many of how many, and still gives T.
TEST_F(PendulumMeasurement, APendulumStoppedByHandEndsWithWhatItHas) {
    PendulumParameters p;
    p.stopAfter = 4.0; // about three periods of a 0,5 m pendulum
    startWithPendulum(p);
    ASSERT_TRUE(measure());
    const MeasuredSwing& swing = pendulumWindow()->swings().back();
    EXPECT_FALSE(swing.complete);
    EXPECT_GE(swing.passages.size(), 5u);
    EXPECT_LT(swing.passages.size(), 21u);
    EXPECT_EQ(pendulumWindow()->L_status->text(),
              QString("  Unvollständig: %1 von 21 Durchgängen  ").arg(swing.passages.size()));
    ASSERT_TRUE(pendulumWindow()->result());
    EXPECT_NEAR(pendulumWindow()->result()->g.value, 9.81, 0.05);
    ASSERT_EQ(Journal->runs().size(), 1u);
    EXPECT_FALSE(Journal->runs()[0].swing->complete);
}

// A bob wider than its swing never clears the beam: a clear message, and
// nothing kept; the setup's ranges are checked and a good one remembered.
TEST_F(PendulumMeasurement, ABobThatNeverClearsTheBeamIsSaidAndTheSetupIsChecked) {
    PendulumParameters p;
    p.amplitudeDeg = 1; // 8.7 mm out on 0,5 m
    p.amplitudeScatterDeg = 0;
    startWithPendulum(p);
    pendulumWindow()->SB_koerper->setValue(60);
    ASSERT_TRUE(measure());
    EXPECT_TRUE(pendulumWindow()->swings().back().passages.empty());
    EXPECT_TRUE(pendulumWindow()->L_ergebnis->text().contains(beamBlockedText()))
        << pendulumWindow()->L_ergebnis->text().toStdString();
    EXPECT_TRUE(Journal->runs().empty());
    // A bob narrower than the swing: the first swing kept is "Pendel 1".
    pendulumWindow()->SB_koerper->setValue(5);
    pendulumWindow()->SB_perioden->setValue(1);
    ASSERT_TRUE(measure());
    ASSERT_EQ(Journal->runs().size(), 1u);
    EXPECT_EQ(Journal->runs()[0].name, "Pendel 1");
    EXPECT_EQ(Journal->runs()[0].swing->darkTimes.size(), 3u);

    pendulumWindow()->SB_unsicherheit->setValue(80); // more than a tenth of 500 mm
    EXPECT_FALSE(pendulumWindow()->B_mess->isEnabled());
    EXPECT_TRUE(pendulumWindow()->L_aufbau->text().contains("Unsicherheit"))
        << pendulumWindow()->L_aufbau->text().toStdString();
    pendulumWindow()->SB_unsicherheit->setValue(2);
    pendulumWindow()->SB_laenge->setValue(1234.5);
    pendulumWindow()->SB_perioden->setValue(0);
    EXPECT_TRUE(pendulumWindow()->B_mess->isEnabled());
    EXPECT_TRUE(pendulumWindow()->L_aufbau->text().isEmpty());
    const PendulumSetup kept = rememberedPendulum();
    EXPECT_DOUBLE_EQ(kept.lengthMm, 1234.5);
    EXPECT_DOUBLE_EQ(kept.lengthUncertaintyMm, 2);
    EXPECT_DOUBLE_EQ(kept.bobWidthMm, 5);
    EXPECT_EQ(kept.periods, 0);
}

// Without a mouse: Tab reaches the setup, "Messen", "Abbrechen", the table,
// the result and both diagrams in reading order; the menu opens the window.
TEST_F(PendulumMeasurement, TheWindowByKeyboard) {
    startWithPendulum();
    QApplication::setActiveWindow(pendulumWindow());
    ASSERT_TRUE(processUntil([] { return pendulumWindow()->isActiveWindow(); }));
    pendulumWindow()->SB_laenge->setFocus();
    std::vector<QWidget*> order{pendulumWindow()->SB_laenge};
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        if (!focused || focused == pendulumWindow()->SB_laenge) break;
        if (focused->parentWidget() && qobject_cast<QAbstractSpinBox*>(focused->parentWidget()))
            focused = focused->parentWidget();
        order.push_back(focused);
    }
    const std::vector<QWidget*> expected{
        pendulumWindow()->SB_laenge,  pendulumWindow()->SB_unsicherheit,
        pendulumWindow()->SB_koerper, pendulumWindow()->SB_perioden,
        pendulumWindow()->B_mess,     pendulumWindow()->B_abbruch,
        pendulumWindow()->SG_tabelle, pendulumWindow()->L_ergebnis,
        pendulumWindow()->PB_T,       pendulumWindow()->PB_v};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(Form1->Messenpendel1->text(), "Messen &Pendel");
    EXPECT_FALSE(pendulumWindow()->SB_unsicherheit->accessibleName().isEmpty());
}

// The window and `kelmot --analyse --experiment pendulum` agree on one
// recording: the window hears it replayed, the command reads the file; both
// print the same passages and the same T, g and τ.
TEST_F(PendulumMeasurement, TheWindowAndTheCommandAgreeOnARecording) {
    PendulumParameters p;
    p.lengthMm = 650;
    p.g = 9.78;
    p.amplitudeDeg = 14;
    p.tau = 35;
    SimulatedPendulum pendulum(p, 22050);
    std::vector<std::int16_t> samples(22050 * 16);
    pendulum.read(samples.data(), samples.size());
    const QString wav = dir_.filePath("pendel.wav");
    ASSERT_EQ(writeWavFile(wav.toStdString(), samples, 22050), "");

    mixer = std::make_shared<SimulatedMixerApi>(SimulatedMixerApi::demonstrationDevices());
    createWindows(StartOptions{}, mixer, manual, nullptr, losslessReplay(wav, "pendel.wav"));
    Form1->Messenpendel1Click();
    pendulumWindow()->SB_laenge->setValue(650);
    pendulumWindow()->SB_perioden->setValue(5);
    ASSERT_TRUE(measure());

    StartOptions options;
    options.pendulum = true;
    options.pendulumSetup = pendulumWindow()->setup();
    std::string error;
    auto stream = WavStream::open(wav.toStdString(), 22050, error);
    ASSERT_TRUE(stream) << error;
    const auto [status, lines] = printedLines([&](std::FILE* out) {
        return printPendulumSwings(*stream, Store.Threshold, Store.Signal, options, out, stderr);
    });
    ASSERT_EQ(status, 0);
    ASSERT_GE(lines.size(), 13 + 5);
    EXPECT_EQ(lines[0], "Pendel 1");
    // Each passage as the window's row shows it; the command gives the
    // speed to a tenth of a millimetre per second more.
    for (int k = 0; k < 11; ++k) {
        const QStringList fields = lines[k + 2].split(';');
        ASSERT_EQ(fields.size(), 5) << lines[k + 2].toStdString();
        for (int c : {0, 1, 2, 4})
            EXPECT_EQ(fields[c], pendulumWindow()->cellText(c, k)) << k << " " << c;
        EXPECT_NEAR(QLocale().toDouble(fields[3]),
                    QLocale().toDouble(pendulumWindow()->cellText(3, k)), 0.00051)
            << k;
    }
    EXPECT_EQ(lines.mid(13, 5).join('\n'), pendulumWindow()->L_ergebnis->text());
    std::printf("the command and the window, 0,65 m at 14° with g = 9,78 m/s²:\n%s\n",
                qPrintable(pendulumWindow()->L_ergebnis->text()));
}
