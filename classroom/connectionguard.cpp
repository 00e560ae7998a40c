// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/connectionguard.h"

#include <QPointer>
#include <QTcpSocket>

namespace kelmot {

ConnectionGuard::ConnectionGuard(QTcpSocket* socket, const ConnectionLimits& limits,
                                 RefusalWriter refusal)
    : QObject(socket), socket_(socket), limits_(limits), refusal_(std::move(refusal)) {
    // Connected before the HTTP server's own handler: the bytes are counted
    // before it reads them.
    connect(socket, &QTcpSocket::readyRead, this, &ConnectionGuard::bytesArrived);
    idle_.setSingleShot(true);
    idle_.setTimerType(Qt::PreciseTimer); // never before the limit
    connect(&idle_, &QTimer::timeout, this, &ConnectionGuard::timedOut);
    idle_.start(limits_.idleMs);
}

ConnectionGuard* ConnectionGuard::of(QTcpSocket* socket) {
    return socket ? socket->findChild<ConnectionGuard*>(QString(), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

void ConnectionGuard::requestRead() {
    headBytes_ = 0;
    if (!webSocket_ && !refused_) idle_.start(limits_.idleMs);
}

void ConnectionGuard::becameWebSocket() {
    webSocket_ = true;
    idle_.stop();
    disconnect(socket_, &QTcpSocket::readyRead, this, &ConnectionGuard::bytesArrived);
}

void ConnectionGuard::bytesArrived() {
    if (webSocket_ || refused_) return;
    headBytes_ += socket_->bytesAvailable();
    if (headBytes_ > limits_.maxHeadBytes)
        refuse(refusal_(431, QByteArrayLiteral("Request Header Fields Too Large")));
}

void ConnectionGuard::timedOut() {
    if (webSocket_ || refused_) return;
    // A request begun and not finished is told why; an idle connection
    // just ends.
    if (headBytes_ > 0 || socket_->bytesAvailable() > 0)
        refuse(refusal_(408, QByteArrayLiteral("Request Timeout")));
    else
        refuse({});
}

void ConnectionGuard::refuse(const QByteArray& answer) {
    refused_ = true;
    idle_.stop();
    // Nothing more reaches the HTTP server's parser: the request is over.
    disconnect(socket_, &QTcpSocket::readyRead, nullptr, nullptr);
    if (!answer.isEmpty()) socket_->write(answer);
    socket_->disconnectFromHost();
}

namespace {

// Lives as long as its connection's socket, as the socket's child: the
// HTTP server disconnects every signal of a socket it hands on to the
// WebSocket server (the socket's `destroyed` included), but a child goes
// with its parent whatever signals were cut.
class OpenConnection : public QObject {
public:
    OpenConnection(QTcpSocket* socket, GuardedTcpServer* server)
        : QObject(socket), server_(server), peer_(socket->peerAddress()) {}
    ~OpenConnection() override {
        if (server_) server_->connectionGone(peer_);
    }

private:
    QPointer<GuardedTcpServer> server_; // gone first when the server ends before its sockets
    QHostAddress peer_;
};

} // namespace

GuardedTcpServer::GuardedTcpServer(const ConnectionLimits& limits, RefusalWriter refusal,
                                   QObject* parent)
    : QTcpServer(parent), limits_(limits), refusal_(std::move(refusal)) {
    // Connections wait for the HTTP server in the queue only for a moment.
    setMaxPendingConnections(limits_.maxConnections);
}

void GuardedTcpServer::incomingConnection(qintptr descriptor) {
    auto* socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    const QHostAddress peer = socket->peerAddress();
    if (open_ >= limits_.maxConnections || perAddress_.value(peer) >= limits_.maxPerAddress) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        socket->write(refusal_(503, QByteArrayLiteral("Service Unavailable")));
        socket->disconnectFromHost();
        if (socket->state() == QAbstractSocket::UnconnectedState) socket->deleteLater();
        return;
    }
    // What the kernel holds of a connection that does not read stays small:
    // the bound on what a slow client may queue is then the program's own.
    socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, SendBufferBytes);
    ++open_;
    ++perAddress_[peer];
    emit connectionsChanged(open_);
    new OpenConnection(socket, this);
    new ConnectionGuard(socket, limits_, refusal_);
    addPendingConnection(socket);
}

void GuardedTcpServer::connectionGone(const QHostAddress& peer) {
    --open_;
    if (--perAddress_[peer] <= 0) perAddress_.remove(peer);
    emit connectionsChanged(open_);
}

} // namespace kelmot
