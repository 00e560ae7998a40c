// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/mixerapi.h"

#include <memory>
#include <string>
#include <vector>

namespace kelmot::platform {

// The ALSA sound cards in card order, then ALSA's "default" control device
// when it is not one of them (on a desktop, the sound server's mixer).
// Destination 0 is playback, destination 1 recording; a card's capture-source
// selector becomes the recording destination's select list. Volumes are
// mapped linearly onto 0..65535, mute is a capture switch turned off.
class AlsaMixerApi : public MixerApi {
public:
    AlsaMixerApi();
    ~AlsaMixerApi() override;

    std::uint32_t numDevs() override;
    int open(MixerHandle& handle, std::uint32_t device, MixerNotifier* notifier) override;
    int close(MixerHandle handle) override;
    int getDevCaps(std::uint32_t device, MixerCaps& caps) override;
    int getLineInfoDestination(MixerHandle handle, std::uint32_t destination,
                               MixerLine& line) override;
    int getLineInfoSource(MixerHandle handle, std::uint32_t destination, std::uint32_t source,
                          MixerLine& line) override;
    int getLineControlsAll(MixerHandle handle, std::uint32_t lineId, std::uint32_t count,
                           MixerControl* controls) override;
    int getLineControlByType(MixerHandle handle, std::uint32_t lineId, std::uint32_t controlType,
                             MixerControl& control) override;
    int getControlValues(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                         std::uint32_t items, std::int32_t* values) override;
    int getControlListText(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                           std::uint32_t items, MixerListText* texts) override;
    int setControlValues(MixerHandle handle, std::uint32_t controlId, std::uint32_t channels,
                         std::uint32_t items, const std::int32_t* values) override;
    void dispatchEvents() override;
    int eventDescriptor(MixerHandle handle) override;

    struct Device {
        std::string ctlName; // "hw:0", "default"
        std::string productName;
        int card = -1;
    };
    const std::vector<Device>& devices() const { return devices_; }

    struct Opened;

private:
    Opened* find(MixerHandle handle);
    std::vector<Device> devices_;
    std::vector<std::unique_ptr<Opened>> open_;
    MixerHandle nextHandle_ = 1;
};

// Volume mapping between an element's range and 0..65535, rounded.
std::int32_t alsaToMixerVolume(long value, long min, long max);
long mixerToAlsaVolume(std::int32_t value, long min, long max);

} // namespace kelmot::platform
