// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/announcement.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace kelmot {

namespace {

const char* const NoticeProperty = "kelmotAnnouncement";

Announcement::Listener& listener() {
    static Announcement::Listener heard;
    return heard;
}

QAccessibleInterface* announcementFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->property(NoticeProperty).toBool()) return nullptr;
    // The name is the widget's accessible name: the text announced.
    return new QAccessibleWidget(widget, QAccessible::Notification);
}

} // namespace

Announcement::Announcement(QWidget* window, const char* objectName) {
    for (int i = 0; i < Notices; ++i) {
        QWidget* notice = new QWidget(window);
        notice->setObjectName(QString::fromLatin1(objectName) + QString::number(i + 1));
        notice->setProperty(NoticeProperty, true);
        notice->setFocusPolicy(Qt::NoFocus);
        notice->hide();
        notices_[i] = notice;
    }
}

void Announcement::sayOnChange(const QString& text) {
    const QString said = text.trimmed();
    if (said == lastChange_) return;
    lastChange_ = said;
    say(said);
}

void Announcement::say(const QString& text) {
    const QString said = text.trimmed();
    if (said.isEmpty()) return;
    lastSaid_ = said;
    QWidget* notice = notices_[next_];
    next_ = (next_ + 1) % Notices;
    notice->setAccessibleName(said);
    // Shown, as far as a screen reader can tell; the widget stays hidden and
    // takes no room in the window.
    QAccessibleEvent shown(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    if (listener()) listener()(said, notice);
}

void Announcement::setListener(Listener heard) {
    listener() = std::move(heard);
}

void Announcement::forget() {
    lastChange_.clear();
}

void installAnnouncementAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(&announcementFactory);
}

} // namespace kelmot
