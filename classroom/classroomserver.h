// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classroom/accesscode.h"
#include "classroom/classroompage.h"
#include "classroom/classroomroutes.h"
#include "classroom/classroomsnapshot.h"
#include "classroom/connectionguard.h"
#include "classroom/diagramsvg.h"
#include "classroom/wrongcodelimit.h"

#include <QAbstractHttpServer>
#include <QElapsedTimer>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QWebSocket;

namespace kelmot {

// What the classroom server is started with (made on the window's thread).
struct ClassroomServerSettings {
    AccessCode code = AccessCode(QString());
    ClassroomTexts texts;
    PageTexts pageTexts;
    // The page (with its "{{...}}" placeholders), its script and its style.
    QByteArray pageTemplate, script, style, icon;
    ConnectionLimits limits;
    // The refusals' texts in the program's language (see refusalTexts).
    RefusalTexts refusals;
    // A live client whose unsent messages grow beyond this stops reading
    // (or its network does): it is dropped and may reconnect.
    qint64 maxQueuedBytes = 1024 * 1024;
    // Milliseconds of a monotonic clock; tests set their own.
    std::function<std::int64_t()> clock;
};

// The classroom view's server: the page, its script and style, the state as
// JSON, the diagrams as SVG, the downloads, and the WebSocket that pushes
// every change. Read-only: nothing it receives reaches the program. Lives
// on a thread of its own (made, used and destroyed there); the window's
// thread hands it snapshots. Every use of Qt's HTTP server module is in
// this unit, so that a later Qt means a change here only.
class ClassroomServer : public QAbstractHttpServer {
    Q_OBJECT
public:
    explicit ClassroomServer(ClassroomServerSettings settings, QObject* parent = nullptr);
    ~ClassroomServer() override;

    // Listens on every IPv4 address at the first free port of
    // [firstPort, lastPort] (or on `address` only; port 0: one the system
    // picks); the port, or 0.
    quint16 listenOnFreePort(quint16 firstPort, quint16 lastPort,
                             const QHostAddress& address = QHostAddress::AnyIPv4);
    // What the page shows from now on; pushed to every live client.
    void publish(std::shared_ptr<const ClassroomSnapshot> snapshot);
    // Ends every connection at once (the view is switched off).
    void closeAll();

    int liveClients() const { return int(clients_.size()); }
    int openConnections() const;
    int revision() const { return revision_; }

signals:
    // Live clients (open pages) connected now.
    void liveClientsChanged(int count);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    ClassroomAnswer decide(const ClassroomRequest& request, const QHttpServerRequest& http);
    // The answer to a request that may be served; empty when what it names
    // does not exist (a series not stored).
    QByteArray serve(const ClassroomAnswer& decision);
    QByteArray serveSeriesFile(const ClassroomAnswer& decision);
    void answer(QTcpSocket* socket, const ClassroomAnswer& decision, bool headOnly = false);
    // Drops every live client whose unsent bytes passed the bound, whatever
    // filled them (Qt answers a ping with a pong by itself).
    void dropClientsThatDoNotRead();
    void acceptLiveClients();
    // Pings every live page; drops those that answered nothing for too long.
    void pingLiveClients();
    int livePagesFrom(const QHostAddress& address) const;
    void dropClient(QWebSocket* client);
    void send(QWebSocket* client, const QString& message);
    const QByteArray& stateJson();
    // Drawn once per snapshot and width the pages ask for (few: see diagramWidthIn).
    const DiagramPicture& diagram(bool velocity, int width = 0);
    // An experiment's diagram by its name ("fall-st"), none where the page
    // shows no such diagram.
    const DiagramPicture* experimentDiagram(const QByteArray& name, int width = 0);
    // A diagram of an open window, drawn anew only when its drawing is new.
    const DiagramPicture& experimentPicture(const ExperimentLive& experiment,
                                            const LiveDiagram& diagram, int width);
    // Every drawing the snapshot no longer holds goes.
    void forgetOldExperimentDiagrams();

    ClassroomServerSettings settings_;
    GuardedTcpServer* listener_ = nullptr;
    WrongCodeLimit wrongCodes_;
    QByteArray page_; // filled in: texts and code
    std::shared_ptr<const ClassroomSnapshot> snapshot_;
    int revision_ = 0;
    QByteArray stateJson_; // of revision_, made when first asked for
    std::map<int, std::array<DiagramPicture, 2>> diagrams_; // s-t and v-t by width
    // The experiments' by name and width, drawn anew only when the window
    // made a new drawing (the run went on, ended, or its setup changed).
    struct DrawnDiagram {
        std::shared_ptr<const LiveDrawing> drawing;
        DiagramPicture picture;
    };
    std::map<std::pair<QByteArray, int>, DrawnDiagram> experimentDiagrams_;
    std::vector<QWebSocket*> clients_;
    // The decision on a refused WebSocket upgrade, for missingHandler, which
    // Qt calls right after handleRequest declined it.
    ClassroomAnswer refusedUpgrade_;
    QTimer queueCheck_;
    QTimer pings_;
    // When each live page last answered (a pong) or connected, on `clock`.
    std::map<QWebSocket*, std::int64_t> lastHeard_;
};

} // namespace kelmot
