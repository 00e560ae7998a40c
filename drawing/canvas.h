// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/colour.h"

#include <QString>
#include <vector>

namespace kelmot {

// What the diagrams draw with: the few operations of a drawing surface.
// The window, the clipboard picture and the printer are canvases; so is
// the recording that tests read and that the window replays when it paints.
// A canvas keeps its pen and brush between drawings, as a surface does.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void setBrushColour(Rgb colour) = 0;
    virtual void setPenColour(Rgb colour) = 0;
    virtual void setPenWidth(int width) = 0;
    // Dashed lines (a fitted curve) or solid ones (everything else).
    virtual void setPenDashed(bool dashed) = 0;
    // Filled with the brush, outlined with the pen; right and bottom excluded.
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void moveTo(int x, int y) = 0;
    // From the current position; the end point becomes the current position.
    virtual void lineTo(int x, int y) = 0;
    // The text's top-left corner at (x, y).
    virtual void textOut(int x, int y, const QString& text) = 0;

    void line(int x1, int y1, int x2, int y2) {
        moveTo(x1, y1);
        lineTo(x2, y2);
    }
};

// The pen and brush a surface holds between drawings.
struct PenState {
    Rgb brush{255, 255, 255};
    Rgb pen = Black;
    int width = 1;
    bool dashed = false;
};

// Records every operation; replays them onto another canvas. Tests read the
// lines, rectangles and texts with the pen they were drawn with.
class RecordingCanvas : public Canvas {
public:
    struct Op {
        enum Kind { Brush, Pen, Width, Dash, Rectangle, MoveTo, LineTo, Text } kind;
        int a = 0, b = 0, c = 0, d = 0;
        Rgb colour{};
        QString text;
    };
    struct Segment {
        int x1, y1, x2, y2;
        Rgb colour;
        int width;
        bool dashed = false;
        friend bool operator==(const Segment&, const Segment&) = default;
    };
    struct Label {
        int x, y;
        QString text;
        friend bool operator==(const Label&, const Label&) = default;
    };
    struct Box {
        int left, top, right, bottom;
        Rgb brush, pen;
        int width;
    };

    explicit RecordingCanvas(PenState start = {}) : start_(start), state_(start) {}

    void setBrushColour(Rgb colour) override;
    void setPenColour(Rgb colour) override;
    void setPenWidth(int width) override;
    void setPenDashed(bool dashed) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void textOut(int x, int y, const QString& text) override;

    void replayOn(Canvas& canvas) const;
    // A new recording that starts with the pen the last one left.
    void clear() {
        ops_.clear();
        start_ = state_;
    }

    const std::vector<Op>& ops() const { return ops_; }
    const PenState& state() const { return state_; }
    const PenState& startState() const { return start_; }
    std::vector<Segment> segments() const;
    std::vector<Label> labels() const;
    std::vector<Box> boxes() const;

private:
    std::vector<Op> ops_;
    PenState start_;
    PenState state_;
    int x_ = 0, y_ = 0;
};

} // namespace kelmot
