// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QWidget;

namespace kelmot {

// Where a top-level window goes so that it lies whole on the screen: the
// window's `wanted` geometry (its client area, as setGeometry takes it),
// moved into the screen's available area (clear of panels), and shortened
// or narrowed where it is larger than that area. The frame counts: its
// margins are the window's own once it is shown, else those of `reference`
// (the main window: decorations are alike), none for a frameless window.
// A window of fixed size only moves. Where it fits, `wanted` comes back
// unchanged.
QRect fittedGeometry(const QRect& wanted, const QWidget* window,
                     const QWidget* reference = nullptr);

// The available area of the screen `window` (or else the primary one) is on.
QRect availableArea(const QWidget* window);

} // namespace kelmot
