// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QStringList>

class QAbstractScrollArea;
class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
class QWidget;

namespace kelmot {

// The captions of one menu with an access key marked in each ("&Datei"),
// no letter twice: first the captions whose first letter is still free
// take it, then the others a free letter starting a later word ("Laden
// &v-t"), then any free letter. A caption that marks its own keeps it; one
// with no free letter stays without. Works on the translated texts, so
// that German and English each get keys of their own.
QStringList withMnemonics(const QStringList& captions);

// The same for a menu bar's titles and for each of its menus' items.
void markMnemonics(QMenuBar* bar);
void markMnemonics(QMenu* menu);

// A popup's command on a key as well: the key works while `where` (a
// window, or with Qt::WidgetShortcut the control) has the focus, the popup
// shows the key beside the item.
void offerShortcut(QWidget* where, QAction* action, const QKeySequence& keys,
                   Qt::ShortcutContext context = Qt::WindowShortcut);

// A table's popup at its top left by the context-menu key, Shift+F10 or a
// right click: what the table itself does with those is left out.
void offerTablePopup(QAbstractScrollArea* table, QMenu* popup);

// A measurement window's keys: Space or Enter on its focused buttons
// presses them, Escape anywhere in the window presses "Abbrechen".
void measureByKeyboard(QWidget* window, QPushButton* measure, QPushButton* abort);

} // namespace kelmot
