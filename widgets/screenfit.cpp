// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/screenfit.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace kelmot {

namespace {

QMargins frameMargins(const QWidget* window, const QWidget* reference) {
    if (window && (window->windowFlags() & Qt::FramelessWindowHint)) return {};
    for (const QWidget* w : {window, reference}) {
        if (!w || !w->isVisible()) continue;
        const QRect frame = w->frameGeometry();
        const QRect client = w->geometry();
        return {client.left() - frame.left(), client.top() - frame.top(),
                frame.right() - client.right(), frame.bottom() - client.bottom()};
    }
    return {};
}

} // namespace

QRect availableArea(const QWidget* window) {
    const QScreen* screen = window ? window->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QRect fittedGeometry(const QRect& wanted, const QWidget* window, const QWidget* reference) {
    const QRect area = availableArea(window);
    if (area.isEmpty()) return wanted;
    const QMargins m = frameMargins(window, reference);
    // The client area the screen leaves once the frame is around it.
    const QRect room = area.marginsRemoved(m);
    QRect fitted = wanted;
    if (fitted.width() > room.width()) fitted.setWidth(std::max(room.width(), 1));
    if (fitted.height() > room.height()) fitted.setHeight(std::max(room.height(), 1));
    if (window) {
        // A window of fixed size keeps its size: it can only move.
        if (window->minimumWidth() == window->maximumWidth()) fitted.setWidth(wanted.width());
        if (window->minimumHeight() == window->maximumHeight()) fitted.setHeight(wanted.height());
    }
    fitted.moveLeft(std::clamp(fitted.left(), room.left(),
                               std::max(room.left(), room.right() + 1 - fitted.width())));
    fitted.moveTop(std::clamp(fitted.top(), room.top(),
                              std::max(room.top(), room.bottom() + 1 - fitted.height())));
    return fitted;
}

} // namespace kelmot
