#pragma once

#include <QCoreApplication>
#include <QString>
#include <initializer_list>
#include <string>

namespace kelmot::platform {

// A message of the platform layers in the program's language: `source` is
// the German text, marked with QT_TRANSLATE_NOOP("Platform", ...) where it
// is written; %1, %2, ... take `args` (UTF-8) in one pass.
inline std::string platformText(const char* source, std::initializer_list<std::string> args = {}) {
    const QString text = QCoreApplication::translate("Platform", source);
    // One pass: a path holding "%2" stays as it is.
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = i + 1 < text.size() ? text[i + 1].digitValue() : -1;
        if (text[i] == u'%' && n >= 1 && n <= qsizetype(args.size())) {
            out += QString::fromStdString(*(args.begin() + (n - 1)));
            ++i;
        } else {
            out += text[i];
        }
    }
    return out.toStdString();
}

} // namespace kelmot::platform
