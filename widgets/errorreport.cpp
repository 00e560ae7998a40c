// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/errorreport.h"

#include <QMessageBox>

namespace kelmot {

ErrorReporter& errorReporter() {
    static ErrorReporter reporter = [](QWidget* parent, const QString& text) {
        QMessageBox::critical(parent, QStringLiteral("Kelmot"), text);
    };
    return reporter;
}

void reportError(QWidget* parent, const QString& text) {
    errorReporter()(parent, text);
}

} // namespace kelmot
