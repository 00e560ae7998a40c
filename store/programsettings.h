// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/signalkind.h"

#include <QString>
#include <functional>
#include <optional>

class QSettings;

namespace kelmot {

// The program's own settings, kept beside kelmot.cfg (whose four lines stay
// as they always were, for the files schools already have): an INI file in
// the user's configuration folder, $XDG_CONFIG_HOME/kelmot/kelmot.conf.
QString programSettingsFile();

// Writes values into the settings file through `write` (its folder made
// first); on failure, why.
std::optional<QString> changeProgramSettings(const std::function<void(QSettings&)>& write);

// The kind of light barrier signal last chosen; the tone when none was, or
// when the file names a kind this program does not know.
SignalKind rememberedSignalKind();
// Remembers the choice; on failure, why (the choice still holds until the
// program ends).
std::optional<QString> rememberSignalKind(SignalKind kind);

// Whether a measurement tells a screen reader each barrier's time as it
// fills its row; on unless turned off.
bool rememberedTimeAnnouncements();
// Remembers the choice; on failure, why.
std::optional<QString> rememberTimeAnnouncements(bool on);

} // namespace kelmot
