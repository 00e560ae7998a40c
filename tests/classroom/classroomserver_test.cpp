// SPDX-License-Identifier: GPL-3.0-or-later
// The classroom view's server through real connections on loopback: what
// it serves, what it refuses, what it pushes, and that switching it off ends
// every connection.
#include "app/language.h"
#include "classroom/classroomjson.h"
#include "classroom/classroomserver.h"
#include "classroom/classroomservice.h"
#include "tests/classroom/classroom_client.h"
#include "tests/classroom/classroom_fixture.h"

#include <atomic>

#include <QElapsedTimer>
#include <QJsonArray>
#include <QScopeGuard>
#include <QTimer>
#include <gtest/gtest.h>
#include <random>
#include <utility>

using namespace kelmot;
using namespace kelmot::test;

namespace {

class ClassroomServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(startView()); }

    // On a port the system picks: tests running side by side never meet.
    bool startView(quint16 port = 0) {
        ClassroomService::Options o = options;
        o.firstPort = o.lastPort = port;
        o.address = QHostAddress(QHostAddress::LocalHost);
        return service.start(germanTexts(), o);
    }
    QByteArray path(const char* route) const {
        return QByteArray(route) + "?code=" + service.code().toLatin1();
    }
    QString liveUrl(const QString& code) const {
        return QStringLiteral("ws://127.0.0.1:%1/api/live?code=%2").arg(service.port()).arg(code);
    }
    // A run as the measurement window shows it: `passed` barriers with
    // dark and bright time.
    static ClassroomSnapshot runAt(int passed) {
        ClassroomSnapshot s;
        s.store.initialise();
        s.brightTimesShown = true;
        s.measuring = passed < 10;
        s.status = passed == 0 ? QStringLiteral("  Warte auf Start  ")
                               : QStringLiteral("  Messung gestartet  ");
        for (int k = 0; k < passed; ++k) {
            s.liveDark[std::size_t(k)] = QStringLiteral("%1,00").arg(k);
            s.liveBright[std::size_t(k)] = QStringLiteral("%1,05").arg(k);
        }
        return s;
    }

    // The connections the server holds, asked on its thread.
    int openConnections() {
        ClassroomServer* server = service.server();
        int n = 0;
        QMetaObject::invokeMethod(
            server, [&] { n = server->openConnections(); }, Qt::BlockingQueuedConnection);
        return n;
    }

    // The live pages the server holds, asked on its thread.
    int liveClients() {
        ClassroomServer* server = service.server();
        int n = 0;
        QMetaObject::invokeMethod(
            server, [&] { n = server->liveClients(); }, Qt::BlockingQueuedConnection);
        return n;
    }

    ClassroomService::Options options;
    ClassroomService service;
};

} // namespace

TEST_F(ClassroomServerTest, ServesThePageItsFilesTheStateAndTheDiagrams) {
    service.publish(threeSeries());
    const HttpReply page = get(service.port(), path("/"));
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.header("Content-Type"), "text/html; charset=utf-8");
    // Only the program's own page, script, style and pictures.
    EXPECT_EQ(page.header("Content-Security-Policy"),
              "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self'; "
              "connect-src 'self'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'");
    EXPECT_EQ(page.header("X-Content-Type-Options"), "nosniff");
    EXPECT_EQ(page.header("Referrer-Policy"), "no-referrer");
    EXPECT_EQ(page.header("Cache-Control"), "no-store");
    EXPECT_TRUE(page.body.contains("<html lang=\"de\">"));
    EXPECT_TRUE(page.body.contains("app.js?code=" + service.code().toLatin1()));
    EXPECT_FALSE(page.body.contains("{{")) << "every placeholder filled in";
    EXPECT_FALSE(page.body.contains("http://")) << "nothing from outside";
    EXPECT_EQ(get(service.port(), path("/app.js")).header("Content-Type"),
              "text/javascript; charset=utf-8");
    EXPECT_EQ(get(service.port(), path("/style.css")).header("Content-Type"),
              "text/css; charset=utf-8");

    const HttpReply state = get(service.port(), path("/api/state"));
    EXPECT_EQ(state.header("Content-Type"), "application/json; charset=utf-8");
    const QJsonObject json = QJsonDocument::fromJson(state.body).object();
    EXPECT_EQ(json["api"].toInt(), 1);
    EXPECT_EQ(json["series"].toArray().size(), 3);
    EXPECT_TRUE(json["diagrams"]["st"]["description"].toString().startsWith(
        "Messung 3: s ~ t; Messung 2: kein Zusammenhang"))
        << json["diagrams"]["st"]["description"].toString().toStdString();

    for (const char* svg : {"/diagram/st.svg", "/diagram/vt.svg"}) {
        const HttpReply d = get(service.port(), path(svg));
        EXPECT_EQ(d.status, 200) << svg;
        EXPECT_EQ(d.header("Content-Type"), "image/svg+xml");
        EXPECT_TRUE(d.body.contains("<svg")) << svg;
        EXPECT_TRUE(d.body.contains("<title>Messung 3: ")) << "the description as its title";
        // The diagram's own drawing: the series' colours.
        EXPECT_TRUE(d.body.contains("#008000")) << svg;
        EXPECT_TRUE(d.body.contains("#000080")) << svg;
    }
}

TEST_F(ClassroomServerTest, DownloadsOfEachStoredSeries) {
    const HttpReply before = get(service.port(), path("/download/1.kmd"));
    EXPECT_EQ(before.status, 404) << "no series yet";
    service.publish(threeSeries());
    const HttpReply kmd = get(service.port(), path("/download/1.kmd"));
    EXPECT_EQ(kmd.status, 200);
    EXPECT_EQ(kmd.header("Content-Disposition"), "attachment; filename=\"Messung_3.kmd\"");
    EXPECT_TRUE(kmd.body.startsWith("Ort ; Zeit dunkel; Zeit hell;1\r\n"));
    const HttpReply csv = get(service.port(), path("/download/3.csv"));
    EXPECT_TRUE(csv.body.startsWith("\xEF\xBB\xBFOrt (m);Zeit aus (s);"));
    EXPECT_EQ(csv.header("Content-Type"), "text/csv; charset=utf-8");
    const HttpReply xls = get(service.port(), path("/download/2.xls"));
    EXPECT_EQ(xls.header("Content-Type"), "application/vnd.ms-excel");
    // A compound document, as Excel 97-2003 writes it.
    EXPECT_TRUE(xls.body.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"));
    // One list: only the newest series exists for the page.
    ClassroomSnapshot one = threeSeries();
    one.seriesCount = 1;
    service.publish(one);
    EXPECT_EQ(get(service.port(), path("/download/2.kmd")).status, 404);
}

TEST_F(ClassroomServerTest, WithoutTheCurrentCodeNothingButARefusal) {
    service.publish(threeSeries());
    for (const QByteArray& target :
         {QByteArray("/api/state"), QByteArray("/api/state?code="), QByteArray("/?code=12345"),
          QByteArray("/download/1.kmd?code=000000x"), QByteArray("/diagram/st.svg?cod=1")}) {
        const HttpReply r = get(service.port(), target);
        EXPECT_EQ(r.status, 403) << target.toStdString();
        EXPECT_EQ(r.body, "Zugang verweigert: falscher oder fehlender Zugangscode.\n");
        EXPECT_FALSE(r.body.contains("Messung")) << "nothing of the measurement";
        EXPECT_TRUE(r.closed);
    }
    EXPECT_EQ(get(service.port(), "/nothing?code=" + service.code().toLatin1()).status, 404);
    EXPECT_EQ(get(service.port(), path("/api/state"), "POST").status, 405);
    EXPECT_EQ(get(service.port(), path("/"), "HEAD").status, 200); // HEAD goes where GET does
    EXPECT_EQ(get(service.port(), path("/api/state"), "DELETE").status, 405);
    EXPECT_EQ(get(service.port(), path("/api/live")).status, 426);
    // A wrong code on the live route gets no connection either.
    LiveClient wrong(liveUrl(QStringLiteral("000000") == service.code()
                                 ? QStringLiteral("000001")
                                 : QStringLiteral("000000")));
    EXPECT_FALSE(wrong.waitConnected());
    EXPECT_TRUE(wrong.messages.empty());
}

TEST_F(ClassroomServerTest, AnOldCodeOpensNothingAfterARestart) {
    const QString old = service.code();
    const quint16 oldPort = service.port();
    service.stop();
    ASSERT_TRUE(startView(oldPort)) << "the same port, free again";
    EXPECT_NE(service.code(), old);
    EXPECT_EQ(get(service.port(), "/?code=" + old.toLatin1()).status, 403);
    EXPECT_EQ(get(service.port(), path("/")).status, 200);
}

TEST_F(ClassroomServerTest, AClientThatConnectsMidRunGetsEveryRowOnceInOrder) {
    for (int passed = 0; passed <= 3; ++passed)
        service.publish(runAt(passed));
    LiveClient late(liveUrl(service.code()));
    ASSERT_TRUE(late.waitConnected());
    ASSERT_TRUE(late.waitFor(1));
    EXPECT_EQ(late.messages[0]["type"].toString(), "state");
    EXPECT_EQ(std::as_const(late.messages)[0]["status"]["text"].toString(), "Messung gestartet");
    processUntil([&] { return service.devices() == 1; });
    EXPECT_EQ(service.devices(), 1);
    for (int passed = 4; passed <= 10; ++passed)
        service.publish(runAt(passed));
    ClassroomSnapshot ended = runAt(10);
    ended.status = QStringLiteral("  Messung beendet  ");
    service.publish(ended);
    // What the page shows: the state's rows, then each new row.
    std::vector<int> rows;
    ASSERT_TRUE(processUntil([&] {
        rows.clear();
        for (const QJsonObject& m : std::as_const(late.messages)) {
            if (m["type"].toString() == "state")
                for (const QJsonValue r : m["live"]["rows"].toArray())
                    rows.push_back(r["barrier"].toInt());
            if (m["type"].toString() == "row") rows.push_back(m["row"]["barrier"].toInt());
        }
        return rows.size() >= 10 && late.messages.back()["type"].toString() == "status";
    }));
    EXPECT_EQ(rows, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(std::as_const(late.messages).back()["status"]["text"].toString(), "Messung beendet");
    // Revisions never go back (a row and the status of one change share one).
    for (std::size_t i = 1; i < late.messages.size(); ++i)
        EXPECT_GE(late.messages[i]["revision"].toInt(), late.messages[i - 1]["revision"].toInt());
}

TEST_F(ClassroomServerTest, WhatAClientSendsIsNeverActedOn) {
    service.publish(runAt(1));
    LiveClient page(liveUrl(service.code()));
    ASSERT_TRUE(page.waitConnected());
    ASSERT_TRUE(page.waitFor(1));
    page.socket().sendTextMessage(QStringLiteral("{\"type\":\"start\"}"));
    page.socket().sendBinaryMessage(QByteArray(100, 'x'));
    service.publish(runAt(2));
    ASSERT_TRUE(page.waitFor(2));
    EXPECT_EQ(page.messages[1]["type"].toString(), "row");
    EXPECT_FALSE(page.closed());
    // A large message ends that client's connection, nobody else's.
    LiveClient other(liveUrl(service.code()));
    ASSERT_TRUE(other.waitConnected());
    page.socket().sendTextMessage(QString(100'000, u'x'));
    EXPECT_TRUE(page.waitClosed());
    service.publish(runAt(3));
    EXPECT_TRUE(other.waitFor(2));
    EXPECT_FALSE(other.closed());
}

TEST_F(ClassroomServerTest, SwitchingOffEndsEveryConnectionAtOnce) {
    service.publish(runAt(2));
    LiveClient page(liveUrl(service.code()));
    ASSERT_TRUE(page.waitConnected());
    QTcpSocket keptOpen;
    ASSERT_TRUE(connectTo(keptOpen, service.port()));
    keptOpen.write("GET " + path("/api/state") + " HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_EQ(readReply(keptOpen).status, 200);
    ASSERT_EQ(keptOpen.state(), QAbstractSocket::ConnectedState) << "kept alive";
    const quint16 port = service.port();
    service.stop();
    EXPECT_TRUE(page.waitClosed());
    EXPECT_TRUE(
        processUntil([&] { return keptOpen.state() == QAbstractSocket::UnconnectedState; }));
    QTcpSocket after;
    after.connectToHost(QHostAddress::LocalHost, port);
    EXPECT_TRUE(processUntil([&] { return after.state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_FALSE(service.running());
    EXPECT_TRUE(service.addresses().isEmpty());
}

// The page speaks the program's language: on an English desktop (or with
// --language en) its texts and refusals are English, the numbers the
// desktop's.
TEST(ClassroomLanguage, AnEnglishProgramServesAnEnglishPage) {
    ASSERT_TRUE(installTranslation(QStringLiteral("en")));
    const auto german = qScopeGuard([] { installTranslation(QStringLiteral("de")); });
    ClassroomService service;
    ClassroomService::Options o;
    o.address = QHostAddress(QHostAddress::LocalHost);
    ClassroomTexts texts = classroomTexts(QStringLiteral("en"));
    texts.locale = QLocale(QLocale::English, QLocale::UnitedStates);
    ASSERT_TRUE(service.start(texts, o));
    service.publish(threeSeries());
    const QByteArray code = service.code().toLatin1();
    const HttpReply page = get(service.port(), "/?code=" + code);
    EXPECT_TRUE(page.body.contains("<html lang=\"en\">"));
    EXPECT_TRUE(page.body.contains("<title>Kelmot – classroom view</title>"));
    EXPECT_TRUE(page.body.contains("data-reconnecting=\"Connection lost – trying again …\""));
    EXPECT_EQ(get(service.port(), "/?code=x").body,
              "Access denied: the access code is wrong or missing.\n");
    const QJsonObject state =
        QJsonDocument::fromJson(get(service.port(), "/api/state?code=" + code).body).object();
    EXPECT_EQ(state["language"].toString(), "en");
    EXPECT_EQ(state["series"][0]["vtRelation"].toString(), "v ~ t");
    EXPECT_EQ(state["series"][0]["table"]["rows"][1][1].toString(), "0.480");
    EXPECT_EQ(state["diagrams"]["st"]["name"].toString(), "s-t diagram");
}

// ---- A full class and hostile clients ---------------------------------------

namespace {

// A live page's handshake request for `target`, with this Upgrade header.
QByteArray upgradeRequest(const QByteArray& target, const QByteArray& upgrade = "websocket") {
    return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: " + upgrade +
           "\r\nConnection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
           "Sec-WebSocket-Version: 13\r\n\r\n";
}

// A WebSocket handshake by hand: a client that connects and then never
// reads what it is sent (an old phone on bad Wi-Fi, or one that wants to
// hold the server up).
bool upgradeByHand(QTcpSocket& socket, quint16 port, const QString& code) {
    socket.setReadBufferSize(4096);
    if (!connectTo(socket, port)) return false;
    // A tiny receive buffer: the kernel holds little of what is not read.
    socket.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
    socket.write(
        "GET /api/live?code=" + code.toLatin1() +
        " HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
        "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
    QByteArray answer;
    processUntil([&] {
        answer += socket.read(1); // only the handshake's answer, byte by byte
        return answer.endsWith("\r\n\r\n") || socket.state() != QAbstractSocket::ConnectedState;
    });
    return answer.startsWith("HTTP/1.1 101");
}

// A state of three series that differs from the last in its flag width: a
// full state message to every client (some ten kilobytes).
ClassroomSnapshot bigState(int n) {
    ClassroomSnapshot s = threeSeries();
    s.flagWidthText = QString::number(10 + n % 50) + ",5";
    s.store.SeriesName[0] = QStringLiteral("Messung %1").arg(n);
    return s;
}

} // namespace

TEST_F(ClassroomServerTest, TheConnectionAfterTheLastAllowedGets503) {
    constexpr int Allowed = ConnectionLimits{}.maxConnections;
    constexpr int PerAddress = ConnectionLimits{}.maxPerAddress;
    EXPECT_EQ(Allowed, 256);
    std::vector<std::unique_ptr<QTcpSocket>> held;
    for (int i = 0; i < Allowed; ++i) {
        held.push_back(std::make_unique<QTcpSocket>());
        // Devices of their own: 127.0.0.2, .3, ... each up to its share.
        const QHostAddress device(QStringLiteral("127.0.0.%1").arg(2 + i / PerAddress));
        ASSERT_TRUE(connectTo(*held.back(), service.port(), device)) << i;
    }
    const auto open = [this] { return openConnections(); };
    ASSERT_TRUE(processUntil([&] { return open() == Allowed; }));
    const HttpReply refused = get(service.port(), path("/"));
    EXPECT_EQ(refused.status, 503);
    EXPECT_TRUE(refused.closed);
    EXPECT_TRUE(refused.header("Content-Security-Policy").startsWith("default-src 'none'"));
    EXPECT_EQ(refused.body, "Zu viele Verbindungen: bitte später noch einmal versuchen.\n");
    // One leaves: the next is served.
    held.pop_back();
    ASSERT_TRUE(processUntil([&] { return open() == Allowed - 1; }));
    EXPECT_EQ(get(service.port(), path("/")).status, 200);
    held.clear();
    EXPECT_TRUE(processUntil([&] { return open() == 0; }));
}

TEST_F(ClassroomServerTest, IdleAndTricklingConnectionsAreClosedAfterTenSeconds) {
    EXPECT_EQ(ConnectionLimits{}.idleMs, 10'000);
    QElapsedTimer since;
    since.start();
    QTcpSocket idle, trickling;
    ASSERT_TRUE(connectTo(idle, service.port()));
    ASSERT_TRUE(connectTo(trickling, service.port()));
    // One byte of a request every 200 ms: never a whole request.
    const QByteArray request = "GET " + path("/") + " HTTP/1.1\r\nHost: " + QByteArray(200, 'x');
    int sent = 0;
    QTimer drip;
    QObject::connect(&drip, &QTimer::timeout, [&] {
        if (trickling.state() == QAbstractSocket::ConnectedState && sent < request.size())
            trickling.write(request.mid(sent++, 1));
    });
    drip.start(200);
    qint64 idleClosedAt = -1, tricklingClosedAt = -1;
    QByteArray tricklingAnswer;
    ASSERT_TRUE(processUntil(
        [&] {
            tricklingAnswer += trickling.readAll();
            if (idleClosedAt < 0 && idle.state() == QAbstractSocket::UnconnectedState)
                idleClosedAt = since.elapsed();
            if (tricklingClosedAt < 0 && trickling.state() == QAbstractSocket::UnconnectedState)
                tricklingClosedAt = since.elapsed();
            return idleClosedAt >= 0 && tricklingClosedAt >= 0;
        },
        120000));
    EXPECT_GE(idleClosedAt, 10'000);
    EXPECT_GE(tricklingClosedAt, 10'000);
    EXPECT_GT(sent, 10) << "the client kept sending";
    EXPECT_TRUE(tricklingAnswer.startsWith("HTTP/1.1 408 Request Timeout\r\n"));
    EXPECT_EQ(get(service.port(), path("/")).status, 200) << "and the next is served";
}

TEST_F(ClassroomServerTest, RequestHeadsOverEightKilobytesGet431) {
    const QByteArray start = "GET " + path("/") + " HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Pad: ";
    const auto withHead = [&](int bytes) {
        return start + QByteArray(bytes - start.size() - 4, 'x') + "\r\n\r\n";
    };
    EXPECT_EQ(request(service.port(), withHead(8 * 1024)).status, 200);
    const HttpReply tooLarge = request(service.port(), withHead(8 * 1024 + 1));
    EXPECT_EQ(tooLarge.status, 431);
    EXPECT_TRUE(tooLarge.closed);
    EXPECT_EQ(tooLarge.header("X-Content-Type-Options"), "nosniff");
    // A request line alone that long too.
    const HttpReply longLine =
        request(service.port(), "GET /" + QByteArray(9000, 'a') + " HTTP/1.1\r\n\r\n");
    EXPECT_EQ(longLine.status, 431);
}

TEST_F(ClassroomServerTest, TenWrongCodesFromOneAddressGet429) {
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(get(service.port(), "/?code=11111" + QByteArray::number(i)).status, 403);
    EXPECT_EQ(get(service.port(), path("/")).status, 200) << "nine are not yet ten";
    EXPECT_EQ(get(service.port(), "/?code=999999").status, service.code() == "999999" ? 200 : 403);
    const HttpReply blocked = get(service.port(), path("/api/state"));
    EXPECT_EQ(blocked.status, 429) << "even with the right code, for a minute";
    EXPECT_EQ(blocked.header("Retry-After"), "60");
    EXPECT_EQ(blocked.body, "Zu viele falsche Zugangscodes: bitte eine Minute warten.\n");
    LiveClient page(liveUrl(service.code()));
    EXPECT_FALSE(page.waitConnected()) << "nor a live connection";
    // A missing code is no guess.
    service.stop();
    ASSERT_TRUE(startView());
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(get(service.port(), "/api/state").status, 403);
    EXPECT_EQ(get(service.port(), path("/api/state")).status, 200);
}

TEST_F(ClassroomServerTest, AClientThatStopsReadingIsDroppedAndTheOthersGoOn) {
    EXPECT_EQ(ClassroomService::Options{}.maxQueuedBytes, 1024 * 1024);
    service.publish(bigState(0));
    LiveClient fast(liveUrl(service.code()));
    ASSERT_TRUE(fast.waitConnected());
    QTcpSocket stalled;
    ASSERT_TRUE(upgradeByHand(stalled, service.port(), service.code()));
    ASSERT_TRUE(processUntil([&] { return service.devices() == 2; }));
    // Far more than the bound and what the kernel buffers hold, in batches
    // that the client which reads takes as they come.
    constexpr int States = 1500;
    qint64 sent = 0;
    for (int n = 1; n <= States; ++n) {
        service.publish(bigState(n));
        sent += stateMessage(bigState(n), germanTexts(), n).size();
        if (n % 20 == 0) {
            ASSERT_TRUE(fast.waitFor(std::size_t(n) + 1)) << n;
        }
    }
    EXPECT_GT(sent, 4 * 1024 * 1024);
    ASSERT_TRUE(processUntil([&] { return service.devices() == 1; }))
        << "the client that does not read is dropped";
    ASSERT_TRUE(fast.waitFor(States + 1)) << fast.messages.size();
    // Every state reached the other, in order.
    for (int n = 0; n <= States; ++n)
        EXPECT_EQ(std::as_const(fast.messages)[std::size_t(n)]["series"][0]["name"].toString(),
                  QStringLiteral("Messung %1").arg(n));
    EXPECT_FALSE(fast.closed());
    // The dropped one may come again.
    LiveClient again(liveUrl(service.code()));
    EXPECT_TRUE(again.waitConnected());
}

TEST_F(ClassroomServerTest, NoiseOnTheSocketNeverStopsTheServer) {
    std::mt19937 random(7);
    for (int i = 0; i < 50; ++i) {
        QByteArray noise(int(random() % 3000), '\0');
        for (char& c : noise)
            c = char(random());
        QTcpSocket s;
        ASSERT_TRUE(connectTo(s, service.port()));
        s.write(noise);
        processUntil([&] { return s.bytesToWrite() == 0; });
    }
    for (const QByteArray& cut :
         {QByteArray("GET /"), QByteArray("GET / HTTP/1.1\r\nHost"), QByteArray("\r\n\r\n"),
          QByteArray("GET / HTTP/9.9\r\n\r\n"), QByteArray("G\0T / HTTP/1.1\r\n\r\n", 18),
          "POST " + path("/api/state") + " HTTP/1.1\r\nContent-Length: 999999\r\n\r\nabc"}) {
        QTcpSocket s;
        ASSERT_TRUE(connectTo(s, service.port()));
        s.write(cut);
        s.disconnectFromHost();
    }
    EXPECT_EQ(get(service.port(), path("/")).status, 200);
    // A thousand connections in a row, each opened and closed at once.
    for (int i = 0; i < 1000; ++i) {
        QTcpSocket s;
        ASSERT_TRUE(connectTo(s, service.port())) << i;
        s.abort();
    }
    EXPECT_EQ(get(service.port(), path("/api/state")).status, 200);
    ClassroomServer* server = service.server();
    EXPECT_TRUE(processUntil([server] {
        int n = -1;
        QMetaObject::invokeMethod(
            server, [&] { n = server->openConnections(); }, Qt::BlockingQueuedConnection);
        return n == 0;
    })) << "every one of them ended";
}

// A lesson's page reloads and Wi-Fi reconnects: more live pages than the
// limit, opened and closed in turn, never use the places up.
TEST_F(ClassroomServerTest, ThreeHundredLivePagesInTurnLeaveThePlacesFree) {
    const auto open = [this] { return openConnections(); };
    for (int i = 0; i < 300; ++i) {
        LiveClient page(liveUrl(service.code()));
        ASSERT_TRUE(page.waitConnected()) << "page " << i;
        ASSERT_TRUE(processUntil([&] { return !page.messages.empty(); })) << "page " << i;
        page.socket().close();
        ASSERT_TRUE(page.waitClosed()) << "page " << i;
    }
    EXPECT_TRUE(processUntil([&] { return open() == 0; })) << open() << " still counted";
    EXPECT_EQ(get(service.port(), path("/")).status, 200);
    LiveClient last(liveUrl(service.code()));
    EXPECT_TRUE(last.waitConnected());
}

TEST_F(ClassroomServerTest, OneAddressHoldsAtMostItsShareOfThePlaces) {
    constexpr int PerAddress = ConnectionLimits{}.maxPerAddress;
    EXPECT_EQ(PerAddress, 192);
    const QHostAddress script(QStringLiteral("127.0.0.5"));
    std::vector<std::unique_ptr<QTcpSocket>> held;
    for (int i = 0; i < PerAddress; ++i) {
        held.push_back(std::make_unique<QTcpSocket>());
        ASSERT_TRUE(connectTo(*held.back(), service.port(), script)) << i;
    }
    const auto open = [this] { return openConnections(); };
    ASSERT_TRUE(processUntil([&] { return open() == PerAddress; }));
    QTcpSocket oneMore;
    ASSERT_TRUE(connectTo(oneMore, service.port(), script));
    oneMore.write("GET " + path("/") + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    EXPECT_EQ(readReply(oneMore).status, 503) << "that address has its share";
    // The rest of the class is served.
    QTcpSocket pupil;
    ASSERT_TRUE(connectTo(pupil, service.port(), QHostAddress(QStringLiteral("127.0.0.6"))));
    pupil.write("GET " + path("/") + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    EXPECT_EQ(readReply(pupil).status, 200);
}

TEST_F(ClassroomServerTest, HeadIsAnsweredWhereGetIs) {
    for (const char* route : {"/", "/api/state", "/style.css", "/diagram/st.svg"}) {
        const HttpReply full = get(service.port(), path(route));
        const HttpReply head = get(service.port(), path(route), "HEAD");
        EXPECT_EQ(head.status, 200) << route;
        EXPECT_TRUE(head.body.isEmpty()) << route;
        EXPECT_EQ(head.header("Content-Length"), QByteArray::number(full.body.size())) << route;
        EXPECT_EQ(head.header("Content-Type"), full.header("Content-Type")) << route;
    }
    EXPECT_EQ(get(service.port(), "/", "HEAD").status, 403) << "the code holds for HEAD too";
    EXPECT_EQ(get(service.port(), path("/api/state"), "POST").status, 405);
}

TEST_F(ClassroomServerTest, HalfAWebSocketRequestGets400) {
    const HttpReply reply =
        request(service.port(), "GET " + path("/api/live") +
                                    " HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\n"
                                    "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                                    "Sec-WebSocket-Version: 13\r\n\r\n");
    EXPECT_EQ(reply.status, 400);
    EXPECT_TRUE(reply.closed);
    EXPECT_EQ(reply.body, "Die Anfrage ist fehlerhaft.\n");
}

// An Upgrade header that names websocket among other protocols is no
// upgrade to Qt: it is answered 400 at once, never left waiting with its
// idle timer off. 40 of them, more than one address's places, all answered.
TEST_F(ClassroomServerTest, AnUpgradeToWebsocketAmongOthersIsAnswered400) {
    for (int i = 0; i < 40; ++i) {
        const HttpReply reply =
            request(service.port(), upgradeRequest(path("/api/live"), "websocket, x-other"));
        ASSERT_EQ(reply.status, 400) << i;
        EXPECT_TRUE(reply.closed) << i;
    }
    EXPECT_TRUE(processUntil([&] { return openConnections() == 0; }));
    EXPECT_EQ(get(service.port(), path("/")).status, 200) << "the address still has its places";
}

// A class of 32 devices behind one NAT: the 28th device's page loads with
// its parallel requests while 27 live pages hold their places; the 33rd
// live page of that address is answered 503, another address's is served.
TEST_F(ClassroomServerTest, AClassOf32DevicesBehindOneAddressFits) {
    std::vector<std::unique_ptr<LiveClient>> pages;
    const auto openPage = [&] {
        pages.push_back(std::make_unique<LiveClient>(liveUrl(service.code())));
        return pages.back()->waitConnected();
    };
    for (int device = 1; device <= 27; ++device)
        ASSERT_TRUE(openPage()) << device;
    ASSERT_TRUE(processUntil([&] { return liveClients() == 27; }));
    // The 28th loads its page, script, style, state and both diagrams at once.
    std::vector<std::unique_ptr<QTcpSocket>> loads;
    for (const char* route :
         {"/", "/app.js", "/style.css", "/api/state", "/diagram/st.svg", "/diagram/vt.svg"}) {
        loads.push_back(std::make_unique<QTcpSocket>());
        ASSERT_TRUE(connectTo(*loads.back(), service.port()));
        loads.back()->write("GET " + path(route) + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    }
    for (auto& load : loads)
        EXPECT_NE(readReply(*load).status, 503);
    for (int device = 28; device <= 32; ++device)
        ASSERT_TRUE(openPage()) << device;
    ASSERT_TRUE(processUntil([&] { return liveClients() == 32; }));
    const HttpReply refused = request(service.port(), upgradeRequest(path("/api/live")));
    EXPECT_EQ(refused.status, 503) << "that address has a live page per device";
    EXPECT_EQ(liveClients(), 32);
    QTcpSocket other;
    ASSERT_TRUE(connectTo(other, service.port(), QHostAddress(QStringLiteral("127.0.0.9"))));
    other.write(upgradeRequest(path("/api/live")));
    EXPECT_EQ(readReply(other).status, 101) << "another address is served";
}

// A phone that vanishes (no pong to the server's pings) frees its live
// page's place; a page that answers stays, however long it is quiet.
TEST_F(ClassroomServerTest, ALivePageThatVanishedFreesItsPlace) {
    EXPECT_EQ(ConnectionLimits{}.pingIntervalMs, 10'000);
    EXPECT_EQ(ConnectionLimits{}.pongTimeoutMs, 30'000);
    service.stop();
    options.limits.pingIntervalMs = 20;
    options.limits.pongTimeoutMs = 200;
    ASSERT_TRUE(startView());
    LiveClient answering(liveUrl(service.code()));
    ASSERT_TRUE(answering.waitConnected());
    QTcpSocket vanished; // the handshake, then silence: no pong ever
    ASSERT_TRUE(upgradeByHand(vanished, service.port(), service.code()));
    ASSERT_TRUE(processUntil([&] { return liveClients() == 2; }));
    QElapsedTimer since;
    since.start();
    EXPECT_TRUE(processUntil([&] { return liveClients() == 1; }, 60000));
    EXPECT_GE(since.elapsed(), 150) << "not before the timeout";
    // The answering page, there longer than the vanished one, stays.
    EXPECT_FALSE(answering.closed());
    EXPECT_EQ(liveClients(), 1);
}

// A client that sends request after request on one connection and reads no
// answer is dropped at the same bound as a live page that stops reading.
TEST_F(ClassroomServerTest, AnHttpClientThatNeverReadsIsDropped) {
    const auto open = [this] { return openConnections(); };
    service.publish(threeSeries()); // diagrams of some size
    QTcpSocket reader;
    reader.setReadBufferSize(4096);
    ASSERT_TRUE(connectTo(reader, service.port()));
    reader.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, 4096);
    ASSERT_TRUE(processUntil([&] { return open() == 1; }));
    const QByteArray one = "GET " + path("/diagram/vt.svg") + " HTTP/1.1\r\nHost: x\r\n\r\n";
    const qint64 answer = get(service.port(), path("/diagram/vt.svg")).body.size();
    // Requests within one request head's bound whose answers are more than
    // the queue's bound: only the queue's bound can end this connection.
    const int requests = int(ConnectionLimits{}.maxHeadBytes / one.size());
    ASSERT_GT(requests * answer, 3 * ClassroomService::Options{}.maxQueuedBytes / 2)
        << requests << " answers of " << answer << " bytes";
    reader.write(one.repeated(requests));
    EXPECT_TRUE(processUntil([&] { return open() == 0; }, 10000))
        << "the connection was dropped; " << requests << " requests of " << answer << " bytes";
    EXPECT_EQ(get(service.port(), path("/")).status, 200);
}

// A page that sends pings and never reads would make Qt queue the pongs:
// dropped at the same bound.
TEST_F(ClassroomServerTest, ALivePageThatPingsAndNeverReadsIsDropped) {
    QTcpSocket pinger;
    ASSERT_TRUE(upgradeByHand(pinger, service.port(), service.code()));
    ASSERT_TRUE(processUntil([&] { return service.devices() == 1; }));
    // A masked ping with 125 bytes: its pong is 127 bytes.
    QByteArray ping("\x89\xFD\x01\x02\x03\x04", 6);
    for (int i = 0; i < 125; ++i)
        ping += char('p' ^ "\x01\x02\x03\x04"[i % 4]);
    const qint64 pings = 3 * ClassroomService::Options{}.maxQueuedBytes / 127;
    for (qint64 i = 0; i < pings && service.devices() == 1; i += 200) {
        pinger.write(ping.repeated(200));
        processUntil([&] { return pinger.bytesToWrite() == 0 || service.devices() == 0; }, 2000);
    }
    EXPECT_TRUE(processUntil([&] { return service.devices() == 0; })) << "dropped";
    LiveClient again(liveUrl(service.code()));
    EXPECT_TRUE(again.waitConnected());
}

// A blocked address is told how long it waits; after the block ten more
// guesses may follow at once: ten guesses a minute, as README reckons.
TEST_F(ClassroomServerTest, ABlockedAddressIsToldWhenToComeAgain) {
    auto now = std::make_shared<std::atomic<std::int64_t>>(1'000'000);
    service.stop();
    options.clock = [now] { return now->load(); };
    ASSERT_TRUE(startView());
    const auto guessTenTimes = [&] {
        for (int i = 0; i < 10; ++i)
            get(service.port(), "/?code=" + QByteArray::number(100000 + i));
    };
    if (service.code().startsWith("1000")) GTEST_SKIP() << "the code is one of the guesses";
    guessTenTimes();
    *now += 58'000;
    const HttpReply blocked = get(service.port(), path("/api/state"));
    EXPECT_EQ(blocked.status, 429);
    EXPECT_EQ(blocked.header("Retry-After"), "2");
    *now += 2'000;
    EXPECT_EQ(get(service.port(), path("/api/state")).status, 200);
    guessTenTimes();
    EXPECT_EQ(get(service.port(), path("/api/state")).status, 429) << "ten more, then a minute";
    EXPECT_EQ(get(service.port(), path("/api/state")).header("Retry-After"), "60");
}

// A device count the previous server sent as it went is not shown by the
// view switched on again.
TEST_F(ClassroomServerTest, ARestartedViewCountsItsOwnDevicesOnly) {
    QTcpSocket page;
    page.connectToHost(QHostAddress::LocalHost, service.port());
    ASSERT_TRUE(page.waitForConnected(60000));
    page.write("GET " + path("/api/live") +
               " HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
               "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
    ASSERT_TRUE(page.waitForBytesWritten(60000));
    // Waited for on the server's thread: this thread runs no event meanwhile,
    // so the server's "one device" is still on its way here.
    ClassroomServer* server = service.server();
    QDeadlineTimer deadline(60000);
    int live = 0;
    while (live == 0 && !deadline.hasExpired())
        QMetaObject::invokeMethod(
            server, [&] { live = server->liveClients(); }, Qt::BlockingQueuedConnection);
    ASSERT_EQ(live, 1);
    service.stop();
    QList<int> shown;
    const auto watching = QObject::connect(&service, &ClassroomService::devicesChanged,
                                           [&](int devices) { shown << devices; });
    ASSERT_TRUE(startView());
    deliverPostedEvents();
    QObject::disconnect(watching);
    EXPECT_EQ(service.devices(), 0);
    EXPECT_EQ(shown, QList<int>{0}) << "the window never shows the old server's count";
}

// The v-t diagram in single-list mode reads the last run's times: a change
// of those alone is a new picture, not the one drawn before.
TEST_F(ClassroomServerTest, TheDiagramsFollowEverythingTheyAreDrawnFrom) {
    ClassroomSnapshot s = threeSeries();
    s.store.OutputMode = 0;
    s.seriesCount = 1;
    for (int k = 0; k < BarrierCount; ++k) {
        s.store.RunTimes[0][k] = s.store.SeriesDarkTimes[0][k];
        s.store.RunTimes[1][k] = s.store.SeriesBrightTimes[0][k];
    }
    service.publish(s);
    ASSERT_TRUE(
        processUntil([&] { return get(service.port(), path("/api/state")).status == 200; }));
    const QByteArray before = get(service.port(), path("/diagram/vt.svg")).body;
    s.store.RunTimes[0][9] *= 1.5; // a longer last run: another time axis
    s.store.RunTimes[1][9] *= 1.5;
    service.publish(s);
    EXPECT_TRUE(processUntil(
        [&] { return get(service.port(), path("/diagram/vt.svg")).body != before; }, 10000))
        << "the picture follows the last run's times";
}
