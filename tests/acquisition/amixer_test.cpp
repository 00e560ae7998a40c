// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/AMixer.h"
#include "platform/mixerids.h"
#include "platform/simulated_mixer.h"
#include "tests/eventloop.h"

#include <gtest/gtest.h>

using namespace kelmot;
using namespace kelmot::platform;

namespace {

SimControl volume(std::int32_t l, std::int32_t r) {
    SimControl c;
    c.type = MIXERCONTROL_CONTROLTYPE_VOLUME;
    c.values = {l, r};
    return c;
}
SimControl monoVolume(std::int32_t v) {
    SimControl c;
    c.type = MIXERCONTROL_CONTROLTYPE_VOLUME;
    c.values = {v};
    return c;
}
SimControl mute(bool on) {
    SimControl c;
    c.type = MIXERCONTROL_CONTROLTYPE_MUTE;
    c.flags = MIXERCONTROL_CONTROLF_UNIFORM;
    c.values = {on ? 1 : 0};
    return c;
}
SimControl selector(std::vector<int> sources, std::vector<std::int32_t> values) {
    SimControl c;
    c.type = MIXERCONTROL_CONTROLTYPE_MUX;
    c.flags = MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE;
    c.itemSources = std::move(sources);
    c.values = std::move(values);
    return c;
}

// Card A: recording through a selector list over three inputs, of which
// "Mikrofon" is mono and "Line-In" also has a mute switch of its own.
SimDevice selectorCard() {
    SimDevice d;
    d.productName = "Karte mit Auswahlliste";
    d.destinations = {
        {{"Wiedergabe", 2, {volume(100, 100), mute(false)}}, {{"Wave", 2, {volume(1, 2)}}}},
        {{"Aufnahme", 2, {volume(60000, 60000), selector({0, 1, 2}, {0, 1, 0})}},
         {{"Mikrofon", 1, {monoVolume(1000)}},
          {"Line-In", 2, {volume(2000, 3000), mute(true)}},
          {"CD", 2, {volume(4000, 4000)}}}}};
    return d;
}

// Card B: every input has a mute switch, no selector.
SimDevice muteCard() {
    SimDevice d;
    d.productName = "Karte mit Stummschaltern";
    d.manufacturerId = 7;
    d.destinations = {{{"Wiedergabe", 2, {}}, {}},
                      {{"Aufnahme", 2, {volume(5, 5)}},
                       {{"Mikrofon", 2, {volume(10, 10), mute(false)}},
                        {"Line-In", 2, {mute(true), volume(20, 21)}}}}};
    return d;
}

struct Fixture {
    std::shared_ptr<SimulatedMixerApi> api;
    std::unique_ptr<TAudioMixer> mixer;
    explicit Fixture(std::vector<SimDevice> devices, SimRefusals refusals = {}) {
        api = std::make_shared<SimulatedMixerApi>(std::move(devices));
        api->refusals = std::move(refusals);
        mixer = std::make_unique<TAudioMixer>(nullptr, api);
    }
    SimControl& control(int dev, int d, int s, int c) {
        auto& dest = api->devices[dev].destinations[d];
        return (s < 0 ? dest.line : dest.sources[s]).controls[c];
    }
};

} // namespace

TEST(MixerModel, OpensDeviceZeroAndBuildsTheObjectModel) {
    Fixture f({selectorCard(), muteCard()});
    EXPECT_EQ(f.mixer->DeviceCount(), 2);
    EXPECT_EQ(f.mixer->MixerId(), 0);
    EXPECT_EQ(f.mixer->ProductName(), "Karte mit Auswahlliste");
    EXPECT_EQ(f.mixer->Manufacturer(), "Microsoft");
    EXPECT_EQ(f.mixer->NumberOfLine(), 2u);
    ASSERT_EQ(f.mixer->Destinations().Count(), 2);
    EXPECT_EQ(f.mixer->Destinations()[1]->Connections->Count(), 3);
    EXPECT_EQ(f.mixer->Destinations()[1]->Controls->Count(), 2);
    EXPECT_EQ(f.mixer->RecordingLineName(1), "Line-In");
    EXPECT_EQ(f.mixer->RecordingLineName(3), "");
    f.mixer->setMixerId(1);
    EXPECT_EQ(f.mixer->Manufacturer(), "7 = Unknown");
    EXPECT_EQ(f.mixer->RecordingLineName(0), "Mikrofon");
    EXPECT_EQ(f.api->openHandles(), 1); // the first device was closed
    f.mixer->setMixerId(2);             // out of range: nothing happens
    f.mixer->setMixerId(-1);
    EXPECT_EQ(f.mixer->MixerId(), 1);
}

TEST(MixerModel, AnUndescribableDestinationLetsTheLaterOnesMoveUp) {
    SimDevice d = selectorCard();
    d.destinations.insert(d.destinations.begin(), SimDestination{{"Kaputt", 2, {}}, {}});
    SimRefusals r;
    r.destinations = {{0, 0}};
    Fixture f({d}, r);
    ASSERT_EQ(f.mixer->Destinations().Count(), 2);
    EXPECT_EQ(f.mixer->Destinations()[1]->Name(), "Aufnahme");
    EXPECT_EQ(f.mixer->NumberOfLine(), 3u);
}

TEST(MixerModel, NoDeviceAtAll) {
    Fixture f({});
    EXPECT_EQ(f.mixer->DeviceCount(), 0);
    EXPECT_EQ(f.mixer->MixerId(), -1);
    EXPECT_EQ(f.mixer->Destinations().Count(), 0);
    TLineState s;
    EXPECT_FALSE(f.mixer->ReadLineState(1, 0, s));
    EXPECT_EQ(s.Left, -1);
    EXPECT_FALSE(f.mixer->WriteLineState(1, 0, 0, 0, 0));
    EXPECT_FALSE(f.mixer->WriteLineSwitch(1, 0, true));
    f.mixer->setMixerId(0);
    EXPECT_EQ(f.mixer->MixerId(), -1);
}

TEST(MixerModel, OpenIsTriedThreeTimesTheLastWithoutNotifications) {
    SimRefusals twice;
    twice.openAttempts = 2;
    Fixture f({selectorCard()}, twice);
    EXPECT_EQ(f.mixer->MixerId(), 0);
    SimRefusals thrice;
    thrice.openAttempts = 3;
    Fixture g({selectorCard()}, thrice);
    EXPECT_EQ(g.mixer->MixerId(), -1);
    EXPECT_EQ(g.mixer->Destinations().Count(), 0);
}

TEST(MixerModel, ACardThatDisappearedBeforeOpeningLeavesNoDeviceOpen) {
    Fixture f({selectorCard(), muteCard()});
    f.api->refusals.missingDevices = {1};
    f.mixer->setMixerId(1);
    EXPECT_EQ(f.mixer->MixerId(), -1);
    EXPECT_EQ(f.mixer->Destinations().Count(), 0);
    TLineState s;
    EXPECT_FALSE(f.mixer->ReadLineState(1, 0, s));
}

TEST(MixerModel, ALineWhoseControlsCannotBeListedHasNone) {
    SimRefusals r;
    r.controlsOfLine = {platform::sourceLineId(1, 2)};
    Fixture f({selectorCard()}, r);
    EXPECT_EQ(f.mixer->Destinations()[1]->Connections->Items(2)->Controls.Count(), 0);
    TLineState s;
    ASSERT_TRUE(f.mixer->ReadLineState(1, 2, s));
    EXPECT_EQ(s.Left, -1);
    EXPECT_TRUE(s.Selectable); // the selector entry still answers
}

TEST(MixerRead, SelectorEntryWinsOverTheLinesOwnMuteSwitch) {
    Fixture f({selectorCard()});
    TLineState s;
    ASSERT_TRUE(f.mixer->ReadLineState(1, 1, s));
    EXPECT_EQ(s.SelectOrMute, 1);
    EXPECT_TRUE(s.Selectable);
    EXPECT_FALSE(s.SwitchDisabled);
    EXPECT_EQ(s.Left, 2000);
    EXPECT_EQ(s.Right, 3000);
    EXPECT_TRUE(s.Stereo);
    EXPECT_FALSE(s.VolumeDisabled);
}

TEST(MixerRead, MonoLineGivesRightEqualToLeft) {
    Fixture f({selectorCard()});
    TLineState s;
    ASSERT_TRUE(f.mixer->ReadLineState(1, 0, s));
    EXPECT_EQ(s.Left, 1000);
    EXPECT_EQ(s.Right, 1000);
    EXPECT_FALSE(s.Stereo);
    EXPECT_EQ(s.SelectOrMute, 0);
}

TEST(MixerRead, MuteCardReportsTheMuteSwitchAndTheDestinationItself) {
    Fixture f({muteCard()});
    TLineState s;
    ASSERT_TRUE(f.mixer->ReadLineState(1, 1, s));
    EXPECT_EQ(s.SelectOrMute, 1);
    EXPECT_FALSE(s.Selectable);
    EXPECT_EQ(s.Left, 20);
    ASSERT_TRUE(f.mixer->ReadLineState(1, -1, s));
    EXPECT_EQ(s.Left, 5);
    EXPECT_EQ(s.SelectOrMute, -1);
    EXPECT_TRUE(s.SwitchDisabled);
}

TEST(MixerRead, IndexesOutOfRangeAndRefusedReads) {
    Fixture f({selectorCard()});
    TLineState s;
    EXPECT_FALSE(f.mixer->ReadLineState(2, 0, s));
    EXPECT_FALSE(f.mixer->ReadLineState(-1, 0, s));
    EXPECT_TRUE(f.mixer->ReadLineState(1, 17, s));
    EXPECT_EQ(s.Left, -1);
    EXPECT_EQ(s.SelectOrMute, -1);
    EXPECT_TRUE(f.mixer->ReadLineState(1, -5, s));
    f.api->refusals.readValues = {platform::mixerControlId(1, -1, 1),
                                  platform::mixerControlId(1, 1, 0)};
    ASSERT_TRUE(f.mixer->ReadLineState(1, 1, s));
    EXPECT_FALSE(s.Selectable);
    EXPECT_EQ(s.SelectOrMute, 1); // now from the line's mute switch
    EXPECT_EQ(s.Left, -1);
}

TEST(MixerWrite, SelectingOneLineClearsTheOthersAndZeroClearsAll) {
    Fixture f({selectorCard()});
    ASSERT_TRUE(f.mixer->WriteLineState(1, 2, 65535, 65535, 1));
    EXPECT_EQ(f.control(0, 1, -1, 1).values, (std::vector<std::int32_t>{0, 0, 1}));
    EXPECT_EQ(f.control(0, 1, 2, 0).values, (std::vector<std::int32_t>{65535, 65535}));
    // The line's own mute switch is left alone: the selector took the value.
    EXPECT_EQ(f.control(0, 1, 1, 1).values, std::vector<std::int32_t>{1});
    ASSERT_TRUE(f.mixer->WriteLineState(1, 0, 0, 0, 0));
    EXPECT_EQ(f.control(0, 1, -1, 1).values, (std::vector<std::int32_t>{0, 0, 0}));
    EXPECT_EQ(f.control(0, 1, 0, 0).values, std::vector<std::int32_t>{0});
}

TEST(MixerWrite, OnAMuteCardTheValueGoesToTheLinesSwitch) {
    Fixture f({muteCard()});
    ASSERT_TRUE(f.mixer->WriteLineState(1, 1, 65535, 65535, 0));
    EXPECT_EQ(f.control(0, 1, 1, 0).values, std::vector<std::int32_t>{0});
    EXPECT_EQ(f.control(0, 1, 1, 1).values, (std::vector<std::int32_t>{65535, 65535}));
}

TEST(MixerWrite, MinusOneLeavesThingsAndRightMinusOneCopiesLeft) {
    Fixture f({selectorCard()});
    ASSERT_TRUE(f.mixer->WriteLineState(1, 1, -1, 5, 0));
    EXPECT_EQ(f.control(0, 1, 1, 0).values, (std::vector<std::int32_t>{2000, 3000}));
    EXPECT_EQ(f.control(0, 1, -1, 1).values, (std::vector<std::int32_t>{0, 0, 0}));
    f.control(0, 1, -1, 1).values = {0, 1, 0};
    ASSERT_TRUE(f.mixer->WriteLineState(1, 1, 777, -1, -1));
    EXPECT_EQ(f.control(0, 1, 1, 0).values, (std::vector<std::int32_t>{777, 777}));
    EXPECT_EQ(f.control(0, 1, -1, 1).values, (std::vector<std::int32_t>{0, 1, 0}));
    // Line -1 is the destination itself.
    ASSERT_TRUE(f.mixer->WriteLineState(1, -1, 65535, 65535, 0));
    EXPECT_EQ(f.control(0, 1, -1, 0).values, (std::vector<std::int32_t>{65535, 65535}));
    EXPECT_EQ(f.control(0, 1, -1, 1).values, (std::vector<std::int32_t>{0, 1, 0}));
}

TEST(MixerWrite, OutOfRangeAndRefusedWritesNeverCrash) {
    Fixture f({selectorCard()});
    EXPECT_FALSE(f.mixer->WriteLineState(5, 0, 1, 1, 1));
    const int before = f.api->writes;
    EXPECT_TRUE(f.mixer->WriteLineState(1, 9, 1, 1, 1));
    EXPECT_EQ(f.api->writes, before);
    f.api->refusals.writeValues = {platform::mixerControlId(1, 0, 0)};
    f.api->refusals.listTexts = {platform::mixerControlId(1, -1, 1)};
    EXPECT_TRUE(f.mixer->WriteLineState(1, 0, 9, 9, 1));
    EXPECT_EQ(f.control(0, 1, 0, 0).values, std::vector<std::int32_t>{1000});
    EXPECT_EQ(f.control(0, 1, -1, 1).values, (std::vector<std::int32_t>{0, 1, 0}));
}

TEST(MixerWrite, SwitchUsesTheMuteControlElseTheSelector) {
    Fixture f({selectorCard()});
    EXPECT_TRUE(f.mixer->WriteLineSwitch(1, 1, false)); // Line-In has its own mute
    EXPECT_EQ(f.control(0, 1, 1, 1).values, std::vector<std::int32_t>{0});
    EXPECT_TRUE(f.mixer->WriteLineSwitch(1, 2, true)); // CD only through the selector
    EXPECT_EQ(f.control(0, 1, -1, 1).values, (std::vector<std::int32_t>{0, 0, 1}));
    EXPECT_FALSE(f.mixer->WriteLineSwitch(1, 8, true));
}

TEST(MixerEvents, AControlChangeIsReportedOnTheComponentsThread) {
    Fixture f({selectorCard()});
    std::vector<std::uint32_t> ids;
    f.mixer->OnControlChange = [&](QObject* sender, MixerHandle h, std::uint32_t id) {
        EXPECT_EQ(sender, f.mixer.get());
        EXPECT_EQ(h, f.mixer->Handle());
        ids.push_back(id);
    };
    f.mixer->WriteLineState(1, 0, 5, 5, -1);
    EXPECT_TRUE(ids.empty()); // queued, not called inside the write
    ASSERT_TRUE(kelmot::test::processUntil([&] { return !ids.empty(); }));
    EXPECT_EQ(ids[0], platform::mixerControlId(1, 0, 0));
}

TEST(MixerDemo, TheDemonstrationCardRoutesAnInput) {
    Fixture f(SimulatedMixerApi::demonstrationDevices());
    EXPECT_EQ(f.mixer->ProductName(), "Simulierte Soundkarte");
    EXPECT_EQ(f.mixer->RecordingLineName(1), "Line-In");
    ASSERT_TRUE(f.mixer->WriteLineState(1, 1, 65535, 65535, 1));
    TLineState s;
    ASSERT_TRUE(f.mixer->ReadLineState(1, 1, s));
    EXPECT_EQ(s.SelectOrMute, 1);
    EXPECT_EQ(s.Left, 65535);
    ASSERT_TRUE(f.mixer->ReadLineState(1, 0, s));
    EXPECT_EQ(s.SelectOrMute, 0);
}
