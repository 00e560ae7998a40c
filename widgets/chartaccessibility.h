// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace kelmot {

// A widget that draws a diagram is a chart to a screen reader, with its
// accessible name and description. Qt gives a plain widget the role of a
// client area, which the accessibility bus shows as "filler": the role a
// screen reader passes over as empty layout.
void exposeAsChart(QWidget* widget);

// Installs the accessible interface that does this; once, at program start,
// before the widgets' interfaces are first asked for.
void installChartAccessibility();

} // namespace kelmot
