// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/AMixer.h"

#include <QMetaObject>
#include <QPointer>
#include <QSocketNotifier>
#include <algorithm>
#include <cstring>

namespace kelmot {

using namespace platform;

namespace {

QString fixedText(const char* text, std::size_t capacity) {
    return QString::fromUtf8(text, static_cast<qsizetype>(strnlen(text, capacity)));
}

bool hasFlag(const MixerControl& c, std::uint32_t flag) {
    return (c.controlFlags & flag) != 0;
}

// Items asked for in a value query: one value per item only for a control
// that has one per item.
std::uint32_t multipleItemsOf(const MixerControl& c) {
    return hasFlag(c, MIXERCONTROL_CONTROLF_MULTIPLE) ? c.multipleItems : 0;
}

} // namespace

// Turns the platform's change notifications into the component's events,
// always on the component's thread.
class TAudioMixer::Notifier final : public MixerNotifier {
public:
    explicit Notifier(TAudioMixer* mixer) : mixer_(mixer) {}
    void lineChanged(MixerHandle handle, std::uint32_t id) override {
        post(handle, id, &TAudioMixer::OnLineChange);
    }
    void controlChanged(MixerHandle handle, std::uint32_t id) override {
        post(handle, id, &TAudioMixer::OnControlChange);
    }

private:
    void post(MixerHandle handle, std::uint32_t id, TMixerChange TAudioMixer::*event) {
        QPointer<TAudioMixer> target(mixer_);
        QMetaObject::invokeMethod(
            mixer_,
            [target, handle, id, event] {
                if (target && (target->*event)) (target->*event)(target, handle, id);
            },
            Qt::QueuedConnection);
    }
    TAudioMixer* mixer_;
};

// ---- object model ------------------------------------------------------------

TMixerControls::TMixerControls(TAudioMixer& mixer, const MixerLine& line) {
    if (line.controls == 0) return;
    block_.resize(line.controls);
    if (mixer.Api().getLineControlsAll(mixer.Handle(), line.lineId, line.controls, block_.data()) !=
        MixerOk) {
        block_.clear();
        return;
    }
    for (auto& control : block_)
        list_.Add(&control);
}

TMixerConnection::TMixerConnection(TAudioMixer& mixer, const MixerLine& line)
    : Mixer(mixer), Data(line), Controls(mixer, line) {}

QString TMixerConnection::Name() const {
    return fixedText(Data.name, sizeof Data.name);
}

TMixerConnections::TMixerConnections(TAudioMixer& mixer, const MixerLine& destination) {
    for (std::uint32_t s = 0; s < destination.connections; ++s) {
        MixerLine line;
        if (mixer.Api().getLineInfoSource(mixer.Handle(), destination.destination, s, line) ==
            MixerOk)
            list_.Add(new TMixerConnection(mixer, line));
    }
}

TMixerDestination::TMixerDestination(TAudioMixer& mixer, const MixerLine& line)
    : Mixer(mixer), Data(line) {
    Connections = std::make_unique<TMixerConnections>(mixer, line);
    Controls = std::make_unique<TMixerControls>(mixer, line);
}

TMixerDestination::~TMixerDestination() {
    Controls.reset();
    Connections.reset();
}

QString TMixerDestination::Name() const {
    return fixedText(Data.name, sizeof Data.name);
}

// ---- TAudioMixer ------------------------------------------------------------

TAudioMixer::TAudioMixer(QObject* owner, std::shared_ptr<MixerApi> api)
    : QObject(owner), FApi(std::move(api)), FNotifier(std::make_unique<Notifier>(this)),
      FDestinations(std::make_unique<TMixerDestinations>()) {
    FDeviceCount = static_cast<int>(std::min<std::uint32_t>(FApi->numDevs(), 0x7fffffff));
    FMixerId = -1;
    if (FDeviceCount > 0) setMixerId(0);
}

TAudioMixer::~TAudioMixer() {
    CloseMixer();
}

void TAudioMixer::CloseMixer() {
    delete FEvents;
    FEvents = nullptr;
    if (FMixerId >= 0) {
        FApi->close(FHandle);
        FHandle = 0;
        FMixerId = -1;
    }
    FDestinations = std::make_unique<TMixerDestinations>();
}

void TAudioMixer::setMixerId(int value) {
    if (value < 0 || value >= FDeviceCount) return;
    CloseMixer();
    const auto device = static_cast<std::uint32_t>(value);
    // With notifications twice, then without: some drivers refuse the window.
    MixerHandle handle = 0;
    if (FApi->open(handle, device, FNotifier.get()) != MixerOk &&
        FApi->open(handle, device, FNotifier.get()) != MixerOk &&
        FApi->open(handle, device, nullptr) != MixerOk) {
        FMixerId = -1;
        return;
    }
    FHandle = handle;
    FMixerId = value;
    FCaps = MixerCaps{};
    FApi->getDevCaps(device, FCaps);
    FManufacturer = FCaps.manufacturerId == 1
                        ? QStringLiteral("Microsoft")
                        : QString::number(FCaps.manufacturerId) + QStringLiteral(" = Unknown");
    FDriverVersion = FCaps.driverVersion;
    FProductId = FCaps.productId;
    FProductName = fixedText(FCaps.productName, sizeof FCaps.productName);
    FNumberOfLine = FCaps.destinations;
    for (std::uint32_t d = 0; d < FCaps.destinations; ++d) {
        MixerLine line;
        if (FApi->getLineInfoDestination(FHandle, d, line) == MixerOk)
            FDestinations->Add(new TMixerDestination(*this, line));
    }
    WatchEvents();
}

void TAudioMixer::WatchEvents() {
    const int fd = FApi->eventDescriptor(FHandle);
    if (fd < 0) return;
    FEvents = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(FEvents, &QSocketNotifier::activated, this, [this] { FApi->dispatchEvents(); });
}

std::uint32_t TAudioMixer::ChannelsFor(const MixerControl& control,
                                       std::uint32_t lineChannels) const {
    return hasFlag(control, MIXERCONTROL_CONTROLF_UNIFORM)
               ? 1
               : std::max<std::uint32_t>(lineChannels, 1);
}

int TAudioMixer::FindListEntry(const MixerControl& control, std::uint32_t channels,
                               std::uint32_t lineId) {
    const std::uint32_t items = control.multipleItems;
    std::vector<MixerListText> texts(static_cast<std::size_t>(items) * channels);
    const bool ok = !texts.empty() && FApi->getControlListText(FHandle, control.controlId, channels,
                                                               items, texts.data()) == MixerOk;
    if (!ok) return -1;
    for (std::size_t g = channels - 1; g < texts.size(); g += channels) {
        if (texts[g].param1 == lineId) return static_cast<int>(g);
    }
    return -1;
}

TAudioMixer::ListQuery TAudioMixer::QueryList(const MixerControl& control,
                                              std::uint32_t destChannels, std::uint32_t items,
                                              std::uint32_t lineId) {
    ListQuery q;
    q.channels = ChannelsFor(control, destChannels);
    q.items = items;
    q.values.resize(static_cast<std::size_t>(q.channels) * std::max<std::uint32_t>(items, 1));
    q.read = FApi->getControlValues(FHandle, control.controlId, q.channels, items,
                                    q.values.data()) == MixerOk;
    const int g = FindListEntry(control, q.channels, lineId);
    if (g >= 0 && static_cast<std::size_t>(g) < q.values.size())
        q.entry = static_cast<std::size_t>(g);
    return q;
}

bool TAudioMixer::WriteList(const MixerControl& control, const ListQuery& q) {
    return FApi->setControlValues(FHandle, control.controlId, q.channels, q.items,
                                  q.values.data()) == MixerOk;
}

bool TAudioMixer::ReadLineState(int destination, int line, TLineState& s) {
    s = TLineState{};
    TMixerDestination* dest = FDestinations->Items(destination);
    if (!dest) return false;
    TMixerConnection* source = line == -1 ? nullptr : dest->Connections->Items(line);
    const std::uint32_t destChannels = dest->Data.channels;

    // Selection through the destination's select list.
    if (source) {
        for (int c = 0; c < dest->Controls->Count() && s.SelectOrMute == -1; ++c) {
            const MixerControl& control = *dest->Controls->Items(c);
            if (control.controlType != MIXERCONTROL_CONTROLTYPE_MUX) continue;
            const ListQuery q =
                QueryList(control, destChannels, multipleItemsOf(control), source->Data.lineId);
            if (!q.read) continue;
            if (q.entry) {
                s.SelectOrMute = q.values[*q.entry];
                s.SwitchDisabled = hasFlag(control, MIXERCONTROL_CONTROLF_DISABLED);
                s.Selectable = true;
            }
        }
    }

    // Volume and mute of the line itself.
    if (line != -1 && !source) return true;
    const TMixerControls& controls = source ? source->Controls : *dest->Controls;
    const std::uint32_t lineChannels = source ? source->Data.channels : destChannels;
    for (int c = 0; c < controls.Count() && (s.Left == -1 || s.SelectOrMute == -1); ++c) {
        const MixerControl& control = *controls.Items(c);
        if (hasFlag(control, MIXERCONTROL_CONTROLF_MULTIPLE)) continue;
        const bool volume = control.controlType == MIXERCONTROL_CONTROLTYPE_VOLUME;
        const bool mute = control.controlType == MIXERCONTROL_CONTROLTYPE_MUTE;
        if (!volume && !(mute && s.SelectOrMute == -1)) continue;
        const std::uint32_t channels = ChannelsFor(control, lineChannels);
        std::vector<std::int32_t> values(channels);
        if (FApi->getControlValues(FHandle, control.controlId, channels, 0, values.data()) !=
            MixerOk)
            continue;
        if (volume && s.Left == -1) {
            s.VolumeDisabled = hasFlag(control, MIXERCONTROL_CONTROLF_DISABLED);
            s.Left = values[0];
            if (channels > 1) {
                s.Right = values[1];
                s.Stereo = true;
            } else {
                s.Right = s.Left;
            }
        } else if (mute && s.SelectOrMute == -1) {
            s.SwitchDisabled = hasFlag(control, MIXERCONTROL_CONTROLF_DISABLED);
            s.SelectOrMute = values[0] != 0 ? 1 : 0;
        }
    }
    return true;
}

bool TAudioMixer::WriteLineState(int destination, int line, std::int32_t left, std::int32_t right,
                                 std::int32_t selectOrMute) {
    TMixerDestination* dest = FDestinations->Items(destination);
    if (!dest) return false;
    bool volumeDone = left == -1;
    bool switchDone = selectOrMute == -1;
    TMixerConnection* source = line == -1 ? nullptr : dest->Connections->Items(line);
    const std::uint32_t destChannels = dest->Data.channels;

    // A line behind the recording selector is (de)selected there; the list is
    // written with only this line's entry set, all others cleared.
    if (!switchDone && source) {
        for (int c = 0; c < dest->Controls->Count() && !switchDone; ++c) {
            const MixerControl& control = *dest->Controls->Items(c);
            if (control.controlType != MIXERCONTROL_CONTROLTYPE_MUX) continue;
            switchDone = true;
            ListQuery q =
                QueryList(control, destChannels, multipleItemsOf(control), source->Data.lineId);
            std::fill(q.values.begin(), q.values.end(), 0);
            if (q.entry) {
                q.values[*q.entry] = selectOrMute;
                WriteList(control, q);
            }
        }
    }

    if (line != -1 && !source) return true;
    const TMixerControls& controls = source ? source->Controls : *dest->Controls;
    const std::uint32_t lineChannels = source ? source->Data.channels : destChannels;
    for (int c = 0; c < controls.Count() && (!volumeDone || !switchDone); ++c) {
        const MixerControl& control = *controls.Items(c);
        if (hasFlag(control, MIXERCONTROL_CONTROLF_MULTIPLE)) continue;
        const bool volume = control.controlType == MIXERCONTROL_CONTROLTYPE_VOLUME && !volumeDone;
        const bool mute = control.controlType == MIXERCONTROL_CONTROLTYPE_MUTE && !switchDone;
        if (!volume && !mute) continue;
        const std::uint32_t channels = ChannelsFor(control, lineChannels);
        std::vector<std::int32_t> values(std::max<std::uint32_t>(channels, 2));
        if (volume) {
            values[0] = left;
            values[1] = right == -1 ? left : right;
            volumeDone = true;
        } else {
            std::fill(values.begin(), values.end(), selectOrMute);
            switchDone = true;
        }
        FApi->setControlValues(FHandle, control.controlId, channels, 0, values.data());
    }
    return true;
}

bool TAudioMixer::WriteLineSwitch(int destination, int line, bool on) {
    TMixerDestination* dest = FDestinations->Items(destination);
    if (!dest) return false;
    TMixerConnection* source = line == -1 ? nullptr : dest->Connections->Items(line);
    if (line != -1 && !source) return false;
    const std::uint32_t lineId = source ? source->Data.lineId : dest->Data.lineId;
    MixerControl mute;
    if (FApi->getLineControlByType(FHandle, lineId, MIXERCONTROL_CONTROLTYPE_MUTE, mute) ==
        MixerOk) {
        const std::int32_t value = on ? 1 : 0;
        return FApi->setControlValues(FHandle, mute.controlId, 1, 0, &value) == MixerOk;
    }
    if (!source) return false;
    for (int c = 0; c < dest->Controls->Count(); ++c) {
        const MixerControl& control = *dest->Controls->Items(c);
        const bool single = control.controlType == MIXERCONTROL_CONTROLTYPE_MUX;
        if (!single && control.controlType != MIXERCONTROL_CONTROLTYPE_MIXER) continue;
        ListQuery q =
            QueryList(control, dest->Data.channels, control.multipleItems, source->Data.lineId);
        if (!q.read || !q.entry) continue;
        if (single) std::fill(q.values.begin(), q.values.end(), 0);
        q.values[*q.entry] = on ? 1 : 0;
        return WriteList(control, q);
    }
    return false;
}

QString TAudioMixer::RecordingLineName(int line) const {
    const TMixerDestination* dest = FDestinations->Items(1);
    if (!dest) return {};
    const TMixerConnection* source = dest->Connections->Items(line);
    return source ? source->Name() : QString();
}

} // namespace kelmot
