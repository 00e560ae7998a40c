// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/classroomservice.h"

#include "classroom/accesscode.h"
#include "classroom/classroomserver.h"
#include "classroom/defaultroute.h"
#include "widgets/pictures.h"

#include <QFile>
#include <QLoggingCategory>
#include <QNetworkInterface>
#include <QThread>

// The page, its script and style are built into a static library; without a
// reference the linker would leave them out.
static void loadClassroomPage() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(classroom);
        return true;
    }();
    (void)loaded;
}

namespace kelmot {

namespace {

QByteArray resource(const char* name) {
    QFile f(QStringLiteral(":/classroom/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

QStringList classroomHostAddresses() {
    std::vector<std::pair<QString, QString>> found;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& e : i.addressEntries()) {
            const QHostAddress a = e.ip();
            if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback())
                found.emplace_back(i.name(), a.toString());
        }
    }
    if (found.empty()) return {QStringLiteral("127.0.0.1")};
    // The QR code carries the first: the room's network's, not a VPN's.
    QFile routes(QStringLiteral("/proc/net/route"));
    const QByteArray table = routes.open(QIODevice::ReadOnly) ? routes.readAll() : QByteArray();
    return addressesDefaultRouteFirst(found, defaultRouteInterface(table));
}

ClassroomService::ClassroomService(QObject* parent) : QObject(parent) {
    // A refused WebSocket upgrade is an answer of ours, not Qt's warning:
    // a client trying codes must not fill the terminal.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.httpserver.warning=false"));
}

ClassroomService::~ClassroomService() {
    stop();
}

namespace {

// What the server is started with: a new access code, the texts, the page
// built into the program and the bounds.
ClassroomServerSettings serverSettings(const ClassroomTexts& texts,
                                       const ClassroomService::Options& options) {
    loadClassroomPage();
    ClassroomServerSettings settings;
    settings.code = AccessCode::random();
    settings.texts = texts;
    settings.pageTexts = classroomPageTexts();
    settings.refusals = refusalTexts();
    settings.pageTemplate = resource("index.html");
    settings.script = resource("app.js");
    settings.style = resource("style.css");
    settings.icon = programIconPng();
    settings.limits = options.limits;
    settings.maxQueuedBytes = options.maxQueuedBytes;
    settings.clock = options.clock;
    return settings;
}

// The page's addresses with the code: the one chosen, or every address of
// the machine when it listens on all of them.
QStringList pageAddresses(const ClassroomService::Options& options, quint16 port,
                          const QString& code) {
    const QStringList hosts =
        options.address && !options.address->isNull() && *options.address != QHostAddress::AnyIPv4
            ? QStringList{options.address->toString()}
            : classroomHostAddresses();
    QStringList addresses;
    for (const QString& host : hosts)
        addresses << QStringLiteral("http://%1:%2/?code=%3").arg(host).arg(port).arg(code);
    return addresses;
}

} // namespace

// A server listening on a free port, or none (its thread ended) when no port
// of the range is free.
ClassroomServer* ClassroomService::listenOnItsThread(ClassroomServerSettings settings,
                                                     const Options& options, quint16& port) {
    thread_ = new QThread(this);
    thread_->setObjectName(QStringLiteral("classroom"));
    thread_->start();
    // Made, listening and destroyed on its own thread: Qt's server keeps
    // objects of its own that cannot be moved there afterwards.
    ClassroomServer* server = nullptr;
    auto* context = new QObject;
    context->moveToThread(thread_);
    QMetaObject::invokeMethod(
        context,
        [&] {
            server = new ClassroomServer(std::move(settings));
            port = server->listenOnFreePort(options.firstPort, options.lastPort,
                                            options.address.value_or(QHostAddress::AnyIPv4));
            if (port == 0) {
                delete server;
                server = nullptr;
            }
        },
        Qt::BlockingQueuedConnection);
    context->deleteLater();
    if (!server) {
        thread_->quit();
        thread_->wait();
        delete thread_;
        thread_ = nullptr;
    }
    return server;
}

bool ClassroomService::start(const ClassroomTexts& texts, const Options& options) {
    stop();
    ClassroomServerSettings settings = serverSettings(texts, options);
    const QString code = settings.code.text();
    quint16 port = 0;
    ClassroomServer* server = listenOnItsThread(std::move(settings), options, port);
    if (!server) return false;
    server_ = server;
    port_ = port;
    code_ = code;
    addresses_ = pageAddresses(options, port_, code_);
    // A count the previous server sent before it went may still be on its
    // way: only this server's counts are shown.
    connect(server_, &ClassroomServer::liveClientsChanged, this,
            [this, generation = ++generation_](int count) {
                if (!server_ || generation != generation_) return;
                devices_ = count;
                emit devicesChanged(count);
            });
    devices_ = 0;
    if (last_) {
        const auto snapshot = std::make_shared<const ClassroomSnapshot>(*last_);
        QMetaObject::invokeMethod(server_, [s = server_, snapshot] { s->publish(snapshot); });
    }
    emit runningChanged(true);
    emit devicesChanged(0);
    return true;
}

void ClassroomService::stop() {
    if (!server_) return;
    ClassroomServer* server = std::exchange(server_, nullptr);
    // Every connection ends now, on the server's thread, before this returns.
    QMetaObject::invokeMethod(
        server,
        [server] {
            server->closeAll();
            delete server;
        },
        Qt::BlockingQueuedConnection);
    thread_->quit();
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    port_ = 0;
    code_.clear();
    addresses_.clear();
    devices_ = 0;
    emit devicesChanged(0);
    emit runningChanged(false);
}

void ClassroomService::publish(const ClassroomSnapshot& snapshot) {
    if (last_ && sameDiagrams(*last_, snapshot) && sameLive(*last_, snapshot)) return;
    last_ = snapshot;
    if (!server_) return;
    // One copy for the server's thread, shared and never changed.
    const auto shared = std::make_shared<const ClassroomSnapshot>(snapshot);
    QMetaObject::invokeMethod(server_, [s = server_, shared] { s->publish(shared); });
}

} // namespace kelmot
