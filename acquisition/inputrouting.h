// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace kelmot {

class TAudioMixer;

// Routes the recording input the light barriers are wired to on the open
// mixer device: every other source line of the recording destination at
// volume 0 and deselected or muted, then the chosen line at full volume,
// selected when the card chooses its input through a selector list and
// unmuted when it switches by mute. The other lines go first: on a selector
// a later write would clear the entry just chosen.
// Returns the line's select-or-mute value as written (1: chosen through a
// selector), the value the settings dialog shows as "Gewählt / Ton aus".
std::int32_t routeRecordingInput(TAudioMixer& mixer, int line, int lineCount);

} // namespace kelmot
