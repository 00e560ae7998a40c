// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/signalmonitor.h"
#include "drawing/canvas.h"

#include <QWidget>

namespace kelmot {

// The live signal in the settings dialog, drawn through the same canvas as
// the diagrams: each change is recorded and the paint event replays it.
class SignalView : public QWidget {
    Q_OBJECT
public:
    explicit SignalView(QWidget* parent = nullptr);
    void show(const SignalMonitor& monitor, int threshold);
    const RecordingCanvas& drawing() const { return drawing_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    RecordingCanvas drawing_;
};

} // namespace kelmot
