// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/AudioIO.h"
#include "acquisition/tabellemess_u.h"
#include "evaluation/tabelle_u.h"
#include "settings/config_u.h"
#include "store/programsettings.h"
#include "tests/acquisition/steadyvoltage.h"
#include "tests/app/gui_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

class SettingsDialog : public ProgramFixture {
protected:
    // The demonstration card (inputs through a selector list) and a card
    // that switches its inputs by mute.
    void startWithTwoCards() {
        start({SimulatedMixerApi::demonstrationDevices()[0], muteCard("Karte B")});
    }
    // The user picks item i of a list with the arrow keys.
    static void choose(QComboBox* box, int i) {
        if (box->currentIndex() == i) emit box->activated(i);
        while (box->currentIndex() != i)
            QTest::keyClick(box, box->currentIndex() < i ? Qt::Key_Down : Qt::Key_Up);
    }
    const SimDestination& recording(int device) const {
        return mixer->devices[std::size_t(device)].destinations[1];
    }
    QByteArray configFile() const {
        QFile f(dir_.filePath("kelmot.cfg"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(SettingsDialog, DeviceAndLineChoicesRouteTheCardAtOnce) {
    startWithTwoCards();
    EXPECT_EQ(Form8->L_mixer->text(), "2 Schnittstelle(n) im System");
    EXPECT_EQ(Form8->ComboBox1->count(), 2);
    choose(Form8->ComboBox1, 1);
    EXPECT_EQ(Store.MixerDevice, 1);
    ASSERT_EQ(Form8->ComboBox2->count(), 3);
    EXPECT_EQ(Form8->ComboBox2->itemText(2), "CD");
    EXPECT_EQ(Form8->ComboBox2->currentIndex(), -1);

    // A card that switches by mute: the line unmuted at full volume.
    Form8->CB2->setChecked(true);
    choose(Form8->ComboBox2, 1);
    EXPECT_FALSE(Form8->CB2->isChecked());
    EXPECT_EQ(Store.InputLineSelected, 0);
    EXPECT_EQ(recording(1).sources[1].controls[0].values[0], 65535);
    EXPECT_EQ(recording(1).sources[1].controls[1].values[0], 0);
    EXPECT_EQ(recording(1).sources[0].controls[0].values[0], 0);
    EXPECT_EQ(Store.InputLine, 0); // only "Speichern" takes the line over

    // A card with a selector list: the line is selected.
    choose(Form8->ComboBox1, 0);
    choose(Form8->ComboBox2, 2);
    EXPECT_TRUE(Form8->CB2->isChecked());
    EXPECT_EQ(recording(0).line.controls[1].values, (std::vector<std::int32_t>{0, 0, 1, 0}));
    EXPECT_EQ(recording(0).sources[2].controls[0].values[0], 65535);
}

TEST_F(SettingsDialog, ThresholdMovesAtOnceAndAbbrechenKeepsTheFile) {
    startWithTwoCards();
    Store.SeriesCounter = 3;
    Form8->show();
    Form8->ScrollBar1->setValue(8000);
    EXPECT_EQ(Store.Threshold, 8000);
    Form8->Button2->click();
    EXPECT_FALSE(Form8->isVisible());
    EXPECT_EQ(Store.Threshold, 8000);
    EXPECT_EQ(Store.SeriesCounter, 0);
    EXPECT_FALSE(QFile::exists(dir_.filePath("kelmot.cfg")));
}

TEST_F(SettingsDialog, EscapeAndTheCloseBoxActLikeAbbrechen) {
    startWithTwoCards();
    Store.SeriesCounter = 2;
    Form8->show();
    QTest::keyClick(Form8, Qt::Key_Escape);
    EXPECT_FALSE(Form8->isVisible());
    EXPECT_EQ(Store.SeriesCounter, 0);
    Store.SeriesCounter = 2;
    Form8->show();
    Form8->close();
    EXPECT_EQ(Store.SeriesCounter, 0);
    EXPECT_FALSE(QFile::exists(dir_.filePath("kelmot.cfg")));
}

TEST_F(SettingsDialog, SpeichernWritesTheFileAndEnterSavesNothing) {
    startWithTwoCards();
    Form8->show();
    choose(Form8->ComboBox1, 1);
    choose(Form8->ComboBox2, 2);
    Form8->ScrollBar1->setValue(7000);
    Form8->RB_drei->setChecked(true);
    QTest::keyClick(Form8->ComboBox2->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(Form8->isVisible());
    EXPECT_FALSE(QFile::exists(dir_.filePath("kelmot.cfg")));
    Form8->Button1->click();
    EXPECT_FALSE(Form8->isVisible());
    EXPECT_EQ(configFile(), "1\r\n2\r\n7000\r\n1\r\n");
    EXPECT_EQ(Store.InputLine, 2);
    EXPECT_EQ(Store.MixerDevice, 1);
    EXPECT_EQ(Store.OutputMode, 1);
}

TEST_F(SettingsDialog, AWriteErrorKeepsTheDialogOpen) {
    startWithTwoCards();
    QDir(dir_.path()).mkdir("kelmot.cfg"); // a folder where the file should go
    Form8->show();
    Form8->Button1->click();
    EXPECT_TRUE(Form8->isVisible());
    EXPECT_EQ(errors.size(), 1);
    Form8->hide();
}

TEST_F(SettingsDialog, TypedTextNeverLeavesAStaleIndex) {
    startWithTwoCards();
    Form8->show();
    choose(Form8->ComboBox1, 1);
    QLineEdit* device = Form8->ComboBox1->lineEdit();
    device->selectAll();
    QTest::keyClicks(device, "Karte X");
    EXPECT_EQ(Form8->ComboBox1->currentIndex(), -1);
    EXPECT_EQ(device->text(), "Karte X");
    Form8->Button1->click();
    EXPECT_TRUE(configFile().startsWith("-1\r\n")) << configFile().toStdString();

    Form8->show();
    device->selectAll();
    QTest::keyClicks(device, "Karte B"); // an item's name chooses it
    EXPECT_EQ(Form8->ComboBox1->currentIndex(), 1);
    EXPECT_EQ(Store.MixerDevice, 1);
    EXPECT_EQ(Form8->ComboBox2->count(), 3);
    Form8->hide();
}

TEST_F(SettingsDialog, OneListAgainKeepsTheNewestSeries) {
    startWithTwoCards();
    Form8->RB_drei->setChecked(true);
    for (int run = 1; run <= 2; ++run)
        Store.commitRun(Form6->selector());
    ASSERT_EQ(Store.SeriesName[1], "Messung 1");
    Form8->RB_einzel->setChecked(true);
    EXPECT_EQ(Store.SeriesName[0], "Messung 2");
    EXPECT_TRUE(Store.SeriesName[1].isEmpty());
    EXPECT_EQ(Store.OutputMode, 0);
    EXPECT_EQ(Form6->Combo1->count(), 1);
}

TEST_F(SettingsDialog, WithoutAMixerThePlaceholdersShow) {
    start({});
    EXPECT_EQ(Form8->L_mixer->text(), "0 Schnittstelle(n) im System");
    EXPECT_EQ(Form8->ComboBox1->currentText(), "ComboBox1");
    EXPECT_EQ(Form8->ComboBox2->currentText(), "ComboBox2");
    Form8->ScrollBar1->setValue(1234);
    EXPECT_EQ(Store.Threshold, 1234);
}

TEST_F(SettingsDialog, StartSelectsTheConfiguredInputOnASelectorCard) {
    writeConfig("0\r\n2\r\n5000\r\n0\r\n");
    start();
    EXPECT_EQ(Store.InputLineSelected, 1);
    EXPECT_EQ(recording(0).line.controls[1].values, (std::vector<std::int32_t>{0, 0, 1, 0}));
    EXPECT_EQ(recording(0).sources[2].controls[0].values[0], 65535);
    EXPECT_EQ(recording(0).sources[0].controls[0].values[0], 0);
}

TEST_F(SettingsDialog, TheCloseBoxOfTheMainWindowRestoresTheMixer) {
    writeConfig("0\r\n1\r\n5000\r\n0\r\n");
    start({muteCard("Karte")});
    ASSERT_EQ(recording(0).sources[0].controls[0].values[0], 0);
    Form1->close();
    EXPECT_EQ(recording(0).sources[0].controls[0].values[0], 100);
    EXPECT_EQ(recording(0).sources[2].controls[0].values[0], 300);
    EXPECT_EQ(recording(0).sources[2].controls[1].values[0], 1);
}

TEST_F(SettingsDialog, TheLiveSignalShowsNoisePeakLampAndSuggestion) {
    start({muteCard("Karte")});
    Form8->show(); // starts listening to the source
    ASSERT_TRUE(Session->listening());
    EXPECT_EQ(Form8->L_lampe->text(), "kein Signal");
    auto deliver = [&](std::int16_t level, std::int16_t beam) {
        std::vector<std::int16_t> b(4410, level);
        for (int i = 2000; i < 2441; ++i)
            b[std::size_t(i)] = beam;
        ASSERT_TRUE(manual->deliver(b));
        const int before = Session->capture().BuffersReturned();
        ASSERT_TRUE(processUntil([&] { return Session->capture().BuffersReturned() > before; }));
    };
    for (int i = 0; i < 5; ++i)
        deliver(300, 300);
    EXPECT_EQ(Form8->L_rauschen->text(), "Rauschen: 300");
    EXPECT_EQ(Form8->L_vorschlag->text(), "Vorschlag: -");
    EXPECT_FALSE(Form8->Button3->isEnabled());
    EXPECT_EQ(Form8->L_lampe->text(), "Strahl frei");
    deliver(300, 14000); // a beam blocked for 20 ms
    EXPECT_EQ(Form8->L_spitze->text(), "Spitze: 14000");
    EXPECT_EQ(Form8->L_vorschlag->text(), "Vorschlag: 7150");
    EXPECT_EQ(Form8->L_vorschlag->accessibleName(), "Vorschlag: 7150");
    EXPECT_EQ(Form8->L_lampe->text(), "Strahl frei");
    deliver(14000, 14000); // blocked now
    EXPECT_EQ(Form8->L_lampe->text(), "Strahl unterbrochen");
    EXPECT_EQ(Form8->L_lampe->accessibleName(), "Strahl unterbrochen");
    Form8->Button3->click();
    EXPECT_EQ(Form8->ScrollBar1->value(), Form8->monitor().suggestedThreshold().value());
    EXPECT_EQ(Store.Threshold, Form8->ScrollBar1->value());
    Form8->hide();
    EXPECT_TRUE(processUntil([] { return !Session->capture().DeviceOpen(); }));
}

// While a run has the source, the view keeps off it and says so, whatever
// the scroll bar does; once the run's capture has closed (after "Abbrechen"
// it first hands back its buffers) the view starts listening by itself.
TEST_F(SettingsDialog, TheSignalViewWaitsForTheRunsCaptureToClose) {
    start({muteCard("Karte")});
    Form1->Messenst1Click();
    Form2->B_mess->click();
    ASSERT_TRUE(Form2->AudioIn->DeviceOpen());
    Form8->show();
    EXPECT_EQ(Form8->L_lampe->text(), "Messung läuft");
    EXPECT_FALSE(Session->listening());
    EXPECT_EQ(manual->calls().opens, 1); // the view never asked for the source
    Form8->ScrollBar1->setValue(9000);
    EXPECT_EQ(Form8->L_lampe->text(), "Messung läuft");

    Form2->B_abbruchClick();
    ASSERT_TRUE(Form2->AudioIn->DeviceOpen()); // still handing back its buffers
    EXPECT_EQ(Form8->L_lampe->text(), "Messung läuft");
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(manual->deliver(std::vector<std::int16_t>(4410, 0)));
    ASSERT_TRUE(processUntil([] { return Session->listening(); }));
    EXPECT_FALSE(Session->captureOpen()); // no run holds it
    EXPECT_EQ(manual->calls().opens, 2);  // the run's capture closed first
    EXPECT_EQ(Form8->L_lampe->text(), "kein Signal");
    Form8->ScrollBar1->setValue(9500);
    EXPECT_EQ(Form8->L_lampe->text(), "kein Signal");
    Form8->hide();
    EXPECT_TRUE(processUntil([] { return !Session->capture().DeviceOpen(); }));
}

// A barrier with a steady output: chosen by keyboard, remembered in the
// program's own settings (kelmot.cfg keeps its four lines), and the lamp
// shows the beam, not the swing through the card's input.
TEST_F(SettingsDialog, TheSteadyVoltageKindIsChosenRememberedAndItsLampShowsTheBeam) {
    start({muteCard("Karte")});
    Form8->FormCreate();
    EXPECT_EQ(Form8->CB_signal->currentText(), "Ton");
    EXPECT_EQ(Form8->L_signal->buddy(), Form8->CB_signal);
    Form8->show();
    ASSERT_TRUE(Session->listening());
    choose(Form8->CB_signal, 1);
    EXPECT_EQ(Form8->CB_signal->currentText(), "Gleichspannung (Flanken)");
    EXPECT_EQ(Store.Signal, SignalKind::Edges);
    EXPECT_EQ(rememberedSignalKind(), SignalKind::Edges);
    EXPECT_TRUE(configFile().isEmpty()) << "kelmot.cfg is written by Speichern only";

    // A beam goes dark in the second buffer and is free again in the fourth,
    // through a 20 Hz input: the swing has long decayed in the third.
    auto r = test::cartRun(400, 20, 1, false);
    r.darkSamples = {2 * 4410};
    r.gapSamples = {4410};
    r.start = 4410 + 2000;
    r.noiseAmplitude = 200;
    r.total = 5 * 4410;
    const auto s = r.samples();
    std::vector<QString> lamps;
    for (int b = 0; b < 5; ++b) {
        const std::vector<std::int16_t> buffer(s.begin() + b * 4410, s.begin() + (b + 1) * 4410);
        ASSERT_TRUE(manual->deliver(buffer));
        const int before = Session->capture().BuffersReturned();
        ASSERT_TRUE(processUntil([&] { return Session->capture().BuffersReturned() > before; }));
        lamps.push_back(Form8->L_lampe->text());
    }
    EXPECT_EQ(lamps, (std::vector<QString>{"Strahl frei", "Strahl unterbrochen",
                                           "Strahl unterbrochen", "Strahl frei", "Strahl frei"}));
    // Half the swing, which the scroll bar takes over.
    ASSERT_TRUE(Form8->Button3->isEnabled());
    Form8->Button3->click();
    EXPECT_NEAR(Store.Threshold, 6000, 300);

    // Back to the tone: the same choice for the next start.
    choose(Form8->CB_signal, 0);
    EXPECT_EQ(Store.Signal, SignalKind::Tone);
    EXPECT_EQ(rememberedSignalKind(), SignalKind::Tone);
    Form8->hide();
    EXPECT_TRUE(processUntil([] { return !Session->capture().DeviceOpen(); }));
}
