// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/alsa_mixer.h"

#include "platform/alsamessages.h"
#include "platform/mixerids.h"
#include "platform/platformtext.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <strings.h>

namespace kelmot::platform {

namespace {

enum Kind : std::uint32_t { KindVolume = 0, KindMute = 1, KindSelect = 2 };

constexpr std::uint32_t Playback = 0;
constexpr std::uint32_t Recording = 1;

// The playback or the capture half of a simple element: destination 0
// uses the first, destination 1 the second.
struct ElementSide {
    int (*hasVolume)(snd_mixer_elem_t*);
    int (*hasSwitch)(snd_mixer_elem_t*);
    int (*isMono)(snd_mixer_elem_t*);
    int (*volumeJoined)(snd_mixer_elem_t*);
    int (*switchJoined)(snd_mixer_elem_t*);
    int (*volumeRange)(snd_mixer_elem_t*, long*, long*);
    int (*getVolume)(snd_mixer_elem_t*, snd_mixer_selem_channel_id_t, long*);
    int (*setVolume)(snd_mixer_elem_t*, snd_mixer_selem_channel_id_t, long);
    int (*setVolumeAll)(snd_mixer_elem_t*, long);
    int (*getSwitch)(snd_mixer_elem_t*, snd_mixer_selem_channel_id_t, int*);
    int (*setSwitchAll)(snd_mixer_elem_t*, int);
};

const ElementSide Sides[2] = {
    {snd_mixer_selem_has_playback_volume, snd_mixer_selem_has_playback_switch,
     snd_mixer_selem_is_playback_mono, snd_mixer_selem_has_playback_volume_joined,
     snd_mixer_selem_has_playback_switch_joined, snd_mixer_selem_get_playback_volume_range,
     snd_mixer_selem_get_playback_volume, snd_mixer_selem_set_playback_volume,
     snd_mixer_selem_set_playback_volume_all, snd_mixer_selem_get_playback_switch,
     snd_mixer_selem_set_playback_switch_all},
    {snd_mixer_selem_has_capture_volume, snd_mixer_selem_has_capture_switch,
     snd_mixer_selem_is_capture_mono, snd_mixer_selem_has_capture_volume_joined,
     snd_mixer_selem_has_capture_switch_joined, snd_mixer_selem_get_capture_volume_range,
     snd_mixer_selem_get_capture_volume, snd_mixer_selem_set_capture_volume,
     snd_mixer_selem_set_capture_volume_all, snd_mixer_selem_get_capture_switch,
     snd_mixer_selem_set_capture_switch_all},
};

std::string elementName(snd_mixer_elem_t* e) {
    std::string name = snd_mixer_selem_get_name(e);
    if (const unsigned index = snd_mixer_selem_get_index(e); index > 0)
        name += " " + std::to_string(index);
    return name;
}

} // namespace

std::int32_t alsaToMixerVolume(long value, long min, long max) {
    if (max <= min) return 0;
    const double v = double(std::clamp(value, min, max) - min) * 65535.0 / double(max - min);
    return static_cast<std::int32_t>(std::lround(v));
}

long mixerToAlsaVolume(std::int32_t value, long min, long max) {
    if (max <= min) return min;
    const double v = double(std::clamp(value, 0, 65535)) * double(max - min) / 65535.0;
    return min + std::lround(v);
}

// One source line: an ALSA simple element (or none, for a selector item
// without an element of its own).
struct AlsaLine {
    std::string name;
    snd_mixer_elem_t* elem = nullptr;
    bool mono = false;
    bool hasVolume = false;
    bool hasSwitch = false;
    bool volumeJoined = false;
    bool switchJoined = false;
};

struct AlsaMixerApi::Opened {
    MixerHandle handle = 0;
    snd_mixer_t* mixer = nullptr;
    std::vector<AlsaLine> lines[2];
    snd_mixer_elem_t* selector = nullptr;
    std::vector<std::string> selectorItems;
    std::vector<int> selectorSources;
    MixerNotifier* notifier = nullptr;

    struct Watch {
        Opened* owner;
        std::uint32_t control;
    };
    std::vector<std::unique_ptr<Watch>> watches;

    ~Opened() {
        if (mixer) snd_mixer_close(mixer);
    }

    const AlsaLine* line(std::uint32_t d, int s) const {
        if (d > 1 || s < 0 || s >= static_cast<int>(lines[d].size())) return nullptr;
        return &lines[d][static_cast<std::size_t>(s)];
    }
    std::vector<std::pair<Kind, MixerControl>> controlsOf(std::uint32_t d, int s) const;
    void refresh() { snd_mixer_handle_events(mixer); }
    void listLines();
    void listSelectorItems();
    void watchChanges();
};

// Each active element with a volume or a switch is a line of its side; the
// first enumerated capture element is the input selector.
void AlsaMixerApi::Opened::listLines() {
    for (snd_mixer_elem_t* e = snd_mixer_first_elem(mixer); e; e = snd_mixer_elem_next(e)) {
        if (!snd_mixer_selem_is_active(e)) continue;
        if (snd_mixer_selem_is_enumerated(e) && snd_mixer_selem_is_enum_capture(e)) {
            if (!selector) selector = e;
            continue;
        }
        for (const std::uint32_t d : {Playback, Recording}) {
            const ElementSide& side = Sides[d];
            if (!side.hasVolume(e) && !side.hasSwitch(e)) continue;
            AlsaLine l;
            l.name = elementName(e);
            l.elem = e;
            l.mono = side.isMono(e);
            l.hasVolume = side.hasVolume(e);
            l.hasSwitch = side.hasSwitch(e);
            l.volumeJoined = side.volumeJoined(e);
            l.switchJoined = side.switchJoined(e);
            lines[d].push_back(l);
        }
    }
}

// The selector's items, each the recording line of its name.
void AlsaMixerApi::Opened::listSelectorItems() {
    if (!selector) return;
    const int items = std::max(snd_mixer_selem_get_enum_items(selector), 0);
    for (int i = 0; i < items; ++i) {
        char name[64] = {};
        snd_mixer_selem_get_enum_item_name(selector, static_cast<unsigned>(i), sizeof name, name);
        selectorItems.emplace_back(name);
        auto& recording = lines[Recording];
        auto it = std::find_if(recording.begin(), recording.end(), [&](const AlsaLine& l) {
            return strcasecmp(l.name.c_str(), name) == 0;
        });
        if (it == recording.end()) {
            // An input that only the selector knows: a line without controls.
            AlsaLine l;
            l.name = name;
            recording.push_back(l);
            it = recording.end() - 1;
        }
        selectorSources.push_back(static_cast<int>(it - recording.begin()));
    }
}

// Changes made by others (another mixer program, the sound server) are
// reported as control changes of the line's volume.
void AlsaMixerApi::Opened::watchChanges() {
    for (std::uint32_t d = 0; d < 2; ++d) {
        for (std::size_t s = 0; s < lines[d].size(); ++s) {
            snd_mixer_elem_t* e = lines[d][s].elem;
            if (!e || snd_mixer_elem_get_callback_private(e)) continue;
            auto watch = std::make_unique<Watch>(
                Watch{this, mixerControlId(d, static_cast<int>(s), KindVolume)});
            snd_mixer_elem_set_callback_private(e, watch.get());
            snd_mixer_elem_set_callback(e, [](snd_mixer_elem_t* elem, unsigned int mask) {
                auto* w = static_cast<Watch*>(snd_mixer_elem_get_callback_private(elem));
                if (w && (mask & SND_CTL_EVENT_MASK_VALUE) && w->owner->notifier)
                    w->owner->notifier->controlChanged(w->owner->handle, w->control);
                return 0;
            });
            watches.push_back(std::move(watch));
        }
    }
}

std::vector<std::pair<Kind, MixerControl>> AlsaMixerApi::Opened::controlsOf(std::uint32_t d,
                                                                            int s) const {
    std::vector<std::pair<Kind, MixerControl>> out;
    if (s < 0) {
        if (d == Recording && selector) {
            MixerControl c;
            c.controlId = mixerControlId(d, -1, KindSelect);
            c.controlType = MIXERCONTROL_CONTROLTYPE_MUX;
            c.controlFlags = MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE;
            c.multipleItems = static_cast<std::uint32_t>(selectorItems.size());
            c.maximum = 1;
            copyName(c.shortName, sizeof c.shortName,
                     platformText(QT_TRANSLATE_NOOP("Platform", "Aufnahmequelle")));
            copyName(c.name, sizeof c.name, snd_mixer_selem_get_name(selector));
            out.emplace_back(KindSelect, c);
        }
        return out;
    }
    const AlsaLine* l = line(d, s);
    if (!l) return out;
    if (l->hasVolume) {
        MixerControl c;
        c.controlId = mixerControlId(d, s, KindVolume);
        c.controlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
        c.controlFlags = (l->mono || l->volumeJoined) ? MIXERCONTROL_CONTROLF_UNIFORM : 0;
        copyName(c.shortName, sizeof c.shortName,
                 platformText(QT_TRANSLATE_NOOP("Platform", "Lautstärke")));
        copyName(c.name, sizeof c.name,
                 platformText(QT_TRANSLATE_NOOP("Platform", "%1 Lautstärke"), l->name));
        out.emplace_back(KindVolume, c);
    }
    if (l->hasSwitch) {
        MixerControl c;
        c.controlId = mixerControlId(d, s, KindMute);
        c.controlType = MIXERCONTROL_CONTROLTYPE_MUTE;
        c.controlFlags = (l->mono || l->switchJoined) ? MIXERCONTROL_CONTROLF_UNIFORM : 0;
        c.maximum = 1;
        copyName(c.shortName, sizeof c.shortName,
                 platformText(QT_TRANSLATE_NOOP("Platform", "Ton aus")));
        copyName(c.name, sizeof c.name,
                 platformText(QT_TRANSLATE_NOOP("Platform", "%1 Ton aus"), l->name));
        out.emplace_back(KindMute, c);
    }
    return out;
}

AlsaMixerApi::AlsaMixerApi() {
    silenceAlsaMessages();
    snd_ctl_card_info_t* info = nullptr;
    snd_ctl_card_info_malloc(&info);
    std::vector<int> cards;
    for (int card = -1; snd_card_next(&card) == 0 && card >= 0;) {
        const std::string name = "hw:" + std::to_string(card);
        snd_ctl_t* ctl = nullptr;
        if (snd_ctl_open(&ctl, name.c_str(), 0) < 0) continue;
        std::string product = name;
        if (snd_ctl_card_info(ctl, info) == 0) product = snd_ctl_card_info_get_name(info);
        snd_ctl_close(ctl);
        devices_.push_back({name, product.substr(0, 31), card});
        cards.push_back(card);
    }
    snd_ctl_t* ctl = nullptr;
    if (snd_ctl_open(&ctl, "default", 0) == 0) {
        std::string product = platformText(QT_TRANSLATE_NOOP("Platform", "Standardgerät"));
        int card = -1;
        if (snd_ctl_card_info(ctl, info) == 0) {
            product = snd_ctl_card_info_get_name(info);
            card = snd_ctl_card_info_get_card(info);
        }
        const bool isCard = snd_ctl_type(ctl) == SND_CTL_TYPE_HW &&
                            std::find(cards.begin(), cards.end(), card) != cards.end();
        snd_ctl_close(ctl);
        if (!isCard) devices_.push_back({"default", product.substr(0, 31), -1});
    }
    snd_ctl_card_info_free(info);
}

AlsaMixerApi::~AlsaMixerApi() = default;

std::uint32_t AlsaMixerApi::numDevs() {
    return static_cast<std::uint32_t>(devices_.size());
}

AlsaMixerApi::Opened* AlsaMixerApi::find(MixerHandle handle) {
    for (auto& o : open_)
        if (o->handle == handle) return o.get();
    return nullptr;
}

int AlsaMixerApi::open(MixerHandle& handle, std::uint32_t device, MixerNotifier* notifier) {
    if (device >= devices_.size()) return MixerErrBadDeviceId;
    auto o = std::make_unique<Opened>();
    if (snd_mixer_open(&o->mixer, 0) < 0) return MixerErrError;
    if (snd_mixer_attach(o->mixer, devices_[device].ctlName.c_str()) < 0 ||
        snd_mixer_selem_register(o->mixer, nullptr, nullptr) < 0 || snd_mixer_load(o->mixer) < 0)
        return MixerErrBadDeviceId; // the card went away since it was listed
    o->notifier = notifier;
    o->listLines();
    o->listSelectorItems();
    o->watchChanges();
    o->handle = nextHandle_++;
    handle = o->handle;
    open_.push_back(std::move(o));
    return MixerOk;
}

int AlsaMixerApi::close(MixerHandle handle) {
    const auto it = std::find_if(open_.begin(), open_.end(),
                                 [&](const auto& o) { return o->handle == handle; });
    if (it == open_.end()) return MixerErrInvalidHandle;
    open_.erase(it);
    return MixerOk;
}

int AlsaMixerApi::getDevCaps(std::uint32_t device, MixerCaps& caps) {
    if (device >= devices_.size()) return MixerErrBadDeviceId;
    caps = MixerCaps{};
    caps.manufacturerId = 0;
    caps.productId = static_cast<std::uint16_t>(std::max(devices_[device].card, 0));
    caps.driverVersion = SND_LIB_VERSION;
    copyName(caps.productName, sizeof caps.productName, devices_[device].productName);
    caps.destinations = 2;
    return MixerOk;
}

int AlsaMixerApi::getLineInfoDestination(MixerHandle handle, std::uint32_t destination,
                                         MixerLine& line) {
    Opened* o = find(handle);
    if (!o) return MixerErrInvalidHandle;
    if (destination > 1) return MixerErrInvalidLine;
    line = MixerLine{};
    line.destination = destination;
    line.lineId = destinationLineId(destination);
    line.channels = 2;
    line.connections = static_cast<std::uint32_t>(o->lines[destination].size());
    line.controls = static_cast<std::uint32_t>(o->controlsOf(destination, -1).size());
    const std::string name = destination == Playback
                                 ? platformText(QT_TRANSLATE_NOOP("Platform", "Wiedergabe"))
                                 : platformText(QT_TRANSLATE_NOOP("Platform", "Aufnahme"));
    copyName(line.shortName, sizeof line.shortName, name);
    copyName(line.name, sizeof line.name, name);
    return MixerOk;
}

int AlsaMixerApi::getLineInfoSource(MixerHandle handle, std::uint32_t destination,
                                    std::uint32_t source, MixerLine& line) {
    Opened* o = find(handle);
    if (!o) return MixerErrInvalidHandle;
    const AlsaLine* l = o->line(destination, static_cast<int>(source));
    if (!l) return MixerErrInvalidLine;
    line = MixerLine{};
    line.destination = destination;
    line.source = source;
    line.lineId = sourceLineId(destination, source);
    line.channels = l->mono ? 1 : 2;
    line.controls =
        static_cast<std::uint32_t>(o->controlsOf(destination, static_cast<int>(source)).size());
    copyName(line.shortName, sizeof line.shortName, l->name);
    copyName(line.name, sizeof line.name, l->name);
    return MixerOk;
}

namespace {

bool decodeLine(std::uint32_t lineId, std::uint32_t& d, int& s) {
    decodeLineId(lineId, d, s);
    return d <= 1;
}

void decodeControl(std::uint32_t id, std::uint32_t& d, int& s, Kind& k) {
    d = id >> 20;
    s = static_cast<int>((id >> 8) & 0xFFF) - 1;
    k = static_cast<Kind>(id & 0xFF);
}

} // namespace

int AlsaMixerApi::getLineControlsAll(MixerHandle handle, std::uint32_t lineId, std::uint32_t count,
                                     MixerControl* controls) {
    Opened* o = find(handle);
    if (!o) return MixerErrInvalidHandle;
    std::uint32_t d = 0;
    int s = 0;
    if (!decodeLine(lineId, d, s)) return MixerErrInvalidLine;
    const auto list = o->controlsOf(d, s);
    if (count < list.size()) return MixerErrError;
    for (std::size_t i = 0; i < list.size(); ++i)
        controls[i] = list[i].second;
    return MixerOk;
}

int AlsaMixerApi::getLineControlByType(MixerHandle handle, std::uint32_t lineId,
                                       std::uint32_t controlType, MixerControl& control) {
    Opened* o = find(handle);
    if (!o) return MixerErrInvalidHandle;
    std::uint32_t d = 0;
    int s = 0;
    if (!decodeLine(lineId, d, s)) return MixerErrInvalidLine;
    for (const auto& [kind, c] : o->controlsOf(d, s)) {
        if (c.controlType == controlType) {
            control = c;
            return MixerOk;
        }
    }
    return MixerErrInvalidControl;
}

int AlsaMixerApi::getControlValues(MixerHandle handle, std::uint32_t id, std::uint32_t channels,
                                   std::uint32_t items, std::int32_t* values) {
    Opened* o = find(handle);
    if (!o || channels == 0) return MixerErrInvalidHandle;
    o->refresh();
    std::uint32_t d = 0;
    int s = 0;
    Kind k = KindVolume;
    decodeControl(id, d, s, k);
    if (k == KindSelect) {
        if (d != Recording || s != -1 || !o->selector || items != o->selectorItems.size())
            return MixerErrInvalidControl;
        unsigned current = 0;
        if (snd_mixer_selem_get_enum_item(o->selector, SND_MIXER_SCHN_FRONT_LEFT, &current) < 0)
            return MixerErrError;
        for (std::uint32_t i = 0; i < items; ++i)
            for (std::uint32_t ch = 0; ch < channels; ++ch)
                values[i * channels + ch] = i == current ? 1 : 0;
        return MixerOk;
    }
    const AlsaLine* l = o->line(d, s);
    if (!l || !l->elem || items > 1) return MixerErrInvalidControl;
    const ElementSide& side = Sides[d];
    for (std::uint32_t ch = 0; ch < channels; ++ch) {
        const auto channel =
            static_cast<snd_mixer_selem_channel_id_t>(l->mono ? 0 : std::min(ch, 1u));
        if (k == KindVolume && l->hasVolume) {
            long min = 0, max = 0, v = 0;
            side.volumeRange(l->elem, &min, &max);
            if (side.getVolume(l->elem, channel, &v) < 0) return MixerErrError;
            values[ch] = alsaToMixerVolume(v, min, max);
        } else if (k == KindMute && l->hasSwitch) {
            int on = 0;
            if (side.getSwitch(l->elem, channel, &on) < 0) return MixerErrError;
            values[ch] = on ? 0 : 1; // mute is the switch turned off
        } else {
            return MixerErrInvalidControl;
        }
    }
    return MixerOk;
}

int AlsaMixerApi::getControlListText(MixerHandle handle, std::uint32_t id, std::uint32_t channels,
                                     std::uint32_t items, MixerListText* texts) {
    Opened* o = find(handle);
    if (!o) return MixerErrInvalidHandle;
    if (id != mixerControlId(Recording, -1, KindSelect) || !o->selector ||
        items != o->selectorItems.size())
        return MixerErrInvalidControl;
    for (std::uint32_t i = 0; i < items; ++i) {
        for (std::uint32_t ch = 0; ch < channels; ++ch) {
            MixerListText& t = texts[i * channels + ch];
            t = MixerListText{};
            t.param1 = sourceLineId(Recording, static_cast<std::uint32_t>(o->selectorSources[i]));
            copyName(t.name, sizeof t.name, o->selectorItems[i]);
        }
    }
    return MixerOk;
}

int AlsaMixerApi::setControlValues(MixerHandle handle, std::uint32_t id, std::uint32_t channels,
                                   std::uint32_t items, const std::int32_t* values) {
    Opened* o = find(handle);
    if (!o || channels == 0) return MixerErrInvalidHandle;
    std::uint32_t d = 0;
    int s = 0;
    Kind k = KindVolume;
    decodeControl(id, d, s, k);
    if (k == KindSelect) {
        if (d != Recording || s != -1 || !o->selector || items != o->selectorItems.size())
            return MixerErrInvalidControl;
        // An ALSA selector always has one input chosen: "none" leaves it.
        for (std::uint32_t i = 0; i < items; ++i) {
            if (values[i * channels] != 0) {
                for (int ch = 0; ch <= SND_MIXER_SCHN_LAST; ++ch) {
                    const auto channel = static_cast<snd_mixer_selem_channel_id_t>(ch);
                    if (snd_mixer_selem_has_capture_channel(o->selector, channel) ||
                        ch == SND_MIXER_SCHN_FRONT_LEFT)
                        snd_mixer_selem_set_enum_item(o->selector, channel, i);
                }
                break;
            }
        }
        return MixerOk;
    }
    const AlsaLine* l = o->line(d, s);
    if (!l || !l->elem || items > 1) return MixerErrInvalidControl;
    const ElementSide& side = Sides[d];
    if (k == KindVolume && l->hasVolume) {
        long min = 0, max = 0;
        side.volumeRange(l->elem, &min, &max);
        int rc = 0;
        if (channels == 1 || l->mono) {
            rc = side.setVolumeAll(l->elem, mixerToAlsaVolume(values[0], min, max));
        } else {
            for (std::uint32_t ch = 0; ch < std::min(channels, 2u) && rc >= 0; ++ch)
                rc = side.setVolume(l->elem, static_cast<snd_mixer_selem_channel_id_t>(ch),
                                    mixerToAlsaVolume(values[ch], min, max));
        }
        return rc < 0 ? MixerErrError : MixerOk;
    }
    if (k == KindMute && l->hasSwitch) {
        const int on = values[0] != 0 ? 0 : 1; // mute is the switch turned off
        return side.setSwitchAll(l->elem, on) < 0 ? MixerErrError : MixerOk;
    }
    return MixerErrInvalidControl;
}

void AlsaMixerApi::dispatchEvents() {
    for (auto& o : open_)
        snd_mixer_handle_events(o->mixer);
}

int AlsaMixerApi::eventDescriptor(MixerHandle handle) {
    Opened* o = find(handle);
    if (!o) return -1;
    pollfd fd{};
    if (snd_mixer_poll_descriptors(o->mixer, &fd, 1) != 1) return -1;
    return fd.fd;
}

} // namespace kelmot::platform
