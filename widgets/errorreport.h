// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace kelmot {

// How an error that ends a command reaches the user: a message box, as the
// runtime shows it. Tests replace it to read the text.
using ErrorReporter = std::function<void(QWidget* parent, const QString& text)>;
ErrorReporter& errorReporter();
void reportError(QWidget* parent, const QString& text);

} // namespace kelmot
