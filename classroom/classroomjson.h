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
// The free fall's two diagrams are captioned in `fall` (s-t, then v-t), the
// pendulum's in `pendulum` (periods, then speeds).
QByteArray stateMessage(const ClassroomSnapshot& s, const ClassroomTexts& texts, int revision,
                        const DiagramCaption& st = {}, const DiagramCaption& vt = {},
                        const std::array<DiagramCaption, 2>& fall = {},
                        const std::array<DiagramCaption, 2>& pendulum = {});

// What to push when `after` follows `before`: a row message
// ({"type":"row","revision":n,"row":{...}}) for each barrier the run has
// newly passed and a status message ({"type":"status",...}) when the status
// line changed, as long as only the live table went on; otherwise (the free
// fall's and the pendulum's windows among it: each passage changes their
// result's basis) one state message.
// `state` makes the state message when one is needed.
std::vector<QByteArray> changeMessages(const ClassroomSnapshot& before,
                                       const ClassroomSnapshot& after, const ClassroomTexts& texts,
                                       int revision, const std::function<QByteArray()>& state);

} // namespace kelmot
