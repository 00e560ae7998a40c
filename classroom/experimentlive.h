// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/canvas.h"
#include "evaluation/tabletext.h"

#include <QString>
#include <array>
#include <memory>

namespace kelmot {

// One of an experiment's diagrams as the page draws it: a copy of what the
// window draws, made on the window's thread and drawn on the server's at
// whatever size a page asks for. Nothing in it may be changed once made.
class LiveDrawing {
public:
    virtual ~LiveDrawing() = default;
    // Draws into (0, 0)–(width, height) at one unit per pixel; returns the
    // caption of the fit, empty where there is none.
    virtual QString draw(Canvas& canvas, int width, int height) const = 0;
    // What a screen reader hears of it (also the picture's title).
    virtual QString description() const = 0;
};

// A drawing of `Input` by the diagram's own routines, as its window has it.
template <typename Input, QString (*Draw)(Canvas&, int, int, int, const Input&),
          QString (*Describe)(const Input&)>
class LiveDrawingOf final : public LiveDrawing {
public:
    explicit LiveDrawingOf(Input input) : input_(std::move(input)) {}
    QString draw(Canvas& canvas, int width, int height) const override {
        return Draw(canvas, width, height, 1, input_);
    }
    QString description() const override { return Describe(input_); }

private:
    const Input input_;
};

// One diagram of an experiment's section: its part of the diagram's path
// ("/diagram/fall-st.svg" for "st"), its name on the page, and its drawing.
// A window makes a new drawing whenever what it draws changes, so two
// diagrams are the same where they share theirs.
struct LiveDiagram {
    QString key;
    QString name;
    std::shared_ptr<const LiveDrawing> drawing;
    friend bool operator==(const LiveDiagram&, const LiveDiagram&) = default;
};

// A one-barrier experiment's window as the page shows it, while it is open:
// its heading and table caption, its status line, its table as shown, its
// result and its two diagrams. `key` names its section of the page, its
// member of the JSON and its diagrams' paths ("fall", "pendulum").
struct ExperimentLive {
    QString key;
    bool shown = false;
    QString heading;
    QString caption;
    QString status;
    bool measuring = false;
    TableTexts table; // a header row, then one row per event
    QString result;   // the result's lines, empty before a run has ended
    std::array<LiveDiagram, 2> diagrams;
    friend bool operator==(const ExperimentLive&, const ExperimentLive&) = default;
};

} // namespace kelmot
