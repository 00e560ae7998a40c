// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/classroomsnapshot.h"

#include <QByteArray>
#include <array>
#include <functional>
#include <vector>

namespace kelmot {

// The classroom view's JSON, version 1 (the "api" field), for the page and
// for displays of a teacher's own; README documents it. Every text is a
// JSON string: a series name is a user's text and never markup.
inline constexpr int ClassroomApiVersion = 1;

// What the page says beside a diagram: the label the diagram window shows
// and the description a screen reader hears (also the SVG's title).
struct DiagramCaption {
    QString label;
    QString description;
};

// Everything the page shows: {"api":1,"type":"state","revision":n,...}.
// `/api/state` answers it, and the WebSocket sends it first and whenever
// more than the live table changed.
// Each experiment's window is a member named by its key ("fall"), listed
// in "experiments" in the menu's order; its two diagrams are captioned in
// `experiments`, one pair per experiment of the snapshot in its order.
QByteArray stateMessage(const ClassroomSnapshot& s, const ClassroomTexts& texts, int revision,
                        const DiagramCaption& st = {}, const DiagramCaption& vt = {},
                        const std::vector<std::array<DiagramCaption, 2>>& experiments = {});

// What to push when `after` follows `before`: a row message
// ({"type":"row","revision":n,"row":{...}}) for each barrier the run has
// newly passed and a status message ({"type":"status",...}) when the status
// line changed, as long as only the live table went on; otherwise (the
// experiments' windows among it: each event changes their result's basis)
// one state message.
// `state` makes the state message when one is needed.
std::vector<QByteArray> changeMessages(const ClassroomSnapshot& before,
                                       const ClassroomSnapshot& after, const ClassroomTexts& texts,
                                       int revision, const std::function<QByteArray()>& state);

} // namespace kelmot
