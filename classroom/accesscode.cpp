// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/accesscode.h"

#include <QRandomGenerator>

namespace kelmot {

AccessCode AccessCode::random() {
    // 000000 to 999999, each equally likely: bounded() rejects the skew of
    // a plain modulo.
    const quint32 value = QRandomGenerator::system()->bounded(1000000u);
    return AccessCode(QStringLiteral("%1").arg(value, Digits, 10, QLatin1Char('0')));
}

AccessCode::AccessCode(const QString& digits) : digits_(digits) {
    valid_ = digits.size() == Digits;
    for (const QChar c : digits)
        valid_ = valid_ && c >= u'0' && c <= u'9';
}

bool AccessCode::matches(QStringView candidate) const {
    unsigned difference = valid_ && candidate.size() == Digits ? 0u : 1u;
    for (int i = 0; i < Digits; ++i) {
        const char16_t mine = i < digits_.size() ? digits_[i].unicode() : u'\0';
        const char16_t theirs = i < candidate.size() ? candidate[i].unicode() : u'\0';
        difference |= unsigned(mine ^ theirs);
    }
    return difference == 0;
}

} // namespace kelmot
