// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/classroomsnapshot.h"

#include <QLocale>

namespace kelmot::test {

// Three stored series as after three runs in "three lists" mode: series k
// passes barrier b at (0.3 + b * (0.18 - 0.01 k)) s, dark for (20 + b) ms;
// the newest (slot 0) with "s ~ t" and "v ~ t" chosen.
inline ClassroomSnapshot threeSeries() {
    ClassroomSnapshot s;
    s.store.initialise();
    s.store.OutputMode = 1;
    s.store.DataPresent = true;
    const Rgb colours[3] = {Green, Red, Navy};
    for (int k = 0; k < SeriesSlots; ++k) {
        s.store.SeriesName[k] = QStringLiteral("Messung %1").arg(3 - k);
        s.store.SeriesColor[k] = colours[k];
        s.store.SeriesResolution[k] = k == 2 ? 0 : 1;
        for (int b = 0; b < BarrierCount; ++b) {
            s.store.SeriesDarkTimes[k][b] = b == 0 ? 0.0 : 0.3 + b * (0.18 - 0.01 * k);
            s.store.SeriesBrightTimes[k][b] = s.store.SeriesDarkTimes[k][b] + 0.020 + 0.001 * b;
        }
    }
    s.store.SeriesStRelation[0] = 1;
    s.store.SeriesVtRelation[0] = 2;
    s.seriesCount = 3;
    s.flagWidthText = QStringLiteral("10");
    return s;
}

// The texts as the program has them in German (its own language) with the
// numbers of `locale`.
inline ClassroomTexts germanTexts(const QLocale& locale = QLocale(QLocale::German,
                                                                  QLocale::Germany)) {
    ClassroomTexts t = classroomTexts(QStringLiteral("de"));
    t.locale = locale;
    return t;
}

} // namespace kelmot::test
