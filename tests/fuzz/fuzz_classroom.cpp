// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a request to the classroom view (its
// request line and headers, as the server hands them to the program's own
// route and code decision), and as a user's text on the page and in a CSV
// file. Checks what must always hold besides not crashing: only the right
// code on a known route is served, and a text never becomes markup.
#include "classroom/accesscode.h"
#include "classroom/classroompage.h"
#include "classroom/classroomroutes.h"
#include "classroom/wrongcodelimit.h"
#include "evaluation/csvwriter.h"

#include <QLocale>
#include <QMap>
#include <QUrl>
#include <cstddef>
#include <cstdint>

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelmot;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // Only split as an HTTP parser splits a head (request line, then
    // "Name: value" lines); every decision is the server's own code.
    const QList<QByteArray> lines = bytes.split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    QMap<QByteArray, QByteArray> headers;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0) headers.insert(lines[i].left(colon), lines[i].mid(colon + 1).trimmed());
    }
    const QUrl url = QUrl::fromEncoded(requestLine.value(1));
    const ClassroomRequest r = classroomRequest(
        requestLine.value(0), url, [&](const QByteArray& name) { return headers.value(name); });

    // A fresh state for every input: one input's guesses never block the next.
    const AccessCode code(QStringLiteral("424242"));
    WrongCodeLimit limit;
    const QByteArray address = bytes.left(4);
    std::int64_t now = size > 0 ? data[0] * 1000 : 0;
    ClassroomAnswer a;
    // The same request a few times over: the guessing limit's steps too.
    for (int i = 0; i < 12; ++i, now += 100) {
        a = decideRequest(r, code, limit, address, now);
        require(limit.tracked() <= 1);
        require(a.kind != ClassroomAnswer::TooManyTries ||
                (a.retryAfterSeconds > 0 && a.retryAfterSeconds <= 60));
    }
    if (a.kind == ClassroomAnswer::Serve) {
        ClassroomRoute route = ClassroomRoute::Page;
        int series = -1;
        require((r.method == "GET" || r.method == "HEAD") && r.code == "424242" &&
                routeOf(r.path, route, series));
        require(route != ClassroomRoute::Live || (r.upgrade && r.method == "GET"));
        require(!r.halfUpgrade);
    }

    const QString text = QString::fromUtf8(bytes);
    const QByteArray page = fillPage("<p>{{t}}</p>", {{"t", text}}, QStringLiteral("424242"));
    const QByteArray inside = page.mid(3, page.size() - 7);
    require(!inside.contains('<') && !inside.contains('>') && !inside.contains('"'));
    const QByteArray csv = csvFile({{text, text}}, QLocale(QLocale::German, QLocale::Germany));
    require(csv.startsWith("\xEF\xBB\xBF"));
    return 0;
}
