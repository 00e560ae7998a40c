// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/seriesselector.h"

#include <QString>

namespace kelmot {

// What the diagram windows read from the evaluation table: the series it
// lists (how many a diagram draws; "Diagramme löschen" empties the list)
// and the flag width as typed into its field, the one place it lives.
class EvaluationView {
public:
    virtual ~EvaluationView() = default;
    virtual SeriesSelector& selector() = 0;
    virtual QString flagWidthText() const = 0;
};

} // namespace kelmot
