// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace kelmot {

// The one capture of the sound source as the settings dialog's live view
// sees it: a run has it to itself, so the view waits until the run's
// capture has closed, and then listens through the same capture.
class CaptureInUse {
public:
    virtual ~CaptureInUse() = default;
    // A run's capture is open (the view's listening is no run).
    virtual bool captureOpen() const = 0;

    // Each buffer of the source while no run has the card; a run that starts
    // takes the capture over and the listening ends. False while a run's
    // capture is open (ask again once it has closed) or when the source
    // cannot be opened (`error` says why).
    using SampleListener = std::function<void(const std::int16_t* samples, std::size_t count)>;
    virtual bool listen(SampleListener listener, QString& error) = 0;
    virtual void stopListening() = 0;
    virtual bool listening() const = 0;
};

} // namespace kelmot
