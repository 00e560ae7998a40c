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

inline constexpr int SvgDiagramWidth = 800;
inline constexpr int SvgDiagramHeight = 515;

// The diagrams' names and the numbers' locale come from `texts`.
DiagramPicture stDiagramPicture(const ClassroomSnapshot& s, const ClassroomTexts& texts);
DiagramPicture vtDiagramPicture(const ClassroomSnapshot& s, const ClassroomTexts& texts);

} // namespace kelmot
