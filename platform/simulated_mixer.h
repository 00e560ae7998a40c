// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/mixerapi.h"

#include <set>
#include <string>
#include <vector>

namespace kelmot::platform {

// A mixer held in memory: devices, their destinations and source lines, and
// the controls of each line with their values. Used by the tests and by the
// program when no real mixer is wanted (--mixer=simulated).
struct SimControl {
    std::uint32_t type = MIXERCONTROL_CONTROLTYPE_VOLUME;
    std::uint32_t flags = 0;
    // For select lists: the source line index of every item, in item order
    // (-1 for an item whose line does not exist).
    std::vector<int> itemSources;
    std::vector<std::string> itemNames;
    // channels x max(items, 1) values; sized by the back end when empty.
    std::vector<std::int32_t> values;
    std::string name;
};

struct SimLine {
    std::string name;
    std::uint32_t channels = 2;
    std::vector<SimControl> controls;
};

struct SimDestination {
    SimLine line;
    std::vector<SimLine> sources;
};

struct SimDevice {
    std::string productName;
    std::uint16_t manufacturerId = 1;
    std::uint16_t productId = 0;
    std::uint32_t driverVersion = 0x0100;
    std::vector<SimDestination> destinations;
};

// Which calls the simulated mixer refuses.
struct SimRefusals {
    int openAttempts = 0; // this many open calls fail before one succeeds
    std::set<std::uint32_t> missingDevices;
    std::set<std::pair<std::uint32_t, std::uint32_t>> destinations; // device, destination
    std::set<std::uint32_t> controlsOfLine;                         // line ids
    std::set<std::uint32_t> readValues;                             // control ids
    std::set<std::uint32_t> writeValues;                            // control ids
    std::set<std::uint32_t> listTexts;                              // control ids
};

class SimulatedMixerApi : public MixerApi {
public:
    explicit SimulatedMixerApi(std::vector<SimDevice> devices);
    // The demonstration sound card: a recording selector over four inputs.
    static std::vector<SimDevice> demonstrationDevices();

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

    SimRefusals refusals;
    std::vector<SimDevice> devices;
    int openHandles() const { return static_cast<int>(open_.size()); }
    int writes = 0;

private:
    struct Opened {
        std::uint32_t device;
        MixerNotifier* notifier;
    };
    SimDevice* deviceOf(MixerHandle handle);
    SimLine* lineOf(SimDevice& device, std::uint32_t lineId, std::uint32_t* d = nullptr,
                    int* s = nullptr);
    SimControl* controlOf(SimDevice& device, std::uint32_t controlId, std::uint32_t* lineChannels);
    void fillLine(const SimDevice& dev, std::uint32_t d, int s, MixerLine& line) const;
    static void fillControl(const SimControl& c, std::uint32_t id, MixerControl& out);

    std::vector<std::pair<MixerHandle, Opened>> open_;
    MixerHandle nextHandle_ = 1;
};

} // namespace kelmot::platform
