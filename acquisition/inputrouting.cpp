// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/inputrouting.h"

#include "acquisition/AMixer.h"

namespace kelmot {

std::int32_t routeRecordingInput(TAudioMixer& mixer, int line, int lineCount) {
    for (int i = 0; i < lineCount; ++i)
        if (i != line) mixer.WriteLineState(RecordingDestination, i, 0, 0, 0);
    TLineState state;
    mixer.ReadLineState(RecordingDestination, line, state);
    const std::int32_t selected = state.Selectable ? 1 : 0;
    mixer.WriteLineState(RecordingDestination, line, 0xFFFF, 0xFFFF, selected);
    return selected;
}

} // namespace kelmot
