// SPDX-License-Identifier: GPL-3.0-or-later
// The measurement window on its own: what it is handed (store, main window,
// session over its capture and mixer, series selector) is all it uses.
#include "acquisition/tabellemess_u.h"
#include "platform/manual_wavein.h"
#include "platform/simulated_mixer.h"
#include "tests/acquisition/detection_fixture.h"
#include "tests/app/gui_fixture.h"
#include "tests/fakeselector.h"

#include <QLabel>
#include <QPushButton>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

TEST(MeasurementWindowAlone, ARunGoesIntoTheStoreAndSelectorItIsHanded) {
    Store = MeasurementStore{};
    MeasurementStore store;
    store.ColumnCount = 3;
    ListSelector selector;
    QWidget mainWindow;
    mainWindow.resize(1000, 700);
    TAudioMixer mixer(
        nullptr, std::make_shared<SimulatedMixerApi>(SimulatedMixerApi::demonstrationDevices()));
    mixer.setMixerId(0);
    auto capture = std::make_shared<CardLikeBackend>();
    NoRunKeeper keeper;
    MeasurementSession session(store, capture, &mixer);
    TForm2 window(store, &mainWindow, session, selector, keeper);
    window.FormCreate();

    // Half the main window's width, its height below the tool bar.
    EXPECT_EQ(window.size(), QSize(500, 700 - 85));
    EXPECT_TRUE(window.L_mixerinfo->text().startsWith("SOUNDKARTE :  " + mixer.ProductName()))
        << window.L_mixerinfo->text().toStdString();

    window.prepareRun(QStringLiteral("v-t"), true);
    window.B_mess->click();
    ASSERT_TRUE(window.captureOpen()) << window.AudioIn->ErrorText().toStdString();
    const auto deliver = [&](std::vector<std::int16_t> samples) {
        const int before = window.AudioIn->BuffersReturned();
        ASSERT_TRUE(capture->deliver(samples));
        ASSERT_TRUE(processUntil([&] { return window.AudioIn->BuffersReturned() > before; }));
    };
    deliver(std::vector<std::int16_t>(4410, 0)); // the settling buffer
    const auto run = fullRunSignal(100, 300);
    for (std::size_t b = 0; b < 11; ++b)
        deliver({run.begin() + b * 4410, run.begin() + (b + 1) * 4410});

    ASSERT_TRUE(processUntil([&] { return store.DataPresent; }));
    EXPECT_EQ(store.SeriesName[0], "Messung 1");
    EXPECT_GT(store.SeriesDarkTimes[0][9], 0.0);
    EXPECT_EQ(selector.items, QStringList{"Messung 1"});
    EXPECT_EQ(selector.index, 0);
    // The program's own store never saw the run.
    EXPECT_FALSE(Store.DataPresent);
    EXPECT_EQ(Store.SeriesName[0], "");
    // The capture hands back its queued buffers and closes.
    for (int i = 0; i < 20 && window.captureOpen(); ++i) {
        const int before = window.AudioIn->BuffersReturned();
        capture->deliver(std::vector<std::int16_t>(4410, 0));
        processUntil(
            [&] { return !window.captureOpen() || window.AudioIn->BuffersReturned() > before; });
    }
    EXPECT_TRUE(processUntil([&] { return !window.captureOpen(); }));
}
