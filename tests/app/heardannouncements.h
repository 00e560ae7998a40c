// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/announcement.h"

#include <QAccessible>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

namespace kelmot::test {

// What a screen reader is told without the focus moving, as it would hear
// it: every announced text, taken from the notification that carried it
// (its accessible role and name, as the accessibility bus shows them),
// while this object lives.
class HeardAnnouncements {
public:
    HeardAnnouncements() {
        Announcement::setListener([this](const QString& text, QWidget* notice) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(notice);
            if (!iface || iface->role() != QAccessible::Notification) {
                heard_.push_back({"(not a notification) " + text, notice});
                return;
            }
            heard_.push_back({iface->text(QAccessible::Name), notice});
        });
    }
    ~HeardAnnouncements() { Announcement::setListener(nullptr); }
    HeardAnnouncements(const HeardAnnouncements&) = delete;
    HeardAnnouncements& operator=(const HeardAnnouncements&) = delete;

    QStringList texts() const {
        QStringList all;
        for (const Heard& h : heard_)
            all << h.text;
        return all;
    }
    // The notifications that spoke, in order.
    std::vector<const QWidget*> sources() const {
        std::vector<const QWidget*> all;
        for (const Heard& h : heard_)
            all.push_back(h.source);
        return all;
    }

private:
    struct Heard {
        QString text;
        const QWidget* source;
    };
    std::vector<Heard> heard_;
};

} // namespace kelmot::test
