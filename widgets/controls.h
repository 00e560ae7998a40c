// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/measurementstore.h"

#include <QColor>
#include <QFont>
#include <QKeyEvent>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QWidget>
#include <utility>

namespace kelmot {

// A child control with its name and place, as a form's design gives them.
// The arguments before the parent are the control's own (caption, orientation).
template <typename Control, typename... Args>
Control* place(QWidget* parent, const char* name, const QRect& geometry, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)..., parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

// The keys that open a popup from the keyboard: the menu key and Shift+F10.
inline bool isContextMenuKey(const QKeyEvent* event) {
    return event->key() == Qt::Key_Menu ||
           (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
}

// The font of `base` at a height in pixels, bold or not.
inline QFont sizedFont(QFont base, int pixelSize, bool bold) {
    base.setPixelSize(pixelSize);
    base.setBold(bold);
    return base;
}

inline QColor toQColor(Rgb c) {
    return {c.r, c.g, c.b};
}

// The colour a label or other control writes its text in.
inline void setTextColour(QWidget* control, const QColor& colour) {
    QPalette p = control->palette();
    p.setColor(QPalette::WindowText, colour);
    control->setPalette(p);
}

} // namespace kelmot
