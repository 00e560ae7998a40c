// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/simulated_mixer.h"

#include "platform/mixerids.h"
#include "platform/platformtext.h"

#include <algorithm>
#include <cstring>

namespace kelmot::platform {

namespace {

bool isList(const SimControl& c) {
    return c.type == MIXERCONTROL_CONTROLTYPE_MUX || c.type == MIXERCONTROL_CONTROLTYPE_MIXER;
}

std::uint32_t itemCount(const SimControl& c) {
    return isList(c) ? static_cast<std::uint32_t>(c.itemSources.size()) : 0;
}

std::uint32_t storedChannels(const SimControl& c, std::uint32_t lineChannels) {
    return (c.flags & MIXERCONTROL_CONTROLF_UNIFORM) ? 1 : std::max<std::uint32_t>(lineChannels, 1);
}

void sizeValues(SimControl& c, std::uint32_t lineChannels) {
    const std::size_t n =
        storedChannels(c, lineChannels) * std::max<std::uint32_t>(itemCount(c), 1);
    if (c.values.size() != n) c.values.resize(n, 0);
}

} // namespace

SimulatedMixerApi::SimulatedMixerApi(std::vector<SimDevice> devs) : devices(std::move(devs)) {
    for (auto& dev : devices) {
        for (auto& dest : dev.destinations) {
            for (auto& c : dest.line.controls)
                sizeValues(c, dest.line.channels);
            for (auto& src : dest.sources)
                for (auto& c : src.controls)
                    sizeValues(c, src.channels);
        }
    }
}

std::vector<SimDevice> SimulatedMixerApi::demonstrationDevices() {
    auto volume = [](std::int32_t v) {
        SimControl c;
        c.type = MIXERCONTROL_CONTROLTYPE_VOLUME;
        c.values = {v, v};
        c.name = platformText(QT_TRANSLATE_NOOP("Platform", "Lautstärke"));
        return c;
    };
    auto mute = [] {
        SimControl c;
        c.type = MIXERCONTROL_CONTROLTYPE_MUTE;
        c.flags = MIXERCONTROL_CONTROLF_UNIFORM;
        c.name = platformText(QT_TRANSLATE_NOOP("Platform", "Ton aus"));
        return c;
    };
    SimDevice card;
    card.productName = platformText(QT_TRANSLATE_NOOP("Platform", "Simulierte Soundkarte"));
    SimDestination playback;
    playback.line = {
        platformText(QT_TRANSLATE_NOOP("Platform", "Wiedergabe")), 2, {volume(40000), mute()}};
    playback.sources = {{"Wave", 2, {volume(50000), mute()}},
                        {"CD-Player", 2, {volume(30000), mute()}}};
    SimDestination recording;
    SimControl selector;
    selector.type = MIXERCONTROL_CONTROLTYPE_MUX;
    selector.flags = MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE;
    selector.itemSources = {0, 1, 2, 3};
    selector.itemNames = {platformText(QT_TRANSLATE_NOOP("Platform", "Mikrofon")), "Line-In",
                          "CD-Player", platformText(QT_TRANSLATE_NOOP("Platform", "Stereomix"))};
    selector.values = {1, 0, 0, 0};
    selector.name = platformText(QT_TRANSLATE_NOOP("Platform", "Aufnahmequelle"));
    recording.line = {
        platformText(QT_TRANSLATE_NOOP("Platform", "Aufnahme")), 2, {volume(65535), selector}};
    recording.sources = {
        {platformText(QT_TRANSLATE_NOOP("Platform", "Mikrofon")), 1, {volume(30000)}},
        {"Line-In", 2, {volume(30000)}},
        {"CD-Player", 2, {volume(30000)}},
        {platformText(QT_TRANSLATE_NOOP("Platform", "Stereomix")), 2, {volume(30000)}}};
    card.destinations = {playback, recording};
    return {card};
}

std::uint32_t SimulatedMixerApi::numDevs() {
    return static_cast<std::uint32_t>(devices.size());
}

int SimulatedMixerApi::open(MixerHandle& handle, std::uint32_t device, MixerNotifier* notifier) {
    if (device >= devices.size() || refusals.missingDevices.count(device))
        return MixerErrBadDeviceId;
    if (refusals.openAttempts > 0) {
        --refusals.openAttempts;
        return MixerErrError;
    }
    handle = nextHandle_++;
    open_.push_back({handle, {device, notifier}});
    return MixerOk;
}

int SimulatedMixerApi::close(MixerHandle handle) {
    const auto it =
        std::find_if(open_.begin(), open_.end(), [&](const auto& o) { return o.first == handle; });
    if (it == open_.end()) return MixerErrInvalidHandle;
    open_.erase(it);
    return MixerOk;
}

SimDevice* SimulatedMixerApi::deviceOf(MixerHandle handle) {
    for (auto& [h, o] : open_)
        if (h == handle && o.device < devices.size() && !refusals.missingDevices.count(o.device))
            return &devices[o.device];
    return nullptr;
}

int SimulatedMixerApi::getDevCaps(std::uint32_t device, MixerCaps& caps) {
    if (device >= devices.size() || refusals.missingDevices.count(device))
        return MixerErrBadDeviceId;
    const SimDevice& d = devices[device];
    caps = MixerCaps{};
    caps.manufacturerId = d.manufacturerId;
    caps.productId = d.productId;
    caps.driverVersion = d.driverVersion;
    copyName(caps.productName, sizeof caps.productName, d.productName);
    caps.destinations = static_cast<std::uint32_t>(d.destinations.size());
    return MixerOk;
}

void SimulatedMixerApi::fillLine(const SimDevice& dev, std::uint32_t d, int s,
                                 MixerLine& line) const {
    const SimDestination& dest = dev.destinations[d];
    const SimLine& l = s < 0 ? dest.line : dest.sources[static_cast<std::size_t>(s)];
    line = MixerLine{};
    line.destination = d;
    line.source = s < 0 ? 0 : static_cast<std::uint32_t>(s);
    line.lineId = s < 0 ? destinationLineId(d) : sourceLineId(d, static_cast<std::uint32_t>(s));
    line.channels = l.channels;
    line.connections = s < 0 ? static_cast<std::uint32_t>(dest.sources.size()) : 0;
    line.controls = static_cast<std::uint32_t>(l.controls.size());
    copyName(line.shortName, sizeof line.shortName, l.name);
    copyName(line.name, sizeof line.name, l.name);
}

int SimulatedMixerApi::getLineInfoDestination(MixerHandle handle, std::uint32_t destination,
                                              MixerLine& line) {
    SimDevice* dev = deviceOf(handle);
    if (!dev) return MixerErrInvalidHandle;
    const std::uint32_t device = static_cast<std::uint32_t>(dev - devices.data());
    if (destination >= dev->destinations.size() ||
        refusals.destinations.count({device, destination}))
        return MixerErrInvalidLine;
    fillLine(*dev, destination, -1, line);
    return MixerOk;
}

int SimulatedMixerApi::getLineInfoSource(MixerHandle handle, std::uint32_t destination,
                                         std::uint32_t source, MixerLine& line) {
    SimDevice* dev = deviceOf(handle);
    if (!dev) return MixerErrInvalidHandle;
    if (destination >= dev->destinations.size() ||
        source >= dev->destinations[destination].sources.size())
        return MixerErrInvalidLine;
    fillLine(*dev, destination, static_cast<int>(source), line);
    return MixerOk;
}

SimLine* SimulatedMixerApi::lineOf(SimDevice& dev, std::uint32_t lineId, std::uint32_t* dOut,
                                   int* sOut) {
    for (std::uint32_t d = 0; d < dev.destinations.size(); ++d) {
        if (lineId == destinationLineId(d)) {
            if (dOut) *dOut = d, *sOut = -1;
            return &dev.destinations[d].line;
        }
        for (std::uint32_t s = 0; s < dev.destinations[d].sources.size(); ++s) {
            if (lineId == sourceLineId(d, s)) {
                if (dOut) *dOut = d, *sOut = static_cast<int>(s);
                return &dev.destinations[d].sources[s];
            }
        }
    }
    return nullptr;
}

void SimulatedMixerApi::fillControl(const SimControl& c, std::uint32_t id, MixerControl& out) {
    out = MixerControl{};
    out.controlId = id;
    out.controlType = c.type;
    out.controlFlags = c.flags;
    out.multipleItems = itemCount(c);
    copyName(out.shortName, sizeof out.shortName, c.name);
    copyName(out.name, sizeof out.name, c.name);
    out.minimum = 0;
    out.maximum = isList(c) ? 1 : 65535;
}

int SimulatedMixerApi::getLineControlsAll(MixerHandle handle, std::uint32_t lineId,
                                          std::uint32_t count, MixerControl* controls) {
    SimDevice* dev = deviceOf(handle);
    if (!dev) return MixerErrInvalidHandle;
    std::uint32_t d = 0;
    int s = 0;
    SimLine* line = lineOf(*dev, lineId, &d, &s);
    if (!line || refusals.controlsOfLine.count(lineId)) return MixerErrInvalidLine;
    if (count < line->controls.size()) return MixerErrError;
    for (std::uint32_t c = 0; c < line->controls.size(); ++c)
        fillControl(line->controls[c], mixerControlId(d, s, c), controls[c]);
    return MixerOk;
}

int SimulatedMixerApi::getLineControlByType(MixerHandle handle, std::uint32_t lineId,
                                            std::uint32_t controlType, MixerControl& control) {
    SimDevice* dev = deviceOf(handle);
    if (!dev) return MixerErrInvalidHandle;
    std::uint32_t d = 0;
    int s = 0;
    SimLine* line = lineOf(*dev, lineId, &d, &s);
    if (!line) return MixerErrInvalidLine;
    for (std::uint32_t c = 0; c < line->controls.size(); ++c) {
        if (line->controls[c].type == controlType) {
            fillControl(line->controls[c], mixerControlId(d, s, c), control);
            return MixerOk;
        }
    }
    return MixerErrInvalidControl;
}

SimControl* SimulatedMixerApi::controlOf(SimDevice& dev, std::uint32_t id,
                                         std::uint32_t* lineChannels) {
    const std::uint32_t d = id >> 20;
    const int s = static_cast<int>((id >> 8) & 0xFFF) - 1;
    const std::uint32_t c = id & 0xFF;
    if (d >= dev.destinations.size()) return nullptr;
    SimDestination& dest = dev.destinations[d];
    if (s >= static_cast<int>(dest.sources.size())) return nullptr;
    SimLine& line = s < 0 ? dest.line : dest.sources[static_cast<std::size_t>(s)];
    if (c >= line.controls.size()) return nullptr;
    *lineChannels = line.channels;
    return &line.controls[c];
}

int SimulatedMixerApi::getControlValues(MixerHandle handle, std::uint32_t id,
                                        std::uint32_t channels, std::uint32_t items,
                                        std::int32_t* values) {
    SimDevice* dev = deviceOf(handle);
    if (!dev) return MixerErrInvalidHandle;
    std::uint32_t lineChannels = 0;
    SimControl* c = controlOf(*dev, id, &lineChannels);
    if (!c || refusals.readValues.count(id)) return MixerErrInvalidControl;
    const std::uint32_t stored = storedChannels(*c, lineChannels);
    const std::uint32_t n = std::max<std::uint32_t>(itemCount(*c), 1);
    if (channels == 0 || std::max<std::uint32_t>(items, 1) != n) return MixerErrError;
    for (std::uint32_t i = 0; i < n; ++i)
        for (std::uint32_t ch = 0; ch < channels; ++ch)
            values[i * channels + ch] = c->values[i * stored + std::min(ch, stored - 1)];
    return MixerOk;
}

int SimulatedMixerApi::getControlListText(MixerHandle handle, std::uint32_t id,
                                          std::uint32_t channels, std::uint32_t items,
                                          MixerListText* texts) {
    SimDevice* dev = deviceOf(handle);
    if (!dev) return MixerErrInvalidHandle;
    std::uint32_t lineChannels = 0;
    SimControl* c = controlOf(*dev, id, &lineChannels);
    if (!c || !isList(*c) || refusals.listTexts.count(id) || items != itemCount(*c))
        return MixerErrInvalidControl;
    const std::uint32_t d = id >> 20;
    for (std::uint32_t i = 0; i < items; ++i) {
        for (std::uint32_t ch = 0; ch < channels; ++ch) {
            MixerListText& t = texts[i * channels + ch];
            t = MixerListText{};
            const int src = c->itemSources[i];
            t.param1 = src < 0 ? 0xFFFFFFFFu : sourceLineId(d, static_cast<std::uint32_t>(src));
            copyName(t.name, sizeof t.name, i < c->itemNames.size() ? c->itemNames[i] : "");
        }
    }
    return MixerOk;
}

int SimulatedMixerApi::setControlValues(MixerHandle handle, std::uint32_t id,
                                        std::uint32_t channels, std::uint32_t items,
                                        const std::int32_t* values) {
    SimDevice* dev = deviceOf(handle);
    if (!dev) return MixerErrInvalidHandle;
    std::uint32_t lineChannels = 0;
    SimControl* c = controlOf(*dev, id, &lineChannels);
    if (!c || refusals.writeValues.count(id)) return MixerErrInvalidControl;
    const std::uint32_t stored = storedChannels(*c, lineChannels);
    const std::uint32_t n = std::max<std::uint32_t>(itemCount(*c), 1);
    if (channels == 0 || std::max<std::uint32_t>(items, 1) != n) return MixerErrError;
    // One channel given for a control of more: all channels get that value.
    for (std::uint32_t i = 0; i < n; ++i)
        for (std::uint32_t ch = 0; ch < stored; ++ch)
            c->values[i * stored + ch] = values[i * channels + std::min(ch, channels - 1)];
    ++writes;
    for (auto& [h, o] : open_)
        if (o.notifier && &devices[o.device] == dev) o.notifier->controlChanged(h, id);
    return MixerOk;
}

} // namespace kelmot::platform
