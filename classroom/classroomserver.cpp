// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/classroomserver.h"

#include "classroom/classroomjson.h"
#include "evaluation/csvwriter.h"
#include "evaluation/xlswriter.h"

#include <QDate>
#include <QHttpServerRequest>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebSocket>
#include <algorithm>

namespace kelmot {

namespace {

// The sheet name "Export als EXCEL-Datei" gives its files.
const QString SheetName = QStringLiteral("Kelmotmessung");

// A file name for a download: the series' name in letters, digits, "-" and
// "_" (a user's text never reaches the header as it is).
QByteArray downloadName(const QString& seriesName, int number, const char* extension) {
    QByteArray name;
    for (const QChar c : seriesName) {
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
            c == u'-' || c == u'_')
            name += char(c.unicode());
        else if (!name.endsWith('_'))
            name += '_';
    }
    if (name.isEmpty() || name == "_") name = "kelmot-" + QByteArray::number(number);
    return name + '.' + extension;
}

using Headers = QList<QPair<QByteArray, QByteArray>>;

// A whole answer 200 with its type and the headers given.
QByteArray ok(const QByteArray& type, const QByteArray& body, Headers extra = {}) {
    extra.prepend({"Content-Type", type});
    return httpAnswer(200, "OK", extra, body, false);
}

ClassroomRequest requestOf(const QHttpServerRequest& request) {
    QByteArray method = QByteArrayLiteral("OTHER");
    if (request.method() == QHttpServerRequest::Method::Get) method = QByteArrayLiteral("GET");
    if (request.method() == QHttpServerRequest::Method::Head) method = QByteArrayLiteral("HEAD");
    return classroomRequest(method, request.url(),
                            [&](const QByteArray& name) { return request.value(name); });
}

} // namespace

ClassroomServer::ClassroomServer(ClassroomServerSettings settings, QObject* parent)
    : QAbstractHttpServer(parent), settings_(std::move(settings)) {
    if (!settings_.clock) {
        settings_.clock = [timer = std::make_shared<QElapsedTimer>()] {
            if (!timer->isValid()) timer->start();
            return std::int64_t(timer->elapsed());
        };
    }
    PageTexts texts = settings_.pageTexts;
    texts.append({"lang", settings_.texts.language});
    page_ = fillPage(settings_.pageTemplate, texts, settings_.code.text());
    connect(this, &QAbstractHttpServer::newWebSocketConnection, this,
            &ClassroomServer::acceptLiveClients);
    // What a page queues without sending anything itself is bounded at
    // `send`; what Qt queues for it (pongs to its pings) is looked at here.
    queueCheck_.setInterval(100);
    connect(&queueCheck_, &QTimer::timeout, this, &ClassroomServer::dropClientsThatDoNotRead);
    pings_.setInterval(settings_.limits.pingIntervalMs);
    connect(&pings_, &QTimer::timeout, this, &ClassroomServer::pingLiveClients);
}

ClassroomServer::~ClassroomServer() {
    closeAll();
}

quint16 ClassroomServer::listenOnFreePort(quint16 firstPort, quint16 lastPort,
                                          const QHostAddress& address) {
    const RefusalWriter refusal = [texts = settings_.refusals](int status, const QByteArray&) {
        return refusalAnswer(status, texts.value(status), true);
    };
    for (quint32 port = firstPort; port <= lastPort; ++port) {
        auto* listener = new GuardedTcpServer(settings_.limits, refusal);
        if (listener->listen(address, quint16(port))) {
            listener_ = listener;
            bind(listener);
            return listener->serverPort(); // the system's choice for port 0
        }
        delete listener;
    }
    return 0;
}

int ClassroomServer::openConnections() const {
    return listener_ ? listener_->openConnections() : 0;
}

void ClassroomServer::closeAll() {
    const auto clients = std::exchange(clients_, {});
    lastHeard_.clear();
    for (QWebSocket* client : clients) {
        client->disconnect(this);
        client->abort();
        delete client;
    }
    if (listener_) {
        listener_->close();
        // Every connection still open goes with its listener.
        for (QTcpSocket* socket : listener_->findChildren<QTcpSocket*>())
            socket->abort();
        delete listener_;
        listener_ = nullptr;
    }
    emit liveClientsChanged(0);
}

void ClassroomServer::publish(std::shared_ptr<const ClassroomSnapshot> snapshot) {
    if (!snapshot) return;
    const std::shared_ptr<const ClassroomSnapshot> before = std::exchange(snapshot_, snapshot);
    ++revision_;
    stateJson_.clear();
    if (!before || !sameDiagrams(*before, *snapshot)) diagrams_.clear();
    forgetOldExperimentDiagrams();
    if (!before || clients_.empty()) return;
    std::vector<QString> messages;
    for (const QByteArray& m : changeMessages(*before, *snapshot, settings_.texts, revision_,
                                              [this] { return stateJson(); }))
        messages.push_back(QString::fromUtf8(m));
    // A copy: a client dropped while sending leaves the list.
    const auto clients = clients_;
    for (QWebSocket* client : clients)
        for (const QString& m : messages)
            send(client, m);
}

const QByteArray& ClassroomServer::stateJson() {
    if (stateJson_.isEmpty()) {
        const ClassroomSnapshot empty;
        const DiagramPicture& st = diagram(false);
        const DiagramPicture& vt = diagram(true);
        const ClassroomSnapshot& s = snapshot_ ? *snapshot_ : empty;
        std::vector<std::array<DiagramCaption, 2>> experiments;
        for (const ExperimentLive& e : s.experiments) {
            std::array<DiagramCaption, 2>& captions = experiments.emplace_back();
            for (std::size_t d = 0; d < e.diagrams.size(); ++d)
                if (e.shown && e.diagrams[d].drawing) {
                    const DiagramPicture& picture = experimentPicture(e, e.diagrams[d], 0);
                    captions[d] = {picture.label, picture.description};
                }
        }
        stateJson_ = stateMessage(s, settings_.texts, revision_, {st.label, st.description},
                                  {vt.label, vt.description}, experiments);
    }
    return stateJson_;
}

const DiagramPicture& ClassroomServer::diagram(bool velocity, int width) {
    auto drawn = diagrams_.find(width);
    if (drawn == diagrams_.end()) {
        const ClassroomSnapshot empty;
        const ClassroomSnapshot& s = snapshot_ ? *snapshot_ : empty;
        drawn =
            diagrams_
                .emplace(width,
                         std::array<DiagramPicture, 2>{stDiagramPicture(s, settings_.texts, width),
                                                       vtDiagramPicture(s, settings_.texts, width)})
                .first;
    }
    return drawn->second[velocity ? 1 : 0];
}

const DiagramPicture* ClassroomServer::experimentDiagram(const QByteArray& name, int width) {
    if (!snapshot_) return nullptr;
    for (const ExperimentLive& e : snapshot_->experiments) {
        if (!e.shown) continue;
        for (const LiveDiagram& d : e.diagrams) {
            if (d.drawing && (e.key + '-' + d.key).toLatin1() == name)
                return &experimentPicture(e, d, width);
        }
    }
    return nullptr;
}

const DiagramPicture& ClassroomServer::experimentPicture(const ExperimentLive& experiment,
                                                         const LiveDiagram& diagram, int width) {
    DrawnDiagram& drawn =
        experimentDiagrams_[{(experiment.key + '-' + diagram.key).toLatin1(), width}];
    if (drawn.drawing != diagram.drawing) {
        drawn.drawing = diagram.drawing;
        drawn.picture = experimentDiagramPicture(*diagram.drawing, diagram.name, width);
    }
    return drawn.picture;
}

void ClassroomServer::forgetOldExperimentDiagrams() {
    std::erase_if(experimentDiagrams_, [this](const auto& entry) {
        for (const ExperimentLive& e : snapshot_->experiments)
            for (const LiveDiagram& d : e.diagrams)
                if (e.shown && d.drawing == entry.second.drawing) return false;
        return true;
    });
}

ClassroomAnswer ClassroomServer::decide(const ClassroomRequest& request,
                                        const QHttpServerRequest& http) {
    return decideRequest(request, settings_.code, wrongCodes_,
                         http.remoteAddress().toString().toLatin1(), settings_.clock());
}

bool ClassroomServer::handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) {
    ConnectionGuard* guard = ConnectionGuard::of(socket);
    if (guard) guard->requestRead();
    const ClassroomRequest r = requestOf(request);
    ClassroomAnswer decision = decide(r, request);
    if (r.upgrade && decision.kind == ClassroomAnswer::Serve &&
        livePagesFrom(request.remoteAddress()) >= settings_.limits.maxLivePagesPerAddress)
        decision.kind = ClassroomAnswer::Full;
    if (r.upgrade) {
        if (decision.kind == ClassroomAnswer::Serve) {
            // Qt hands the connection to its WebSocket server when this
            // returns true, and answers the handshake itself.
            if (guard) guard->becameWebSocket();
            return true;
        }
        // Refused: Qt asks missingHandler next, which answers; returning
        // true would let the upgrade go ahead.
        refusedUpgrade_ = decision;
        return false;
    }
    answer(socket, decision, request.method() == QHttpServerRequest::Method::Head);
    return true;
}

void ClassroomServer::missingHandler(const QHttpServerRequest&, QTcpSocket* socket) {
    answer(socket, refusedUpgrade_);
}

QByteArray ClassroomServer::serve(const ClassroomAnswer& decision) {
    switch (decision.route) {
    case ClassroomRoute::Page:
        return ok("text/html; charset=utf-8", page_);
    case ClassroomRoute::Script:
        return ok("text/javascript; charset=utf-8", settings_.script);
    case ClassroomRoute::Style:
        return ok("text/css; charset=utf-8", settings_.style);
    case ClassroomRoute::Icon:
        return ok("image/png", settings_.icon);
    case ClassroomRoute::State:
        return ok("application/json; charset=utf-8", stateJson());
    case ClassroomRoute::StDiagram:
        return ok("image/svg+xml", diagram(false, decision.diagramWidth).svg);
    case ClassroomRoute::VtDiagram:
        return ok("image/svg+xml", diagram(true, decision.diagramWidth).svg);
    case ClassroomRoute::ExperimentDiagram: {
        const DiagramPicture* picture =
            experimentDiagram(decision.experimentDiagram, decision.diagramWidth);
        return picture ? ok("image/svg+xml", picture->svg) : QByteArray();
    }
    case ClassroomRoute::Live:
        return {};
    case ClassroomRoute::TodaysRuns: {
        if (!snapshot_ || snapshot_->todaysRunCount == 0) return {};
        const QByteArray name =
            "messungen-" + QDate::currentDate().toString(Qt::ISODate).toLatin1() + ".csv";
        return ok("text/csv; charset=utf-8", csvFile(snapshot_->todaysRuns, settings_.texts.locale),
                  {{"Content-Disposition", "attachment; filename=\"" + name + '"'}});
    }
    case ClassroomRoute::DataFile:
    case ClassroomRoute::Spreadsheet:
    case ClassroomRoute::Csv:
        return serveSeriesFile(decision);
    }
    return {};
}

// A kept series as a data file, a spreadsheet or CSV; nothing for a slot
// that holds none.
QByteArray ClassroomServer::serveSeriesFile(const ClassroomAnswer& decision) {
    const int slot = decision.series;
    if (!snapshot_ || !snapshot_->store.DataPresent || slot < 0 ||
        slot >= std::min(snapshot_->seriesCount, SeriesSlots) ||
        snapshot_->store.SeriesName[slot].isEmpty())
        return {};
    const ClassroomSnapshot& s = *snapshot_;
    const QString& name = s.store.SeriesName[slot];
    const auto attachment = [&](const char* extension) {
        return Headers{{"Content-Disposition",
                        "attachment; filename=\"" + downloadName(name, slot + 1, extension) + '"'}};
    };
    const QLocale& locale = settings_.texts.locale;
    switch (decision.route) {
    case ClassroomRoute::DataFile:
        return ok("application/x-kelmot-data", seriesDataFile(s, slot, locale), attachment("kmd"));
    case ClassroomRoute::Spreadsheet:
        return ok("application/vnd.ms-excel",
                  xlsWorkbook(SheetName, seriesTable(s, slot, settings_.texts),
                              locale.decimalPoint().at(0)),
                  attachment("xls"));
    default:
        return ok("text/csv; charset=utf-8", csvFile(seriesTable(s, slot, settings_.texts), locale),
                  attachment("csv"));
    }
}

void ClassroomServer::answer(QTcpSocket* socket, const ClassroomAnswer& decision, bool headOnly) {
    int status = 0;
    switch (decision.kind) {
    case ClassroomAnswer::Serve: {
        QByteArray bytes = serve(decision);
        if (!bytes.isEmpty()) {
            // HEAD: the head GET would have, Content-Length included, no body.
            if (headOnly) bytes.truncate(bytes.indexOf("\r\n\r\n") + 4);
            socket->write(bytes);
            // A client that sends request after request and reads none of
            // the answers: beyond the bound its connection ends.
            if (socket->bytesToWrite() > settings_.maxQueuedBytes) socket->abort();
            return;
        }
        status = 404;
        break;
    }
    case ClassroomAnswer::NotFound:
        status = 404;
        break;
    case ClassroomAnswer::MethodNotAllowed:
        status = 405;
        break;
    case ClassroomAnswer::TooManyTries:
        status = 429;
        break;
    case ClassroomAnswer::Forbidden:
        status = 403;
        break;
    case ClassroomAnswer::UpgradeRequired:
        status = 426;
        break;
    case ClassroomAnswer::BadRequest:
        status = 400;
        break;
    case ClassroomAnswer::Full:
        status = 503;
        break;
    }
    // A refused request ends its connection: nothing more is read from a
    // client that asks for what it may not have.
    QByteArray refusal = refusalAnswer(status, settings_.refusals.value(status), true);
    // A blocked page is told when to come again, and waits that long.
    if (status == 429 && decision.retryAfterSeconds > 0)
        refusal.replace("Retry-After: 60\r\n",
                        "Retry-After: " + QByteArray::number(decision.retryAfterSeconds) + "\r\n");
    socket->write(refusal);
    socket->disconnectFromHost();
}

void ClassroomServer::acceptLiveClients() {
    while (hasPendingWebSocketConnections()) {
        std::unique_ptr<QWebSocket> client = nextPendingWebSocketConnection();
        if (!client) continue;
        // The upgrade was checked before; checked again here, so that no
        // version of Qt's module can hand over a connection that was refused.
        ClassroomRoute route;
        int series = -1;
        QString code;
        const QUrl url = client->requestUrl();
        if (!routeOf(url.path(QUrl::FullyEncoded).toLatin1(), route, series) ||
            route != ClassroomRoute::Live ||
            !codeInQuery(url.query(QUrl::FullyEncoded).toLatin1(), code) ||
            !settings_.code.matches(code)) {
            client->abort();
            continue;
        }
        // What a client sends is never acted on; a large message closes it.
        client->setMaxAllowedIncomingFrameSize(4096);
        client->setMaxAllowedIncomingMessageSize(4096);
        QWebSocket* c = client.release();
        c->setParent(this);
        connect(c, &QWebSocket::disconnected, this, [this, c] { dropClient(c); });
        connect(c, &QWebSocket::pong, this, [this, c] { lastHeard_[c] = settings_.clock(); });
        clients_.push_back(c);
        lastHeard_[c] = settings_.clock();
        if (!queueCheck_.isActive()) queueCheck_.start();
        if (!pings_.isActive()) pings_.start();
        emit liveClientsChanged(liveClients());
        send(c, QString::fromUtf8(stateJson()));
    }
}

void ClassroomServer::send(QWebSocket* client, const QString& message) {
    if (std::find(clients_.begin(), clients_.end(), client) == clients_.end()) return;
    client->sendTextMessage(message);
    // A client that does not read: its messages pile up here. Beyond the
    // bound it is dropped; the page reconnects and gets the state anew.
    if (client->bytesToWrite() > settings_.maxQueuedBytes) dropClient(client);
}

void ClassroomServer::dropClientsThatDoNotRead() {
    const auto clients = clients_;
    for (QWebSocket* client : clients)
        if (client->bytesToWrite() > settings_.maxQueuedBytes) dropClient(client);
    if (clients_.empty()) queueCheck_.stop();
}

int ClassroomServer::livePagesFrom(const QHostAddress& address) const {
    return int(std::count_if(clients_.begin(), clients_.end(), [&](const QWebSocket* client) {
        return client->peerAddress().isEqual(address, QHostAddress::TolerantConversion);
    }));
}

void ClassroomServer::pingLiveClients() {
    const std::int64_t now = settings_.clock();
    const auto clients = clients_;
    for (QWebSocket* client : clients) {
        // A pong, Qt's own answer to a ping, is all a page ever sends.
        if (now - lastHeard_[client] > settings_.limits.pongTimeoutMs)
            dropClient(client);
        else
            client->ping();
    }
    if (clients_.empty()) pings_.stop();
}

void ClassroomServer::dropClient(QWebSocket* client) {
    const auto it = std::find(clients_.begin(), clients_.end(), client);
    if (it == clients_.end()) return;
    clients_.erase(it);
    lastHeard_.erase(client);
    client->disconnect(this);
    client->abort();
    client->deleteLater();
    emit liveClientsChanged(liveClients());
}

} // namespace kelmot
