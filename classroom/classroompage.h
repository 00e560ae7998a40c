// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

namespace kelmot {

// The page's own texts in the program's language, for the placeholders
// "{{name}}" of the page: names and texts in pairs.
using PageTexts = QList<QPair<QByteArray, QString>>;

// The classroom page's texts, through the program's translation (call on
// the window's thread, once the language is installed).
PageTexts classroomPageTexts();

// The short text of a refusal (403, 404, ...) in the program's language.
QString refusalText(int status);
// Every refusal's text, made on the window's thread (translations are read
// there) for the server's thread to use.
using RefusalTexts = QMap<int, QString>;
RefusalTexts refusalTexts();

// `html` with every "{{name}}" of `texts` replaced by its text, escaped for
// HTML (a text is never markup), and "{{code}}" by the access code.
QByteArray fillPage(const QByteArray& html, const PageTexts& texts, const QString& code);

// An HTTP/1.1 answer: status line, the headers every answer of the
// classroom view carries (a content security policy that allows only the
// program's own page, script, style and pictures; no sniffing, no referrer,
// no caching), `headers`, the length, and `body`. `close` adds
// "Connection: close".
QByteArray httpAnswer(int status, const QByteArray& reason,
                      const QList<QPair<QByteArray, QByteArray>>& headers, const QByteArray& body,
                      bool close);

// The answer that refuses a request: `status` with its reason phrase and the
// refusal's text as plain text.
QByteArray refusalAnswer(int status, const QString& text, bool close);

// The reason phrase of the statuses the classroom view answers with.
QByteArray reasonPhrase(int status);

} // namespace kelmot
