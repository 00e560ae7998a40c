// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/signalview.h"

#include "settings/signalviewdrawing.h"
#include "widgets/qpaintercanvas.h"

#include <QPainter>

namespace kelmot {

SignalView::SignalView(QWidget* parent) : QWidget(parent) {}

void SignalView::show(const SignalMonitor& monitor, int threshold) {
    drawing_.clear();
    drawSignalView(drawing_, width(), height(), monitor, threshold);
    update();
}

void SignalView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPainterCanvas canvas(painter, drawing_.startState());
    drawing_.replayOn(canvas);
}

} // namespace kelmot
