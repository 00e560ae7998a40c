// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/measurementstore.h"

#include <QString>

namespace kelmot {

// The suspected relationships as the diagrams name them ("s ~ t²",
// "v konstant"); empty for none.
QString stRelationName(int relation);
QString vtRelationName(int relation);

// What a diagram shows, as a screen reader (and the classroom page's
// picture) says it: each series drawn with its relationship, the value the
// diagram's label gives, and the fit's caption.
// "Messung 2: kein Zusammenhang; Messung 1: v ~ t, Steigung : 0,12"
QString diagramDescription(const MeasurementStore& store, int seriesDrawn, bool velocity,
                           const QString& label, const QString& fitText);

} // namespace kelmot
