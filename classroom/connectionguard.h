// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QTcpServer>
#include <QTimer>
#include <cstdint>
#include <functional>

class QTcpSocket;

namespace kelmot {

// The bounds every connection of the classroom view keeps, whatever a
// client does (Qt's HTTP server module, a technical preview in this Qt
// version, sets none of its own).
struct ConnectionLimits {
    int maxConnections = 256; // open at once; the next is answered 503
    // Open at once from one address, so that one pupil's script cannot take
    // every place. Behind a NAT the whole class shares an address: 32
    // devices fit, each with its live page and a browser's five parallel
    // requests as it loads (keep-alive holds them for `idleMs` after). A
    // larger class behind one NAT needs both raised.
    int maxPerAddress = 32 * 6;
    int maxLivePagesPerAddress = 32; // one per device; the next page's upgrade is answered 503
    int idleMs = 10'000;             // a connection without a whole request is closed after this
    int maxHeadBytes = 8 * 1024;     // request line and headers; more is answered 431
    // A live page is pinged this often and dropped when it has answered
    // nothing for `pongTimeoutMs`: a phone that vanished frees its place.
    int pingIntervalMs = 10'000;
    int pongTimeoutMs = 30'000;
};

// The answer that refuses a connection outright, before any request is read:
// a status line, the page's security headers, "Connection: close", a text.
using RefusalWriter = std::function<QByteArray(int status, const QByteArray& reason)>;

// Watches one HTTP connection until it becomes a WebSocket or closes: closes
// it when it has sent no whole request for `idleMs` (idle, or a request
// trickling in byte by byte), and answers 431 when the request's head grows
// beyond `maxHeadBytes`. Lives as the socket's child.
class ConnectionGuard : public QObject {
    Q_OBJECT
public:
    ConnectionGuard(QTcpSocket* socket, const ConnectionLimits& limits, RefusalWriter refusal);

    static ConnectionGuard* of(QTcpSocket* socket);

    // A whole request has been read: the next may take `idleMs` again.
    void requestRead();
    // The connection is now a WebSocket: its own bounds apply.
    void becameWebSocket();
    bool webSocket() const { return webSocket_; }

private:
    void bytesArrived();
    void timedOut();
    // Writes `answer`, stops the HTTP server reading, and closes.
    void refuse(const QByteArray& answer);

    QTcpSocket* socket_;
    ConnectionLimits limits_;
    RefusalWriter refusal_;
    QTimer idle_;
    qint64 headBytes_ = 0;
    bool webSocket_ = false;
    bool refused_ = false;
};

// The listening socket of the classroom view: every accepted connection
// gets its guard before the HTTP server sees it, and a connection beyond
// `maxConnections` is answered 503 and closed at once.
class GuardedTcpServer : public QTcpServer {
    Q_OBJECT
public:
    static constexpr int SendBufferBytes = 64 * 1024;

    GuardedTcpServer(const ConnectionLimits& limits, RefusalWriter refusal,
                     QObject* parent = nullptr);
    int openConnections() const { return open_; }
    // A connection's socket is gone (closed, or its WebSocket ended).
    void connectionGone(const QHostAddress& peer);

signals:
    void connectionsChanged(int open);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    ConnectionLimits limits_;
    RefusalWriter refusal_;
    int open_ = 0;
    QHash<QHostAddress, int> perAddress_;
};

} // namespace kelmot
