// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/colour.h"

#include <QString>

namespace kelmot {

// Where a measurement stands. Every window that measures shows it the same
// way: one text per phase, in one place (sessionStateText).
enum class SessionPhase {
    Idle,       // nothing asked yet: the status line is empty
    Waiting,    // "Messen" pressed, no dark edge yet
    Running,    // the first dark edge came
    Ended,      // the run is complete (and kept)
    Incomplete, // the experiment ended it with fewer events than asked for
    Aborted,    // "Abbrechen", or another window took the sound card over
    DataLost,   // the driver dropped samples: every later time would be early
    NoDevice,   // the sound card stopped delivering
    CannotOpen, // the sound card could not be opened
};

struct SessionState {
    SessionPhase phase = SessionPhase::Idle;
    // CannotOpen: the device's reason; Incomplete: the experiment's own
    // sentence ("Unvollständig: 6 von 9 Latten"); empty otherwise.
    QString detail;

    bool finished() const {
        return phase != SessionPhase::Waiting && phase != SessionPhase::Running;
    }
    friend bool operator==(const SessionState&, const SessionState&) = default;
};

// The status line's text, blanks included as the windows have always shown
// them; empty for Idle.
QString sessionStateText(const SessionState& state);
// Green while a run is under way, red for everything else.
Rgb sessionStateColour(const SessionState& state);

// The status line of a run: waiting for the first dark edge, running, ended.
QString statusWaiting();
QString statusRunning();
QString statusEnded();

} // namespace kelmot
