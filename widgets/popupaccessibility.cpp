// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/popupaccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMenu>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace kelmot {

namespace {

const char* const PopupProperty = "kelmotAccessiblePopup";

QMenu* popupOf(const QObject* window) {
    return qobject_cast<QMenu*>(window->property(PopupProperty).value<QObject*>());
}

class PopupOwnerAccessible : public QAccessibleWidget {
public:
    // A top-level window is a window to a screen reader, as the main
    // window and the dialogs are (Qt makes a plain widget a client area,
    // which the bus shows as layout filler).
    explicit PopupOwnerAccessible(QWidget* window)
        : QAccessibleWidget(window,
                            window->isWindow() ? QAccessible::Window : QAccessible::Client) {}

    int childCount() const override {
        return QAccessibleWidget::childCount() + (openPopup() ? 1 : 0);
    }
    QAccessibleInterface* child(int index) const override {
        const int own = QAccessibleWidget::childCount();
        if (index == own) {
            if (QMenu* popup = openPopup()) return QAccessible::queryAccessibleInterface(popup);
            return nullptr;
        }
        return QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        QMenu* popup = openPopup();
        if (popup && child && child->object() == popup) return QAccessibleWidget::childCount();
        return QAccessibleWidget::indexOfChild(child);
    }

private:
    QMenu* openPopup() const {
        QMenu* popup = popupOf(object());
        return popup && popup->isVisible() ? popup : nullptr;
    }
};

QAccessibleInterface* popupOwnerFactory(const QString&, QObject* object) {
    auto* window = qobject_cast<QWidget*>(object);
    if (!window || !popupOf(window)) return nullptr;
    return new PopupOwnerAccessible(window);
}

} // namespace

void exposePopupToScreenReaders(QWidget* window, QMenu* popup) {
    window->setProperty(PopupProperty, QVariant::fromValue<QObject*>(popup));
}

void installPopupAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(&popupOwnerFactory);
}

} // namespace kelmot
