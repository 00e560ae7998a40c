// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kelmot {

// Tells a screen reader a short text as it happens, without moving the
// focus: the status line of a measurement ("Messung beendet") changes
// while the teacher's focus is on "Messen" or the table. A label's new text
// alone is not spoken; a notification that appears is. So hidden
// notifications in the window carry the texts and are announced as shown
// (Orca speaks a notification's name when it appears).
// Each text goes to the next of a few notifications in turn: a screen reader
// that falls behind keeps only the newest "shown" of one object (Orca takes
// the earlier ones for duplicates), and a run's first barrier comes in the
// same buffer as "Messung gestartet", its last with "Messung beendet".
class Announcement {
public:
    // Hidden children of `window`, named `objectName` and a number.
    Announcement(QWidget* window, const char* objectName);

    // Announces `text` (blanks around it dropped) when it differs from the
    // last text given here: a status set again and again is said once.
    // An empty text is never announced.
    void sayOnChange(const QString& text);
    // Announces `text` as it is, without changing what sayOnChange
    // compares with (a barrier's row between two states).
    void say(const QString& text);
    // The next text given to sayOnChange is announced even when it repeats
    // the last (a second run's "Warte auf Start").
    void forget();

    // The last text announced, by either.
    const QString& lastSaid() const { return lastSaid_; }
    // Hears every text announced in any window, with the notification that
    // carried it, besides the screen reader: where no screen reader runs
    // (the tests' offscreen screen) Qt delivers no accessibility events.
    using Listener = std::function<void(const QString& text, QWidget* notice)>;
    static void setListener(Listener listener);

    // The notification that announced the last text.
    QWidget* widget() const { return notices_[next_ == 0 ? Notices - 1 : next_ - 1]; }

private:
    static constexpr int Notices = 4;
    QWidget* notices_[Notices];
    int next_ = 0;
    QString lastChange_;
    QString lastSaid_;
};

// Installs the accessible interface that makes the hidden widget a
// notification; once, at program start, like the charts' interface.
void installAnnouncementAccessibility();

} // namespace kelmot
