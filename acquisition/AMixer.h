// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/mixerapi.h"

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QSocketNotifier;

namespace kelmot {

class TAudioMixer;

// A list of pointers with an optional release action applied to every item
// when the list is cleared or destroyed.
template <typename T> class TPointerList {
public:
    using ReleaseAction = std::function<void(T*)>;
    explicit TPointerList(ReleaseAction release = {}) : release_(std::move(release)) {}
    ~TPointerList() { Clear(); }
    TPointerList(const TPointerList&) = delete;
    TPointerList& operator=(const TPointerList&) = delete;

    void Add(T* item) { items_.push_back(item); }
    int Count() const { return static_cast<int>(items_.size()); }
    // Null for an index outside the list.
    T* Items(int index) const {
        return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)] : nullptr;
    }
    T* operator[](int index) const { return Items(index); }
    void Clear() {
        if (release_)
            for (T* item : items_)
                release_(item);
        items_.clear();
    }

private:
    std::vector<T*> items_;
    ReleaseAction release_;
};

// The controls of one line, in platform order.
class TMixerControls {
public:
    TMixerControls(TAudioMixer& mixer, const platform::MixerLine& line);
    int Count() const { return list_.Count(); }
    const platform::MixerControl* Items(int index) const { return list_.Items(index); }
    const platform::MixerControl* operator[](int index) const { return Items(index); }

private:
    std::vector<platform::MixerControl> block_;
    TPointerList<platform::MixerControl> list_;
};

class TMixerConnection {
public:
    TMixerConnection(TAudioMixer& mixer, const platform::MixerLine& line);
    TAudioMixer& Mixer;
    platform::MixerLine Data;
    TMixerControls Controls;
    QString Name() const; // at most 64 characters
};

class TMixerConnections {
public:
    TMixerConnections(TAudioMixer& mixer, const platform::MixerLine& destination);
    int Count() const { return list_.Count(); }
    TMixerConnection* Items(int index) const { return list_.Items(index); }
    TMixerConnection* operator[](int index) const { return Items(index); }

private:
    TPointerList<TMixerConnection> list_{[](TMixerConnection* c) { delete c; }};
};

class TMixerDestination {
public:
    TMixerDestination(TAudioMixer& mixer, const platform::MixerLine& line);
    ~TMixerDestination();
    TAudioMixer& Mixer;
    platform::MixerLine Data;
    std::unique_ptr<TMixerConnections> Connections;
    std::unique_ptr<TMixerControls> Controls;
    QString Name() const;
};

class TMixerDestinations : public TPointerList<TMixerDestination> {
public:
    TMixerDestinations() : TPointerList([](TMixerDestination* d) { delete d; }) {}
};

using TMixerChange =
    std::function<void(QObject* Sender, platform::MixerHandle MixerH, std::uint32_t ID)>;

// What ReadLineState reports of one line.
struct TLineState {
    std::int32_t Left = -1;
    std::int32_t Right = -1;
    std::int32_t SelectOrMute = -1; // selected in the recording selector, or muted
    bool Stereo = false;
    bool VolumeDisabled = true;
    bool SwitchDisabled = true;
    bool Selectable = false;
};

// The destination whose source lines are the recording inputs (0 is playback).
inline constexpr int RecordingDestination = 1;

// Opens one mixer device at a time, models its lines and controls, and reads
// and writes a line's volume and select-or-mute state.
class TAudioMixer : public QObject {
    Q_OBJECT
public:
    TAudioMixer(QObject* owner, std::shared_ptr<platform::MixerApi> api);
    ~TAudioMixer() override;

    std::uint32_t DriverVersion() const { return FDriverVersion; }
    std::uint16_t ProductId() const { return FProductId; }
    std::uint32_t NumberOfLine() const { return FNumberOfLine; }
    const QString& Manufacturer() const { return FManufacturer; }
    const QString& ProductName() const { return FProductName; }
    int MixerId() const { return FMixerId; }
    void setMixerId(int value);
    int DeviceCount() const { return FDeviceCount; }
    TMixerDestinations& Destinations() { return *FDestinations; }
    const TMixerDestinations& Destinations() const { return *FDestinations; }

    TMixerChange OnLineChange;
    TMixerChange OnControlChange;

    // line -1 is the destination itself.
    bool ReadLineState(int destination, int line, TLineState& state);
    // -1 for a value leaves it unchanged; right -1 writes left to both channels.
    bool WriteLineState(int destination, int line, std::int32_t left, std::int32_t right,
                        std::int32_t selectOrMute);
    bool WriteLineSwitch(int destination, int line, bool on);

    // The name of source line `line` of destination 1, or empty.
    QString RecordingLineName(int line) const;

    platform::MixerApi& Api() const { return *FApi; }
    platform::MixerHandle Handle() const { return FHandle; }

private:
    class Notifier;
    void CloseMixer();
    std::uint32_t ChannelsFor(const platform::MixerControl& control,
                              std::uint32_t lineChannels) const;
    // Position of source line `lineId` among the items of a select list, or -1.
    int FindListEntry(const platform::MixerControl& control, std::uint32_t channels,
                      std::uint32_t lineId);
    // The values of a select list and where the entry of `lineId` stands.
    struct ListQuery {
        std::uint32_t channels = 1;
        std::uint32_t items = 0;
        std::vector<std::int32_t> values;
        bool read = false;                // the values came from the driver
        std::optional<std::size_t> entry; // the line's value, when the list names it
    };
    ListQuery QueryList(const platform::MixerControl& control, std::uint32_t destChannels,
                        std::uint32_t items, std::uint32_t lineId);
    bool WriteList(const platform::MixerControl& control, const ListQuery& query);
    void WatchEvents();

    std::shared_ptr<platform::MixerApi> FApi;
    std::unique_ptr<Notifier> FNotifier;
    std::unique_ptr<TMixerDestinations> FDestinations;
    int FDeviceCount = 0;
    platform::MixerHandle FHandle = 0;
    int FMixerId = -1;
    platform::MixerCaps FCaps;
    std::uint32_t FDriverVersion = 0;
    QString FManufacturer;
    std::uint16_t FProductId = 0;
    std::uint32_t FNumberOfLine = 0;
    QString FProductName;
    QSocketNotifier* FEvents = nullptr;
};

} // namespace kelmot
