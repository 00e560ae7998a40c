// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMenu;
class QWidget;

namespace kelmot {

// Qt's accessible tree leaves out popup menus: the application lists only
// windows that are not popups, and a widget never lists a QMenu as its
// child. The menu bar's menus are reached through its items; a popup opened
// from a window was reached by nothing, so screen readers never saw it.
// A window that owns such a popup lists it as its last child while it is
// open, and the popup names that window as its parent (its parent widget).
void exposePopupToScreenReaders(QWidget* window, QMenu* popup);

// Installs the accessible interface that does this; once, at program start.
void installPopupAccessibility();

} // namespace kelmot
