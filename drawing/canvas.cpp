// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing/canvas.h"

namespace kelmot {

void RecordingCanvas::setBrushColour(Rgb colour) {
    state_.brush = colour;
    ops_.push_back({Op::Brush, 0, 0, 0, 0, colour, {}});
}

void RecordingCanvas::setPenColour(Rgb colour) {
    state_.pen = colour;
    ops_.push_back({Op::Pen, 0, 0, 0, 0, colour, {}});
}

void RecordingCanvas::setPenWidth(int width) {
    state_.width = width;
    ops_.push_back({Op::Width, width, 0, 0, 0, {}, {}});
}

void RecordingCanvas::setPenDashed(bool dashed) {
    state_.dashed = dashed;
    ops_.push_back({Op::Dash, dashed ? 1 : 0, 0, 0, 0, {}, {}});
}

void RecordingCanvas::rectangle(int left, int top, int right, int bottom) {
    ops_.push_back({Op::Rectangle, left, top, right, bottom, {}, {}});
}

void RecordingCanvas::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
    ops_.push_back({Op::MoveTo, x, y, 0, 0, {}, {}});
}

void RecordingCanvas::lineTo(int x, int y) {
    x_ = x;
    y_ = y;
    ops_.push_back({Op::LineTo, x, y, 0, 0, {}, {}});
}

void RecordingCanvas::textOut(int x, int y, const QString& text) {
    ops_.push_back({Op::Text, x, y, 0, 0, {}, text});
}

void RecordingCanvas::replayOn(Canvas& canvas) const {
    for (const Op& op : ops_) {
        switch (op.kind) {
        case Op::Brush:
            canvas.setBrushColour(op.colour);
            break;
        case Op::Pen:
            canvas.setPenColour(op.colour);
            break;
        case Op::Width:
            canvas.setPenWidth(op.a);
            break;
        case Op::Dash:
            canvas.setPenDashed(op.a != 0);
            break;
        case Op::Rectangle:
            canvas.rectangle(op.a, op.b, op.c, op.d);
            break;
        case Op::MoveTo:
            canvas.moveTo(op.a, op.b);
            break;
        case Op::LineTo:
            canvas.lineTo(op.a, op.b);
            break;
        case Op::Text:
            canvas.textOut(op.a, op.b, op.text);
            break;
        }
    }
}

namespace {

// The ops again, with the pen and position each one was drawn with.
template <typename Visit>
void walk(const std::vector<RecordingCanvas::Op>& ops, PenState s, Visit visit) {
    int x = 0, y = 0;
    for (const RecordingCanvas::Op& op : ops) {
        using Op = RecordingCanvas::Op;
        if (op.kind == Op::Brush) s.brush = op.colour;
        if (op.kind == Op::Pen) s.pen = op.colour;
        if (op.kind == Op::Width) s.width = op.a;
        if (op.kind == Op::Dash) s.dashed = op.a != 0;
        visit(op, s, x, y);
        if (op.kind == Op::MoveTo || op.kind == Op::LineTo) {
            x = op.a;
            y = op.b;
        }
    }
}

} // namespace

std::vector<RecordingCanvas::Segment> RecordingCanvas::segments() const {
    std::vector<Segment> out;
    walk(ops_, start_, [&](const Op& op, const PenState& s, int x, int y) {
        if (op.kind == Op::LineTo) out.push_back({x, y, op.a, op.b, s.pen, s.width, s.dashed});
    });
    return out;
}

std::vector<RecordingCanvas::Label> RecordingCanvas::labels() const {
    std::vector<Label> out;
    for (const Op& op : ops_)
        if (op.kind == Op::Text) out.push_back({op.a, op.b, op.text});
    return out;
}

std::vector<RecordingCanvas::Box> RecordingCanvas::boxes() const {
    std::vector<Box> out;
    walk(ops_, start_, [&](const Op& op, const PenState& s, int, int) {
        if (op.kind == Op::Rectangle)
            out.push_back({op.a, op.b, op.c, op.d, s.brush, s.pen, s.width});
    });
    return out;
}

} // namespace kelmot
