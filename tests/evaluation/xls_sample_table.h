// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "evaluation/tabletext.h"

namespace kelmot::test {

// A v-t table as the window shows it at 1 ms: headers, ten rows, the a
// column switched off (empty texts), barrier 0 without acceleration.
inline TableTexts sampleVtTable() {
    TableTexts t;
    t.push_back({"Ort (m)", "Zeit aus (s)", "Zeit an (s)", "dt (s)", "v (m/s)", "a (m/s²)"});
    for (int k = 0; k < 10; ++k)
        t.push_back({QString("0,%1").arg(k), QString("%1,%2").arg(k / 5).arg(100 + k * 7),
                     QString("%1,%2").arg(k / 5).arg(120 + k * 7), "0,020", "0,500",
                     k == 0 ? " - " : ""});
    return t;
}

} // namespace kelmot::test
