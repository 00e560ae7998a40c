// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/classroomroutes.h"

#include "classroom/accesscode.h"
#include "classroom/wrongcodelimit.h"

#include <QList>
#include <algorithm>
#include <array>
#include <utility>

namespace kelmot {

namespace {

struct FixedRoute {
    const char* path;
    ClassroomRoute route;
};

constexpr std::array<FixedRoute, 9> FixedRoutes{{
    {"/", ClassroomRoute::Page},
    {"/app.js", ClassroomRoute::Script},
    {"/style.css", ClassroomRoute::Style},
    {"/icon.png", ClassroomRoute::Icon},
    {"/api/state", ClassroomRoute::State},
    {"/api/live", ClassroomRoute::Live},
    {"/diagram/st.svg", ClassroomRoute::StDiagram},
    {"/diagram/vt.svg", ClassroomRoute::VtDiagram},
    {"/download/today.csv", ClassroomRoute::TodaysRuns},
}};

// "/download/1.kmd" ... "/download/3.csv"
bool downloadRoute(const QByteArray& path, ClassroomRoute& route, int& series) {
    static const QByteArray prefix = QByteArrayLiteral("/download/");
    if (!path.startsWith(prefix) || path.size() != prefix.size() + 5) return false;
    const char digit = path[prefix.size()];
    if (digit < '1' || digit > '3' || path[prefix.size() + 1] != '.') return false;
    const QByteArray extension = path.mid(prefix.size() + 2);
    if (extension == "kmd")
        route = ClassroomRoute::DataFile;
    else if (extension == "xls")
        route = ClassroomRoute::Spreadsheet;
    else if (extension == "csv")
        route = ClassroomRoute::Csv;
    else
        return false;
    series = digit - '1';
    return true;
}

// "/diagram/fall-st.svg": two words of 1 to 16 lower-case letters.
bool experimentDiagramRoute(const QByteArray& path, QByteArray& name) {
    static const QByteArray prefix = QByteArrayLiteral("/diagram/");
    static const QByteArray suffix = QByteArrayLiteral(".svg");
    if (!path.startsWith(prefix) || !path.endsWith(suffix)) return false;
    const QByteArray middle = path.mid(prefix.size(), path.size() - prefix.size() - suffix.size());
    const QList<QByteArray> words = middle.split('-');
    if (words.size() != 2) return false;
    for (const QByteArray& word : words) {
        if (word.isEmpty() || word.size() > 16) return false;
        for (const char c : word)
            if (c < 'a' || c > 'z') return false;
    }
    name = middle;
    return true;
}

} // namespace

bool routeOf(const QByteArray& path, ClassroomRoute& route, int& series,
             QByteArray* experimentDiagram) {
    series = -1;
    for (const FixedRoute& r : FixedRoutes) {
        if (path == r.path) {
            route = r.route;
            return true;
        }
    }
    QByteArray name;
    if (experimentDiagramRoute(path, name)) {
        route = ClassroomRoute::ExperimentDiagram;
        if (experimentDiagram) *experimentDiagram = name;
        return true;
    }
    return downloadRoute(path, route, series);
}

bool codeInQuery(const QByteArray& query, QString& code) {
    for (const QByteArray& field : query.split('&')) {
        if (!field.startsWith("code=")) continue;
        code = QString::fromLatin1(field.mid(5));
        return true;
    }
    return false;
}

int diagramWidthIn(const QByteArray& query) {
    for (const QByteArray& field : query.split('&')) {
        if (!field.startsWith("w=")) continue;
        const QByteArray digits = field.mid(2);
        if (digits.isEmpty() || digits.size() > 5) return 0;
        int width = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9') return 0;
            width = width * 10 + (c - '0');
        }
        return width == 0 ? 0 : std::clamp(width / 40 * 40, 240, 1600);
    }
    return 0;
}

ClassroomRequest classroomRequest(const QByteArray& method, const QUrl& url,
                                  const HeaderLookup& header) {
    const auto value = [&](const char* lower, const char* capital) {
        return (header(lower) + ',' + header(capital)).toLower();
    };
    ClassroomRequest r;
    r.method = method == "GET" || method == "HEAD" ? method : QByteArrayLiteral("OTHER");
    r.path = url.path(QUrl::FullyEncoded).toLatin1();
    r.hasCode = codeInQuery(url.query(QUrl::FullyEncoded).toLatin1(), r.code);
    r.diagramWidth = diagramWidthIn(url.query(QUrl::FullyEncoded).toLatin1());
    // Qt hands a connection to its WebSocket server only when the Upgrade
    // header is "websocket" and nothing else: the same rule here, or a
    // request Qt treats as a page's would be taken for a WebSocket and left
    // unanswered. One that names websocket among others is refused.
    QByteArray upgrade = header("upgrade").trimmed();
    if (upgrade.isEmpty()) upgrade = header("Upgrade").trimmed();
    const bool onlyWebsocket = upgrade.toLower() == "websocket";
    bool websocketAmongOthers = false;
    for (const QByteArray& token : upgrade.toLower().split(','))
        websocketAmongOthers = websocketAmongOthers || token.trimmed() == "websocket";
    // "Connection: keep-alive, Upgrade" as browsers send it.
    bool connectionUpgrade = false;
    for (const QByteArray& token : value("connection", "Connection").split(','))
        connectionUpgrade = connectionUpgrade || token.trimmed() == "upgrade";
    r.upgrade = onlyWebsocket && connectionUpgrade;
    r.halfUpgrade = websocketAmongOthers && !r.upgrade;
    return r;
}

ClassroomAnswer decideRequest(const ClassroomRequest& request, const AccessCode& code,
                              WrongCodeLimit& limit, const QByteArray& address,
                              std::int64_t nowMs) {
    ClassroomAnswer a = answerFor(request, code, limit.blocked(address, nowMs));
    if (a.wrongCode) limit.wrongTry(address, nowMs);
    if (a.kind == ClassroomAnswer::TooManyTries)
        a.retryAfterSeconds = int((limit.blockedForMs(address, nowMs) + 999) / 1000);
    return a;
}

ClassroomAnswer answerFor(const ClassroomRequest& request, const AccessCode& code,
                          bool addressBlocked) {
    ClassroomAnswer a;
    a.diagramWidth = request.diagramWidth;
    if (!routeOf(request.path, a.route, a.series, &a.experimentDiagram)) {
        a.kind = ClassroomAnswer::NotFound;
        return a;
    }
    if (request.method != "GET" && request.method != "HEAD") {
        a.kind = ClassroomAnswer::MethodNotAllowed;
        return a;
    }
    // Half a WebSocket request is neither an upgrade nor a page's request:
    // answered, never left hanging.
    if (request.halfUpgrade) {
        a.kind = ClassroomAnswer::BadRequest;
        return a;
    }
    if (addressBlocked) {
        a.kind = ClassroomAnswer::TooManyTries;
        return a;
    }
    if (!request.hasCode || !code.matches(request.code)) {
        a.kind = ClassroomAnswer::Forbidden;
        a.wrongCode = request.hasCode;
        return a;
    }
    // A WebSocket is only the live route's (asked for with GET), and the
    // live route only one.
    if ((a.route == ClassroomRoute::Live) != (request.upgrade && request.method == "GET")) {
        a.kind = a.route == ClassroomRoute::Live ? ClassroomAnswer::UpgradeRequired
                                                 : ClassroomAnswer::MethodNotAllowed;
        return a;
    }
    a.kind = ClassroomAnswer::Serve;
    return a;
}

} // namespace kelmot
