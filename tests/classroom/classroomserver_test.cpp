// The classroom view's server through real connections on loopback: what
// it serves, what it refuses, what it pushes, and that switching it off ends
// every connection.
#include "app/language.h"
#include "classroom/classroomserver.h"
#include "classroom/classroomservice.h"
#include "tests/classroom/classroom_client.h"
#include "tests/classroom/classroom_fixture.h"

#include <QJsonArray>
#include <QScopeGuard>
#include <gtest/gtest.h>
#include <utility>

using namespace kelmot;
using namespace kelmot::test;

namespace {

class ClassroomServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(startView()); }

    bool startView() {
        ClassroomService::Options o = options;
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

    ClassroomService::Options options;
    ClassroomService service;
};

} // namespace

TEST_F(ClassroomServerTest, ServesThePageItsFilesTheStateAndTheDiagrams) {
    service.publish(threeSeries());
    const HttpReply page = get(service.port(), path("/"));
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.header("Content-Type"), "text/html; charset=utf-8");
    EXPECT_TRUE(page.header("Content-Security-Policy").startsWith("default-src 'none'"));
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
    EXPECT_EQ(get(service.port(), path("/"), "HEAD").status, 405);
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
    ASSERT_TRUE(startView());
    EXPECT_NE(service.code(), old);
    EXPECT_EQ(service.port(), oldPort) << "the same port once it was free again";
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
