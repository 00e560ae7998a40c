// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace kelmot {

// The six digits a pupil types (or the QR code carries) to see the
// classroom view. A new one from the system's random source each time the
// view is switched on, so a code from an earlier lesson opens nothing.
class AccessCode {
public:
    static constexpr int Digits = 6;

    static AccessCode random();
    // Six digits; anything else gives a code that nothing matches.
    explicit AccessCode(const QString& digits);

    const QString& text() const { return digits_; }
    // Compares every digit whatever the first mismatch, so the time an
    // answer takes tells nothing about how many digits were right.
    bool matches(QStringView candidate) const;

private:
    QString digits_;
    bool valid_ = false;
};

} // namespace kelmot
