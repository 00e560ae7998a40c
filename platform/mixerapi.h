// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>

namespace kelmot::platform {

inline constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_VOLUME = 0x50030001;
inline constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_MUTE = 0x20010002;
inline constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_MUX = 0x70010001;
inline constexpr std::uint32_t MIXERCONTROL_CONTROLTYPE_MIXER = 0x71010001;
inline constexpr std::uint32_t MIXERCONTROL_CONTROLF_UNIFORM = 1;
inline constexpr std::uint32_t MIXERCONTROL_CONTROLF_MULTIPLE = 2;
inline constexpr std::uint32_t MIXERCONTROL_CONTROLF_DISABLED = 0x80000000;

inline constexpr int MixerOk = 0;
inline constexpr int MixerErrError = 1;
inline constexpr int MixerErrBadDeviceId = 2;
inline constexpr int MixerErrInvalidHandle = 5;
inline constexpr int MixerErrInvalidLine = 1024;
inline constexpr int MixerErrInvalidControl = 1025;

using MixerHandle = std::uintptr_t;

// Capabilities of one mixer device.
struct MixerCaps {
    std::uint16_t manufacturerId = 0;
    std::uint16_t productId = 0;
    std::uint32_t driverVersion = 0;
    char productName[32] = {};
    std::uint32_t support = 0;
    std::uint32_t destinations = 0;
};

// A destination or source line.
struct MixerLine {
    std::uint32_t destination = 0;
    std::uint32_t source = 0;
    std::uint32_t lineId = 0;
    std::uint32_t status = 0;
    std::uint32_t componentType = 0;
    std::uint32_t channels = 0;
    std::uint32_t connections = 0;
    std::uint32_t controls = 0;
    char shortName[16] = {};
    char name[64] = {};
};

struct MixerControl {
    std::uint32_t controlId = 0;
    std::uint32_t controlType = 0;
    std::uint32_t controlFlags = 0;
    std::uint32_t multipleItems = 0;
    char shortName[16] = {};
    char name[64] = {};
    std::int32_t minimum = 0;
    std::int32_t maximum = 65535;
};

// One item of a select list; param1 is the line identifier of its source line.
struct MixerListText {
    std::uint32_t param1 = 0;
    std::uint32_t param2 = 0;
    char name[64] = {};
};

// Told of changes made to a device's lines and controls, possibly by others.
class MixerNotifier {
public:
    virtual ~MixerNotifier() = default;
    virtual void lineChanged(MixerHandle handle, std::uint32_t lineId) = 0;
    virtual void controlChanged(MixerHandle handle, std::uint32_t controlId) = 0;
};

// The operating system's mixer functions. Every call returns MixerOk or an
// error code. Control values are 32-bit, `channels` times max(items, 1) of
// them, laid out item by item with the channels of one item together.
class MixerApi {
public:
    virtual ~MixerApi() = default;
    virtual std::uint32_t numDevs() = 0;
    // notifier may be null (opened without notification window).
    virtual int open(MixerHandle& handle, std::uint32_t device, MixerNotifier* notifier) = 0;
    virtual int close(MixerHandle handle) = 0;
    virtual int getDevCaps(std::uint32_t device, MixerCaps& caps) = 0;
    virtual int getLineInfoDestination(MixerHandle handle, std::uint32_t destination,
                                       MixerLine& line) = 0;
    virtual int getLineInfoSource(MixerHandle handle, std::uint32_t destination,
                                  std::uint32_t source, MixerLine& line) = 0;
    // Fills `count` records with all controls of the line.
    virtual int getLineControlsAll(MixerHandle handle, std::uint32_t lineId, std::uint32_t count,
                                   MixerControl* controls) = 0;
    virtual int getLineControlByType(MixerHandle handle, std::uint32_t lineId,
                                     std::uint32_t controlType, MixerControl& control) = 0;
    virtual int getControlValues(MixerHandle handle, std::uint32_t controlId,
                                 std::uint32_t channels, std::uint32_t items,
                                 std::int32_t* values) = 0;
    virtual int getControlListText(MixerHandle handle, std::uint32_t controlId,
                                   std::uint32_t channels, std::uint32_t items,
                                   MixerListText* texts) = 0;
    virtual int setControlValues(MixerHandle handle, std::uint32_t controlId,
                                 std::uint32_t channels, std::uint32_t items,
                                 const std::int32_t* values) = 0;
    // Lets a back end deliver change notifications that it gathered since the
    // last call (ALSA reads them from its descriptors); called on the
    // user-interface thread.
    virtual void dispatchEvents() {}
    // A descriptor that becomes readable when dispatchEvents has work, or -1.
    virtual int eventDescriptor(MixerHandle) { return -1; }
};

} // namespace kelmot::platform
