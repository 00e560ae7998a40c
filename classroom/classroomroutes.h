// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <cstdint>
#include <functional>

namespace kelmot {

// The fixed routes of the classroom view. Everything else is 404.
enum class ClassroomRoute {
    Page,              // "/": the page
    Script,            // "/app.js"
    Style,             // "/style.css"
    Icon,              // "/icon.png": the program's icon for the browser's tab
    State,             // "/api/state": the state as JSON
    Live,              // "/api/live": the WebSocket that pushes every change
    StDiagram,         // "/diagram/st.svg"
    VtDiagram,         // "/diagram/vt.svg"
    ExperimentDiagram, // "/diagram/<experiment>-<diagram>.svg": "/diagram/fall-st.svg"
    DataFile,          // "/download/<n>.kmd": series n (1 the newest) as a data file
    Spreadsheet,       // "/download/<n>.xls"
    Csv,               // "/download/<n>.csv"
    TodaysRuns,        // "/download/today.csv": every run kept today, one CSV file
};

// What a request is to be answered with. Checked in this order: an unknown
// path is 404 whatever else it carries; a known one with any method but GET
// or HEAD is 405; one that asks for a WebSocket without "Connection:
// upgrade" is 400; a known one from an address that guessed too often 429;
// without the current code 403; else it is served (HEAD: the same head, no
// body).
struct ClassroomAnswer {
    enum Kind {
        Serve,
        NotFound,
        MethodNotAllowed,
        TooManyTries,
        Forbidden,
        UpgradeRequired,
        BadRequest,
        Full // 503: that address has all its live pages
    };
    Kind kind = NotFound;
    ClassroomRoute route = ClassroomRoute::Page;
    int series = -1;              // the store's slot (0 the newest) for downloads
    bool wrongCode = false;       // a code was given and it was not the current one
    int retryAfterSeconds = 0;    // TooManyTries: how long the address stays refused
    int diagramWidth = 0;         // a diagram: the width to draw it at, 0 for the usual
    QByteArray experimentDiagram; // ExperimentDiagram: "fall-st"
};

// The parts of a request the decision reads. `path` is the URL's path as
// sent (percent-encoding left as it is), `code` the value of the query's
// "code" field (empty when none), `upgrade` whether it asks for a WebSocket
// as the protocol has it. `method` is "GET", "HEAD" or anything else.
struct ClassroomRequest {
    QByteArray method;
    QByteArray path;
    QString code;
    bool hasCode = false;
    bool upgrade = false; // "Upgrade: websocket" and "Connection: upgrade"
    // websocket without "Connection: upgrade", or among other protocols
    bool halfUpgrade = false;
    int diagramWidth = 0; // the query's "w" as diagramWidthIn reads it
};

class AccessCode;
class WrongCodeLimit;

ClassroomAnswer answerFor(const ClassroomRequest& request, const AccessCode& code,
                          bool addressBlocked);

// A request's head as the server reads it, once Qt's HTTP parser has split
// it: `method` as sent ("GET", "HEAD", ...), the URL, and its headers
// through `header` (a name as spelt, "" when absent).
using HeaderLookup = std::function<QByteArray(const QByteArray& name)>;
ClassroomRequest classroomRequest(const QByteArray& method, const QUrl& url,
                                  const HeaderLookup& header);

// The whole decision on a request from `address` at `nowMs`: the guessing
// limit asked and told of a wrong code, the answer, and how long a blocked
// address waits. What the server carries out and the fuzzer checks.
ClassroomAnswer decideRequest(const ClassroomRequest& request, const AccessCode& code,
                              WrongCodeLimit& limit, const QByteArray& address, std::int64_t nowMs);

// The route and series a path names, if it names one; an experiment's
// diagram also its name ("fall-st": lower-case letters, one hyphen), which
// the server looks up among the windows the page shows.
bool routeOf(const QByteArray& path, ClassroomRoute& route, int& series,
             QByteArray* experimentDiagram = nullptr);

// The width in CSS pixels a page shows a diagram at, from the query's "w"
// field: the page asks for a drawing of that size, whose texts then keep
// their size on a phone. Cut down to a multiple of 40 (a drawing never
// larger than its place, and few sizes to draw), from 240 to 1600; 0 (the
// usual 560) for none, 0 or anything but digits.
int diagramWidthIn(const QByteArray& query);

// The "code" field of a URL's query ("a=1&code=123456"), undecoded: a code
// is six digits, so anything percent-encoded is no code anyway.
bool codeInQuery(const QByteArray& query, QString& code);

} // namespace kelmot
