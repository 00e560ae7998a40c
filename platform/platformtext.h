// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>

namespace kelmot::platform {

// A message of the platform layers in the program's language: `source` is
// the German text, marked with QT_TRANSLATE_NOOP("Platform", ...) where it
// is written; %1, %2, ... take `args` (UTF-8). Qt fills them in one pass,
// so a path holding "%2" stays as it is.
template <typename... Args> std::string platformText(const char* source, const Args&... args) {
    const QString text = QCoreApplication::translate("Platform", source);
    if constexpr (sizeof...(Args) == 0)
        return text.toStdString();
    else
        return text.arg(QString::fromStdString(std::string(args))...).toStdString();
}

} // namespace kelmot::platform
