// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/AMixer.h"
#include "platform/alsa_mixer.h"
#include "tests/soundserver.h"

#include <gtest/gtest.h>

using namespace kelmot;
using namespace kelmot::platform;
using kelmot::test::runTool;

TEST(AlsaVolumeMapping, IsLinearAndRoundsToTheNearest) {
    EXPECT_EQ(alsaToMixerVolume(0, 0, 65536), 0);
    EXPECT_EQ(alsaToMixerVolume(65536, 0, 65536), 65535);
    EXPECT_EQ(alsaToMixerVolume(15, 0, 31), 31710);
    EXPECT_EQ(alsaToMixerVolume(99, 0, 31), 65535); // clamped
    EXPECT_EQ(alsaToMixerVolume(5, 5, 5), 0);
    EXPECT_EQ(mixerToAlsaVolume(65535, 0, 65536), 65536);
    EXPECT_EQ(mixerToAlsaVolume(0, -20, 10), -20);
    EXPECT_EQ(mixerToAlsaVolume(65535, -20, 10), 10);
    EXPECT_EQ(mixerToAlsaVolume(-1, 0, 31), 0);
    for (long v = 0; v <= 31; ++v)
        EXPECT_EQ(mixerToAlsaVolume(alsaToMixerVolume(v, 0, 31), 0, 31), v);
}

// ALSA's default control device is the PulseAudio server's mixer; its
// "Capture" element is the default source's volume and mute.
TEST(AlsaMixer, DefaultControlDeviceReadsAndWritesTheServersCaptureVolume) {
    KELMOT_NEED_SOUND_SERVER();
    auto api = std::make_shared<AlsaMixerApi>();
    int index = -1;
    for (std::size_t i = 0; i < api->devices().size(); ++i)
        if (api->devices()[i].ctlName == "default") index = static_cast<int>(i);
    ASSERT_GE(index, 0) << "ALSA's default control device is not listed";

    TAudioMixer mixer(nullptr, api);
    mixer.setMixerId(index);
    ASSERT_EQ(mixer.MixerId(), index);
    EXPECT_EQ(mixer.ProductName(), "PulseAudio");
    ASSERT_GE(mixer.Destinations().Count(), 2);
    const TMixerConnections& rec = *mixer.Destinations()[1]->Connections;
    int capture = -1;
    for (int i = 0; i < rec.Count(); ++i)
        if (rec[i]->Name() == "Capture") capture = i;
    ASSERT_GE(capture, 0);

    for (const std::int32_t level : {0, 65535}) {
        ASSERT_TRUE(mixer.WriteLineState(1, capture, level, level, 0));
        TLineState s;
        ASSERT_TRUE(mixer.ReadLineState(1, capture, s));
        EXPECT_EQ(s.Left, level);
        EXPECT_EQ(s.Right, level);
        EXPECT_EQ(s.SelectOrMute, 0);
        EXPECT_FALSE(s.Selectable);
        const QString amixer = runTool("amixer", {"-D", "default", "sget", "Capture"});
        EXPECT_TRUE(amixer.contains(level == 0 ? "[0%]" : "[100%]")) << amixer.toStdString();
        const QString pactl = runTool("pactl", {"get-source-volume", "@DEFAULT_SOURCE@"});
        EXPECT_TRUE(pactl.contains(level == 0 ? " 0%" : "100%")) << pactl.toStdString();
    }
    // Mute is the capture switch turned off.
    ASSERT_TRUE(mixer.WriteLineState(1, capture, -1, -1, 1));
    EXPECT_TRUE(runTool("amixer", {"-D", "default", "sget", "Capture"}).contains("[off]"));
    ASSERT_TRUE(mixer.WriteLineState(1, capture, -1, -1, 0));
    EXPECT_TRUE(runTool("amixer", {"-D", "default", "sget", "Capture"}).contains("[on]"));
}
