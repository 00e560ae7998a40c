// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/measurementstore.h"

#include <QByteArray>

namespace kelmot {

// The lesson as the store holds it: the series slots with their names,
// colours, resolutions and chosen relationships, the last run's times, the
// output mode and the counters that name and colour the next run. The
// journal mirrors it so that a program that did not end normally can be
// brought back where it stood.
QByteArray lessonState(const MeasurementStore& store);
// Puts a mirrored lesson back into the store; false, and the store as it
// was, when the text is not one.
bool restoreLesson(const QByteArray& state, MeasurementStore& store);
// Whether a mirrored lesson holds any series worth bringing back.
bool lessonHasSeries(const QByteArray& state);

} // namespace kelmot
