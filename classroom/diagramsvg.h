// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/classroomsnapshot.h"

#include <QByteArray>
#include <QString>

namespace kelmot {

// A diagram of the classroom page: drawn by the diagrams' own routine onto
// an SVG surface, with the label the window shows beside it and the
// description a screen reader hears, which the SVG also carries as its
// title (its name when it shows no series). Works on any thread.
struct DiagramPicture {
    QByteArray svg;
    QString label;
    QString description;
};

// About the size of a diagram window: the diagrams' texts and offsets are
// laid out for it; what a page asks for without a width.
inline constexpr int SvgDiagramWidth = 560;
inline constexpr int SvgDiagramHeight = 360;

// The height of a diagram drawn `width` wide: the usual proportions, and
// room for its axes and labels on a phone.
int svgDiagramHeight(int width);

// The diagrams' names and the numbers' locale come from `texts`. `width`
// is the width the page shows it at (0 for the usual): one unit of the
// drawing is one CSS pixel there, so its texts keep their 12 pixels.
DiagramPicture stDiagramPicture(const ClassroomSnapshot& s, const ClassroomTexts& texts,
                                int width = 0);
DiagramPicture vtDiagramPicture(const ClassroomSnapshot& s, const ClassroomTexts& texts,
                                int width = 0);
// One of an experiment's diagrams (the free fall's, the pendulum's, the
// pulley's) as its window drew it, named `name` where it describes nothing.
DiagramPicture experimentDiagramPicture(const LiveDrawing& drawing, const QString& name,
                                        int width = 0);

} // namespace kelmot
