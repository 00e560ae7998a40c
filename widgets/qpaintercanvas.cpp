// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/qpaintercanvas.h"

#include "widgets/controls.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace kelmot {

QPainterCanvas::QPainterCanvas(QPainter& painter, const PenState& start)
    : painter_(painter), state_(start) {
    painter_.setBrush(toQColor(state_.brush));
    applyPen();
}

void QPainterCanvas::applyPen() {
    QPen pen(toQColor(state_.pen));
    pen.setWidth(state_.width);
    if (state_.dashed) pen.setStyle(Qt::DashLine);
    painter_.setPen(pen);
}

void QPainterCanvas::setBrushColour(Rgb colour) {
    state_.brush = colour;
    painter_.setBrush(toQColor(colour));
}

void QPainterCanvas::setPenColour(Rgb colour) {
    state_.pen = colour;
    applyPen();
}

void QPainterCanvas::setPenWidth(int width) {
    state_.width = width;
    applyPen();
}

void QPainterCanvas::setPenDashed(bool dashed) {
    state_.dashed = dashed;
    applyPen();
}

void QPainterCanvas::rectangle(int left, int top, int right, int bottom) {
    painter_.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QPainterCanvas::moveTo(int x, int y) {
    // A move to where the pen stands goes on with the line (a clipped curve
    // moves to each piece's start): its dash pattern too.
    if (x != x_ || y != y_) travelled_ = 0;
    x_ = x;
    y_ = y;
}

void QPainterCanvas::lineTo(int x, int y) {
    if (state_.dashed) {
        // A curve drawn in short pieces keeps one dash pattern along it:
        // Qt starts each line's pattern anew, and pieces shorter than a dash
        // would all be dash, the curve solid.
        QPen pen = painter_.pen();
        pen.setDashOffset(travelled_ / std::max(1.0, pen.widthF()));
        painter_.setPen(pen);
    }
    painter_.drawLine(x_, y_, x, y);
    travelled_ += std::hypot(double(x - x_), double(y - y_));
    x_ = x;
    y_ = y;
}

void QPainterCanvas::textOut(int x, int y, const QString& text) {
    // Text is written in black on the brush colour; the pen is not used.
    const QFontMetrics metrics(painter_.font(), painter_.device());
    const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
    painter_.save();
    painter_.fillRect(box, toQColor(state_.brush));
    painter_.setPen(Qt::black);
    painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
    painter_.restore();
}

} // namespace kelmot
