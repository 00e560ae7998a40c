// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/eventloop.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QWebSocket>
#include <memory>
#include <vector>

namespace kelmot::test {

// One HTTP answer as a client receives it.
struct HttpReply {
    int status = 0;
    QByteArray head; // status line and headers
    QByteArray body;
    bool closed = false; // the server closed the connection after it
    QByteArray header(const QByteArray& name) const {
        for (const QByteArray& line : head.split('\n'))
            if (line.toLower().startsWith(name.toLower() + ':'))
                return line.mid(name.size() + 1).trimmed();
        return {};
    }
};

// Reads one answer from `socket` (its Content-Length bytes of body; none
// for a HEAD request's), while the event loop runs.
inline HttpReply readReply(QTcpSocket& socket, int limitMs = 60000, bool withBody = true) {
    HttpReply r;
    QByteArray data;
    qsizetype length = -1, headEnd = -1;
    processUntil(
        [&] {
            data += socket.readAll();
            if (headEnd < 0 && (headEnd = data.indexOf("\r\n\r\n")) >= 0) {
                r.head = data.left(headEnd);
                const QByteArray value = r.header("Content-Length");
                length = value.isEmpty() || !withBody ? 0 : value.toLongLong();
            }
            const bool whole = headEnd >= 0 && data.size() >= headEnd + 4 + length;
            return whole || socket.state() == QAbstractSocket::UnconnectedState;
        },
        limitMs);
    data += socket.readAll();
    // After a HEAD answer's head, whatever else came is the body it must not have.
    if (headEnd >= 0) r.body = withBody ? data.mid(headEnd + 4, length) : data.mid(headEnd + 4);
    const QList<QByteArray> statusLine = r.head.split(' ');
    if (statusLine.size() > 1) r.status = statusLine[1].toInt();
    r.closed = processUntil([&] { return socket.state() == QAbstractSocket::UnconnectedState; },
                            r.status >= 400 ? limitMs : 0);
    return r;
}

// True once connected, also when the server has answered and closed again
// before this thread looked (a refusal is that quick).
// From `from` (another loopback address: a device of its own) when given.
inline bool connectTo(QTcpSocket& socket, quint16 port, const QHostAddress& from = {}) {
    if (!from.isNull() && !socket.bind(from)) return false;
    bool connected = false;
    const auto once = QObject::connect(&socket, &QTcpSocket::connected, [&] { connected = true; });
    socket.connectToHost(QHostAddress::LocalHost, port);
    processUntil([&] { return connected || socket.state() == QAbstractSocket::UnconnectedState; });
    QObject::disconnect(once);
    return connected;
}

// A request as raw bytes on a new connection, and its answer.
inline HttpReply request(quint16 port, const QByteArray& raw) {
    QTcpSocket socket;
    if (!connectTo(socket, port)) return {};
    socket.write(raw);
    return readReply(socket, 60000, !raw.startsWith("HEAD "));
}

inline HttpReply get(quint16 port, const QByteArray& target, const QByteArray& method = "GET") {
    return request(port, method + ' ' + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
}

// A page's live connection: every message it received, parsed.
class LiveClient {
public:
    explicit LiveClient(const QString& url) {
        QObject::connect(&socket_, &QWebSocket::textMessageReceived, &socket_,
                         [this](const QString& m) {
                             messages.push_back(QJsonDocument::fromJson(m.toUtf8()).object());
                         });
        QObject::connect(&socket_, &QWebSocket::connected, &socket_, [this] { opened_ = true; });
        QObject::connect(&socket_, &QWebSocket::disconnected, &socket_, [this] { ended_ = true; });
        socket_.open(QUrl(url));
    }
    // True once connected; false when the connection was refused or ended.
    bool waitConnected() {
        processUntil([&] { return opened_ || ended_; });
        return opened_ && !ended_;
    }
    bool waitClosed() {
        return processUntil([&] { return ended_; });
    }
    bool closed() const { return ended_; }
    // Waits until at least `n` messages arrived.
    bool waitFor(std::size_t n) {
        return processUntil([&] { return messages.size() >= n; });
    }
    QWebSocket& socket() { return socket_; }

    std::vector<QJsonObject> messages; // read through std::as_const: keys give values

private:
    QWebSocket socket_;
    bool opened_ = false;
    bool ended_ = false;
};

} // namespace kelmot::test
