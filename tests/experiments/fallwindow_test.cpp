// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/kelmot_u.h"
#include "app/program.h"
#include "experiments/fallwindow.h"
#include "platform/paced_wavein.h"
#include "platform/simulatedfence.h"
#include "store/numberformat.h"
#include "tests/app/gui_fixture.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

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
        ASSERT_TRUE(Fall->isVisible());
    }
    // "Messen", and the drop to its end.
    static bool measure() {
        const std::size_t before = Fall->drops().size();
        Fall->B_mess->click();
        return processUntil([&] { return Fall->drops().size() > before; }, 60000);
    }
    FenceDropParameters fence_;
};

} // namespace

// A drop of the demonstration's fence: the table fills band by band with
// the fence's own times, g comes out near 9,81 m/s² with its uncertainty.
TEST_F(FallMeasurement, ASimulatedDropFillsTheTableAndGivesG) {
    startWithFence();
    EXPECT_EQ(Fall->SB_latten->value(), 8);
    EXPECT_DOUBLE_EQ(Fall->SB_abstand->value(), 50);
    EXPECT_DOUBLE_EQ(Fall->SB_breite->value(), 25);
    ASSERT_TRUE(measure());
    EXPECT_EQ(Fall->L_status->text(), "  Messung beendet  ");
    ASSERT_EQ(Fall->SG_fall->rowCount(), 8);
    FenceDropParameters first = fence_;
    first.seed = 1;
    const SimulatedFence reference(first, 22050);
    const auto& e = reference.edges();
    const double t0 = double(e[0].first);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(Fall->cellText(0, k), QString::number(k + 1));
        EXPECT_EQ(Fall->cellText(1, k), formatGeneral(k * 0.05));
        EXPECT_EQ(Fall->cellText(2, k), formatFixed((e[k].first - t0) / 22050 - 0.0003, 4)) << k;
        EXPECT_EQ(Fall->cellText(3, k), formatFixed((e[k].second - t0) / 22050 - 0.0003, 4)) << k;
        EXPECT_FALSE(Fall->cellText(4, k).isEmpty()) << k;
    }
    const auto result = fitFall(Fall->drops().back(), Fall->fence());
    ASSERT_TRUE(result);
    EXPECT_NEAR(result->g().value, 9.81, 0.05);
    EXPECT_TRUE(Fall->L_ergebnis->text().contains(gText(result->g())))
        << Fall->L_ergebnis->text().toStdString();
    EXPECT_TRUE(Fall->L_ergebnis->text().contains("Aus v-t (Gerade)"));
    EXPECT_EQ(Fall->L_ergebnis->accessibleDescription(), Fall->L_ergebnis->text());
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
    Fall->SB_latten->setValue(9);
    ASSERT_TRUE(measure());
    EXPECT_EQ(Fall->L_status->text(), "  Unvollständig: 6 von 9 Latten  ");
    EXPECT_EQ(Fall->drops().back().bands(), 6);
    EXPECT_FALSE(Fall->drops().back().complete);
    EXPECT_TRUE(Fall->L_ergebnis->text().contains("g = (")) << "six bands give g";
    Fall->SB_latten->setValue(6);
    ASSERT_TRUE(measure());
    EXPECT_EQ(Fall->L_status->text(), "  Messung beendet  ");
    EXPECT_TRUE(Fall->drops().back().complete);
    EXPECT_NE(Fall->drops()[0].darkTimes, Fall->drops()[1].darkTimes) << "each drop its own";
    // Two drops with g: their mean, as "Messreihe auswerten" gives it.
    EXPECT_TRUE(Fall->L_ergebnis->text().contains("Mittel aus 2 Fällen: g = ("))
        << Fall->L_ergebnis->text().toStdString();
}

// A geometry that no fence has cannot be measured with, and says why; a
// good one is remembered for the next start.
TEST_F(FallMeasurement, TheGeometryIsCheckedAndRemembered) {
    startWithFence();
    Fall->SB_breite->setValue(60); // wider than the pitch
    EXPECT_FALSE(Fall->B_mess->isEnabled());
    EXPECT_TRUE(Fall->L_geometrie->text().contains("Lattenbreite"));
    Fall->SB_breite->setValue(20);
    Fall->SB_abstand->setValue(40);
    Fall->SB_latten->setValue(12);
    EXPECT_TRUE(Fall->B_mess->isEnabled());
    EXPECT_TRUE(Fall->L_geometrie->text().isEmpty());
    const FenceGeometry kept = rememberedFence();
    EXPECT_EQ(kept.bands, 12);
    EXPECT_DOUBLE_EQ(kept.pitchMm, 40);
    EXPECT_DOUBLE_EQ(kept.bandWidthMm, 20);
}
