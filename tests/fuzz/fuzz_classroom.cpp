// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a request to the classroom view (its
// request line and headers, as the server hands them to the program's own
// route and code decision), and as a user's text on the page and in a CSV
// file. Checks what must always hold besides not crashing: only the right
// code on a known route is served, and a text never becomes markup.
#include "classroom/accesscode.h"
#include "classroom/classroomcsv.h"
#include "classroom/classroompage.h"
#include "classroom/classroomroutes.h"
#include "classroom/wrongcodelimit.h"

#include <QLocale>
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
    const qsizetype lineEnd = bytes.indexOf('\n');
    const QByteArray line = bytes.left(lineEnd < 0 ? bytes.size() : lineEnd).trimmed();
    const QList<QByteArray> parts = line.split(' ');
    ClassroomRequest r;
    r.method = parts.value(0) == "GET" ? QByteArray("GET") : QByteArray("OTHER");
    const QByteArray target = parts.value(1);
    const qsizetype question = target.indexOf('?');
    r.path = question < 0 ? target : target.left(question);
    r.hasCode = question >= 0 && codeInQuery(target.mid(question + 1), r.code);
    r.upgrade = bytes.toLower().contains("\nupgrade: websocket");

    static const AccessCode code(QStringLiteral("424242"));
    static WrongCodeLimit limit;
    const QByteArray address = bytes.left(4);
    const std::int64_t now = size > 0 ? data[0] * 1000 : 0;
    const ClassroomAnswer a = answerFor(r, code, limit.blocked(address, now));
    if (a.wrongCode) limit.wrongTry(address, now);
    require(limit.tracked() <= WrongCodeLimit::MaxAddresses);
    if (a.kind == ClassroomAnswer::Serve) {
        ClassroomRoute route = ClassroomRoute::Page;
        int series = -1;
        require(r.method == "GET" && r.code == "424242" && routeOf(r.path, route, series));
        require(route != ClassroomRoute::Live || r.upgrade);
    }

    const QString text = QString::fromUtf8(bytes);
    const QByteArray page = fillPage("<p>{{t}}</p>", {{"t", text}}, QStringLiteral("424242"));
    const QByteArray inside = page.mid(3, page.size() - 7);
    require(!inside.contains('<') && !inside.contains('>') && !inside.contains('"'));
    const QByteArray csv = csvFile({{text, text}}, QLocale(QLocale::German, QLocale::Germany));
    require(csv.startsWith("\xEF\xBB\xBF"));
    return 0;
}
