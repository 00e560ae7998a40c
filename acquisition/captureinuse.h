// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelmot {

// Whether the measurement's capture holds the sound source: a run has it to
// itself, so the settings dialog's live view waits until it is closed.
class CaptureInUse {
public:
    virtual ~CaptureInUse() = default;
    virtual bool captureOpen() const = 0;
};

} // namespace kelmot
