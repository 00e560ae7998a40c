// SPDX-License-Identifier: GPL-3.0-or-later
// The classroom view in the whole program: a simulated run followed by a
// live client, the QR code read by zbarimg, and the page in headless
// Chromium (selenium), with its downloads.
#include "acquisition/tabellemess_u.h"
#include "app/kelmot_u.h"
#include "app/language.h"
#include "app/startoptions.h"
#include "classroom/classroomserver.h"
#include "classroom/classroomservice.h"
#include "classroom/classroomwindow.h"
#include "evaluation/tabelle_u.h"
#include "experiments/falldiagramview.h"
#include "experiments/fallwindow.h"
#include "experiments/pendulumdiagramview.h"
#include "experiments/pendulumwindow.h"
#include "experiments/pulleywindow.h"
#include "platform/paced_wavein.h"
#include "platform/simulatedfence.h"
#include "platform/simulatedpendulum.h"
#include "platform/simulatedpulley.h"
#include "platform/simulatedtrack.h"
#include "settings/config_u.h"
#include "tests/acquisition/detection_fixture.h"
#include "tests/app/gui_fixture.h"
#include "tests/classroom/classroom_client.h"

#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QWebSocket>
#include <atomic>
#include <cstdio>
#include <set>
#include <utility>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

class ClassroomProgram : public ProgramFixture {
protected:
    void startWithTrack() {
        TrackParameters p;
        p.noise = 0;
        start(SimulatedMixerApi::demonstrationDevices(),
              std::make_shared<PacedBackend>(
                  "Simulation",
                  [p](int rate, std::string&) { return std::make_unique<SimulatedTrack>(p, rate); },
                  20.0, "virtuelle Fahrbahn", PacedBackend::Pacing::Lossless));
    }
    // The view on loopback, as "Klassenansicht" switches it on elsewhere.
    void switchOnLocally(quint16 firstPort = ClassroomService::FirstPort,
                         quint16 lastPort = ClassroomService::LastPort,
                         const QString& language = QStringLiteral("de")) {
        ClassroomService::Options o;
        // The devices of a class, here all from loopback: each its own address in a classroom.
        o.limits.maxPerAddress = o.limits.maxConnections;
        o.limits.maxLivePagesPerAddress = o.limits.maxConnections;
        o.clock = [clock = clock_] { return clock->load(); };
        o.firstPort = firstPort;
        o.lastPort = lastPort;
        o.address = QHostAddress(QHostAddress::LocalHost);
        ASSERT_TRUE(Classroom->start(classroomTexts(language), o));
    }
    // The guessing limit's clock, moved on by the tests.
    std::shared_ptr<std::atomic<std::int64_t>> clock_ =
        std::make_shared<std::atomic<std::int64_t>>(1'000'000);
    QString liveUrl() const {
        return QStringLiteral("ws://127.0.0.1:%1/api/live?code=%2")
            .arg(Classroom->port())
            .arg(Classroom->code());
    }
};

// The live table as the page builds it: a state message replaces it, a row
// message adds its row. A row that arrives twice fails the test.
std::vector<QJsonObject> liveTableOf(const std::vector<QJsonObject>& messages,
                                     int* rowMessages = nullptr) {
    std::vector<QJsonObject> rows;
    for (const QJsonObject& m : messages) {
        if (m["type"].toString() == "state") {
            rows.clear();
            for (const QJsonValue r : m["live"].toObject()["rows"].toArray())
                rows.push_back(r.toObject());
        }
        if (m["type"].toString() == "row") {
            const int barrier = m["row"].toObject()["barrier"].toInt();
            for (const QJsonObject& r : rows)
                EXPECT_NE(r["barrier"].toInt(), barrier) << "row " << barrier << " twice";
            rows.push_back(m["row"].toObject());
            if (rowMessages) ++*rowMessages;
        }
    }
    return rows;
}

// What the page shows of the series: the latest state message's (a status
// message that follows it, when the capture has closed, changes only the
// status line).
QJsonObject latestState(const std::vector<QJsonObject>& messages) {
    for (auto m = messages.rbegin(); m != messages.rend(); ++m)
        if ((*m)["type"].toString() == "state") return *m;
    return {};
}

// How many rows the experiment `key` showed in the state messages where
// its window was open: one more with each event that reached the page.
std::set<int> experimentRowCounts(const std::vector<QJsonObject>& messages, const char* key) {
    std::set<int> counts;
    for (const QJsonObject& m : messages)
        if (const QJsonObject e = m[key].toObject();
            m["type"].toString() == "state" && e["shown"].toBool())
            counts.insert(int(e["table"].toObject()["rows"].toArray().size()));
    return counts;
}

// The status line the page shows: from the latest message that carries one.
QJsonObject latestStatus(const std::vector<QJsonObject>& messages) {
    for (auto m = messages.rbegin(); m != messages.rend(); ++m)
        if (m->contains("status")) return (*m)["status"].toObject();
    return {};
}

} // namespace

TEST_F(ClassroomProgram, TheViewIsOffAtStartAndOnFromTheCommand) {
    startWithTrack();
    EXPECT_FALSE(Classroom->running());
    EXPECT_FALSE(classroomWindow()->isVisible());
    Form1->Klassenansicht1->trigger();
    ASSERT_TRUE(Classroom->running()) << classroomWindow()->L_fehler->text().toStdString();
    EXPECT_TRUE(classroomWindow()->isVisible());
    EXPECT_GE(Classroom->port(), 8080);
    EXPECT_LE(Classroom->port(), 8180);
    ASSERT_FALSE(Classroom->addresses().isEmpty());
    for (const QString& a : Classroom->addresses())
        EXPECT_TRUE(a.startsWith("http://") && a.endsWith(":" + QString::number(Classroom->port()) +
                                                          "/?code=" + Classroom->code()))
            << a.toStdString();
    EXPECT_EQ(classroomWindow()->L_code->text(),
              Classroom->code().left(3) + ' ' + Classroom->code().mid(3));
    EXPECT_EQ(classroomWindow()->L_geraete->text(), "Verbundene Geräte: 0");
    // The same window and code when the command comes again.
    const QString code = Classroom->code();
    Form1->Klassenansicht1Click();
    EXPECT_EQ(Classroom->code(), code);
    classroomWindow()->B_beenden->click();
    EXPECT_FALSE(Classroom->running());
    EXPECT_FALSE(classroomWindow()->isVisible());
    Form1->Klassenansicht1Click();
    EXPECT_NE(Classroom->code(), code) << "a new code each time it is switched on";
}

TEST_F(ClassroomProgram, ALiveClientFollowsARunAsTheWindowShowsIt) {
    startWithTrack();
    switchOnLocally();
    Form1->Messenvt1Click();
    LiveClient page(liveUrl());
    ASSERT_TRUE(page.waitConnected());
    ASSERT_TRUE(processUntil([] { return Classroom->devices() == 1; }));
    EXPECT_EQ(classroomWindow()->L_geraete->text(), "Verbundene Geräte: 1");
    Form2->B_mess->click();
    ASSERT_TRUE(processUntil([] { return Store.DataPresent; }, 120000));
    // The stored run reaches the page as a state with its series.
    ASSERT_TRUE(
        processUntil([&] { return latestState(page.messages)["series"].toArray().size() == 1; }));
    EXPECT_EQ(Form2->AudioIn->LostFrames(), 0u);
    int pushed = 0;
    const std::vector<QJsonObject> rows = liveTableOf(page.messages, &pushed);
    ASSERT_EQ(rows.size(), 10u);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(rows[std::size_t(k)]["barrier"].toInt(), k);
        EXPECT_EQ(rows[std::size_t(k)]["dark"].toString(), Form2->cellText(1, k + 1).trimmed());
        EXPECT_EQ(rows[std::size_t(k)]["bright"].toString(), Form2->cellText(2, k + 1).trimmed());
    }
    // Live: rows came one by one as the barriers were passed (the last may
    // come with the stored series, in the same buffer).
    EXPECT_GE(pushed, 9);
    EXPECT_EQ(latestStatus(page.messages)["text"].toString(), "Messung beendet");
    EXPECT_EQ(latestState(page.messages)["series"][0]["name"].toString(), "Messung 1");
    // A relationship chosen in the table reaches the page at once.
    Form1->Auswertenst1Click();
    Form6->RB2->setChecked(true);
    EXPECT_TRUE(processUntil([&] {
        return latestState(page.messages)["series"][0]["stRelation"].toString() == "s ~ t²";
    }));
}

TEST_F(ClassroomProgram, TheQrCodeReadsAsTheFirstAddress) {
    const QString zbarimg = QStandardPaths::findExecutable("zbarimg");
    if (zbarimg.isEmpty()) {
        if (std::getenv("KELMOT_REQUIRE_SOUND")) FAIL() << "zbarimg missing (zbar-tools)";
        GTEST_SKIP() << "zbarimg missing (zbar-tools)";
    }
    startWithTrack();
    Form1->Klassenansicht1Click();
    ASSERT_TRUE(Classroom->running());
    const QString file = dir_.filePath("qr.png");
    ASSERT_TRUE(classroomWindow()->L_qr->pixmap().save(file));
    QProcess reader;
    reader.start(zbarimg, {"--raw", "-q", file});
    ASSERT_TRUE(reader.waitForFinished(60000));
    EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(reader.readAllStandardOutput()).trimmed(),
              Classroom->addresses().front());
}

// The page as a pupil's browser shows it: headless Chromium opens the
// address, follows the run, shows both diagrams and the evaluated series,
// downloads the three files, and shows a series named like markup as text.
TEST_F(ClassroomProgram, APupilsBrowserShowsTheRunTheDiagramsAndTheDownloads) {
    const bool have = QFile::exists("/usr/bin/chromium") &&
                      QFile::exists("/usr/bin/chromedriver") &&
                      QProcess::execute("/usr/bin/python3", {"-c", "import selenium, xlrd"}) == 0;
    if (!have) {
        if (std::getenv("KELMOT_REQUIRE_SOUND"))
            FAIL() << "chromium, chromium-driver, python3-selenium and python3-xlrd are needed";
        GTEST_SKIP() << "no chromium, chromium-driver, python3-selenium or python3-xlrd";
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // as on a German desktop
    startWithTrack();
    Form1->Messenvt1Click();
    switchOnLocally();
    const QString url = QStringLiteral("http://127.0.0.1:%1/?code=%2")
                            .arg(Classroom->port())
                            .arg(Classroom->code());
    QProcess browser;
    browser.setProcessChannelMode(QProcess::MergedChannels);
    QByteArray output;
    QObject::connect(&browser, &QProcess::readyRead, [&] { output += browser.readAll(); });
    browser.start("/usr/bin/python3", {KELMOT_SOURCE_DIR "/tests/classroom/browser_check.py", url,
                                       dir_.filePath("downloads")});
    const auto said = [&](const char* line) {
        return processUntil(
            [&] { return output.contains(line) || browser.state() == QProcess::NotRunning; },
            240000);
    };
    ASSERT_TRUE(said("READY\n")) << output.toStdString();
    if (browser.state() != QProcess::NotRunning) {
        Form2->B_mess->click();
        ASSERT_TRUE(processUntil([] { return Store.DataPresent; }, 120000));
    }
    ASSERT_TRUE(said("RUN-SEEN\n")) << output.toStdString();
    Store.SeriesName[0] = QStringLiteral("<img src=x onerror=\"document.title='pwned'\">");
    ASSERT_TRUE(said("PULLEY\n")) << output.toStdString();
    Form1->Messenrad1Click();
    ASSERT_TRUE(said("DROP\n")) << output.toStdString();
    // As a Wi-Fi that drops out: the server's side of every page ends.
    ClassroomServer* server = Classroom->server();
    const auto dropEveryPage = [server] {
        QMetaObject::invokeMethod(
            server,
            [server] {
                for (QWebSocket* page : server->findChildren<QWebSocket*>())
                    page->abort();
            },
            Qt::BlockingQueuedConnection);
    };
    dropEveryPage();
    // Someone behind the same router typed the code wrong ten times: the
    // page waits as it is told and comes back, it does not give up.
    ASSERT_TRUE(said("BLOCK\n")) << output.toStdString();
    for (int i = 0; i < 10; ++i)
        get(Classroom->port(), "/?code=" + QByteArray::number(100000 + i));
    *clock_ += 57'000; // three seconds of the block left
    dropEveryPage();
    ASSERT_TRUE(said("BLOCK-SEEN\n")) << output.toStdString();
    *clock_ += 4'000; // the block is over when the page tries again
    ASSERT_TRUE(said("STOP\n")) << output.toStdString();
    const quint16 port = Classroom->port();
    Classroom->stop();
    ASSERT_TRUE(said("LOST-SEEN\n")) << output.toStdString();
    switchOnLocally(port, port); // where the page looks for it
    ASSERT_TRUE(processUntil([&] { return browser.state() == QProcess::NotRunning; }, 240000))
        << output.toStdString();
    EXPECT_EQ(browser.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(" passed, 0 failed")) << output.toStdString();
    // The diagrams' text heights the browser showed, for the record.
    for (const QByteArray& line : output.split('\n'))
        if (line.contains("CSS pixels high")) std::printf("%s\n", line.constData());
}

// A school hall: a hundred devices follow a run, ten of them old phones that
// have stopped reading. The run loses nothing, ends with ten events, and
// every other device has every row once, in order.
TEST_F(ClassroomProgram, AHundredDevicesTenOfThemSlowFollowARun) {
    startWithTrack();
    switchOnLocally();
    Form1->Messenvt1Click();
    std::vector<std::unique_ptr<LiveClient>> fast;
    for (int i = 0; i < 90; ++i) {
        fast.push_back(std::make_unique<LiveClient>(liveUrl()));
        ASSERT_TRUE(fast.back()->waitConnected()) << i;
    }
    std::vector<std::unique_ptr<QTcpSocket>> slow;
    for (int i = 0; i < 10; ++i) {
        slow.push_back(std::make_unique<QTcpSocket>());
        QTcpSocket& s = *slow.back();
        s.setReadBufferSize(1024);
        ASSERT_TRUE(connectTo(s, Classroom->port()));
        s.write("GET /api/live?code=" + Classroom->code().toLatin1() +
                " HTTP/1.1\r\nHost: x\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
    }
    ASSERT_TRUE(processUntil([] { return Classroom->devices() == 100; }));
    Form2->B_mess->click();
    ASSERT_TRUE(processUntil([] { return Store.DataPresent; }, 120000));
    EXPECT_EQ(Form2->Detection.EventCount, 10);
    EXPECT_EQ(Form2->AudioIn->LostFrames(), 0u);
    for (std::size_t i = 0; i < fast.size(); ++i) {
        LiveClient& page = *fast[i];
        ASSERT_TRUE(processUntil([&] {
            return latestState(page.messages)["series"].toArray().size() == 1;
        })) << i;
        const std::vector<QJsonObject> rows = liveTableOf(page.messages);
        ASSERT_EQ(rows.size(), 10u) << i;
        for (int k = 0; k < 10; ++k)
            EXPECT_EQ(rows[std::size_t(k)]["dark"].toString(), Form2->cellText(1, k + 1).trimmed())
                << "device " << i << ", barrier " << k;
    }
}

// Every run kept today, beside the series: one CSV download for the class.
// A drop of the picket fence on the page as it falls: the fall's table band
// by band in state messages, then its result and both diagrams, drawn with
// the fits; the page shows no fall once its window is closed.
TEST_F(ClassroomProgram, ALiveClientFollowsADrop) {
    mixer = std::make_shared<SimulatedMixerApi>(SimulatedMixerApi::demonstrationDevices());
    createWindows(StartOptions{}, mixer, manual,
                  std::make_shared<PacedBackend>("Simulation", demonstrationDrops(), 20.0,
                                                 "virtueller Lattenzaun",
                                                 PacedBackend::Pacing::Lossless));
    switchOnLocally();
    LiveClient page(liveUrl());
    ASSERT_TRUE(page.waitConnected());
    ASSERT_TRUE(page.waitFor(1));
    EXPECT_FALSE(latestState(page.messages)["fall"].toObject()["shown"].toBool());
    Form1->Messenfall1Click();
    fallWindow()->B_mess->click();
    ASSERT_TRUE(processUntil([] { return !fallWindow()->drops().empty(); }, 60000));
    ASSERT_TRUE(processUntil([&] {
        const QJsonObject shown = latestState(page.messages)["fall"].toObject();
        return shown["result"].toString().contains("g = (") &&
               shown["status"]["text"].toString() == "Messung beendet";
    }));
    // Every band reached the page before the drop's end: one row more each time.
    const std::set<int> rowCounts = experimentRowCounts(page.messages, "fall");
    EXPECT_EQ(rowCounts, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    const QJsonObject fall = latestState(page.messages)["fall"].toObject();
    EXPECT_EQ(fall["status"]["text"].toString(), "Messung beendet");
    EXPECT_EQ(fall["table"]["rows"][7][2].toString(), fallWindow()->cellText(2, 7));
    EXPECT_TRUE(fall["diagrams"]["st"]["description"].toString().startsWith(
        "s-t-Diagramm des Falls mit 8 Latten. Parabel: g = ("));
    const QByteArray code = "?code=" + Classroom->code().toLatin1();
    for (const char* which : {"st", "vt"}) {
        const HttpReply svg =
            get(Classroom->port(), QByteArray("/diagram/fall-") + which + ".svg" + code);
        ASSERT_EQ(svg.status, 200) << which;
        EXPECT_TRUE(svg.body.contains("<title>") && svg.body.contains("des Falls mit 8 Latten"))
            << which;
        EXPECT_TRUE(
            svg.body.contains(which == std::string("st") ? "Parabel: g = (" : "Gerade: g = ("))
            << which;
    }
    // Drawn for the width the page shows it at: its texts stay 12 pixels high.
    const HttpReply narrow = get(Classroom->port(), "/diagram/fall-vt.svg" + code + "&w=359");
    ASSERT_EQ(narrow.status, 200);
    EXPECT_TRUE(narrow.body.contains("viewBox=\"0 0 320 240\"")) << "cut down to 40s, 240 high";
    const QRegularExpression fontSize(QStringLiteral("font-size=\"([0-9.]+)\""));
    int sizes = 0;
    for (const auto& m : fontSize.globalMatch(QString::fromUtf8(narrow.body))) {
        EXPECT_EQ(m.captured(1), "12");
        ++sizes;
    }
    EXPECT_GT(sizes, 10);
    fallWindow()->hide();
    ASSERT_TRUE(processUntil(
        [&] { return !latestState(page.messages)["fall"].toObject()["shown"].toBool(); }));
}

// A swing of the pendulum on the page: passage by passage in state
// messages, then T, g and τ, and both diagrams with their fits.
TEST_F(ClassroomProgram, ALiveClientFollowsASwing) {
    mixer = std::make_shared<SimulatedMixerApi>(SimulatedMixerApi::demonstrationDevices());
    createWindows(StartOptions{}, mixer, manual, nullptr,
                  std::make_shared<PacedBackend>(
                      "Simulation", demonstrationSwings([] { return PendulumParameters{}; }), 50.0,
                      "virtuelles Pendel", PacedBackend::Pacing::Lossless));
    switchOnLocally();
    LiveClient page(liveUrl());
    ASSERT_TRUE(page.waitConnected());
    ASSERT_TRUE(page.waitFor(1));
    EXPECT_FALSE(latestState(page.messages)["pendulum"].toObject()["shown"].toBool());
    Form1->Messenpendel1Click();
    pendulumWindow()->SB_perioden->setValue(3);
    pendulumWindow()->B_mess->click();
    ASSERT_TRUE(processUntil([] { return !pendulumWindow()->swings().empty(); }, 60000));
    // The result and the status line reach the page in messages of their own.
    ASSERT_TRUE(processUntil([&] {
        const QJsonObject shown = latestState(page.messages)["pendulum"].toObject();
        return shown["result"].toString().contains("τ = (") &&
               shown["status"]["text"].toString() == "Messung beendet";
    }));
    const std::set<int> rowCounts = experimentRowCounts(page.messages, "pendulum");
    EXPECT_EQ(rowCounts, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    const QJsonObject pendulum = latestState(page.messages)["pendulum"].toObject();
    EXPECT_EQ(pendulum["status"]["text"].toString(), "Messung beendet");
    EXPECT_EQ(pendulum["table"]["rows"][6][4].toString(), pendulumWindow()->cellText(4, 6));
    EXPECT_EQ(pendulum["result"].toString(), pendulumWindow()->L_ergebnis->text());
    EXPECT_EQ(pendulum["diagrams"]["speed"]["description"].toString(),
              pendulumWindow()->PB_v->accessibleDescription());
    const QByteArray code = "?code=" + Classroom->code().toLatin1();
    for (const char* which : {"period", "speed"}) {
        const HttpReply svg =
            get(Classroom->port(), QByteArray("/diagram/pendulum-") + which + ".svg" + code);
        ASSERT_EQ(svg.status, 200) << which;
        EXPECT_TRUE(svg.body.contains("<title>") && svg.body.contains("des Pendels")) << which;
    }
    EXPECT_TRUE(get(Classroom->port(), "/diagram/pendulum-speed.svg" + code)
                    .body.contains(QString("τ = (").toUtf8()));
    EXPECT_FALSE(latestState(page.messages)["fall"].toObject()["shown"].toBool());
}

// A turn of the spoked pulley on the page, in its own section after the
// fall's and the pendulum's: spoke by spoke, then a, and both diagrams
// under the pulley's own paths, drawn as its window draws them.
TEST_F(ClassroomProgram, ALiveClientFollowsATurnOfThePulley) {
    mixer = std::make_shared<SimulatedMixerApi>(SimulatedMixerApi::demonstrationDevices());
    createWindows(StartOptions{}, mixer, manual, nullptr, nullptr,
                  std::make_shared<PacedBackend>(
                      "Simulation",
                      demonstrationTurns([] { return simulatedPulleyOf(pulleyWindow()->setup()); }),
                      50.0, "virtuelles Speichenrad", PacedBackend::Pacing::Lossless));
    switchOnLocally();
    LiveClient page(liveUrl());
    ASSERT_TRUE(page.waitConnected());
    ASSERT_TRUE(page.waitFor(1));
    EXPECT_FALSE(latestState(page.messages)["pulley"].toObject()["shown"].toBool());
    Form1->Messenrad1Click();
    pulleyWindow()->SB_umdrehungen->setValue(1);
    pulleyWindow()->B_mess->click();
    ASSERT_TRUE(processUntil([] { return pulleyWindow()->turnsMeasured() == 1; }, 60000));
    ASSERT_TRUE(processUntil([&] {
        const QJsonObject shown = latestState(page.messages)["pulley"].toObject();
        return shown["result"].toString().contains("a = (") &&
               shown["status"]["text"].toString() == "Messung beendet";
    }));
    const QJsonObject state = latestState(page.messages);
    const QJsonArray keys = state["experiments"].toArray();
    ASSERT_FALSE(keys.isEmpty());
    EXPECT_EQ(keys.last().toString(), "pulley") << "in the menu's order";
    const std::set<int> rowCounts = experimentRowCounts(page.messages, "pulley");
    EXPECT_GE(rowCounts.size(), 6u) << "the spokes reached the page one by one";
    const QJsonObject pulley = state["pulley"].toObject();
    EXPECT_EQ(pulley["heading"].toString(), pulleyWindow()->windowTitle().trimmed());
    EXPECT_EQ(pulley["status"]["text"].toString(), "Messung beendet");
    EXPECT_EQ(pulley["result"].toString(), pulleyWindow()->L_ergebnis->text());
    EXPECT_EQ(pulley["table"]["rows"].toArray().size(), pulleyWindow()->SG_tabelle->rowCount());
    EXPECT_EQ(pulley["diagrams"]["st"]["description"].toString(),
              pulleyWindow()->PB_st->accessibleDescription());
    const QByteArray code = "?code=" + Classroom->code().toLatin1();
    const HttpReply vt = get(Classroom->port(), "/diagram/pulley-vt.svg" + code);
    ASSERT_EQ(vt.status, 200);
    EXPECT_TRUE(
        vt.body.contains(pulleyWindow()->PB_vt->accessibleDescription().toHtmlEscaped().toUtf8()));
    // A diagram no window shows is none.
    EXPECT_EQ(get(Classroom->port(), "/diagram/pulley-xy.svg" + code).status, 404);
    EXPECT_EQ(get(Classroom->port(), "/diagram/fall-st.svg" + code).status, 404)
        << "the fall's window was never opened";
    pulleyWindow()->hide();
    ASSERT_TRUE(processUntil(
        [&] { return !latestState(page.messages)["pulley"].toObject()["shown"].toBool(); }));
    EXPECT_EQ(get(Classroom->port(), "/diagram/pulley-vt.svg" + code).status, 404);
}

TEST_F(ClassroomProgram, TodaysRunsAreOneCsvDownload) {
    startWithTrack();
    switchOnLocally();
    const QByteArray today = "/download/today.csv?code=" + Classroom->code().toLatin1();
    const QByteArray state = "/api/state?code=" + Classroom->code().toLatin1();
    EXPECT_EQ(get(Classroom->port(), today).status, 404) << "no run kept yet";
    Form1->Messenvt1Click();
    for (int run = 1; run <= 2; ++run) {
        Form2->B_mess->click();
        ASSERT_TRUE(processUntil([&] { return Store.MeasurementNumber == run; }, 120000));
        ASSERT_TRUE(processUntil([] { return !Form2->AudioIn->DeviceOpen(); }));
    }
    // The page hears of them with the state.
    ASSERT_TRUE(processUntil([&] {
        const HttpReply reply = get(Classroom->port(), state);
        const QJsonObject s = QJsonDocument::fromJson(reply.body).object();
        return s["todaysRuns"].toObject()["count"].toInt() == 2;
    }));
    const HttpReply csv = get(Classroom->port(), today);
    ASSERT_EQ(csv.status, 200);
    EXPECT_TRUE(csv.body.startsWith("\xEF\xBB\xBF")) << "UTF-8 with its mark, for spreadsheets";
    const QList<QByteArray> lines = csv.body.mid(3).split('\n');
    ASSERT_EQ(lines.size(), 1 + 2 * BarrierCount + 1); // the header, the rows, the last line end
    // The separators are the page's locale's (the fixture's is C: "," and ".").
    EXPECT_TRUE(lines[0].startsWith("Nr.,Datum,Uhrzeit,Name,Art,Ort (m)"))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(",Messung 1,v-t,0.0,")) << lines[1].toStdString();
    EXPECT_TRUE(lines[20].contains(",Messung 2,v-t,0.9,")) << lines[20].toStdString();
    EXPECT_EQ(get(Classroom->port(), "/download/today.csv").status, 403) << "only with the code";
}

namespace {

// Samples handed to the measurement window's capture by hand, a buffer at a
// time, each waited for: a run can stop halfway for as long as a test looks.
void deliverBuffers(ManualBackend& capture, const std::vector<std::int16_t>& samples) {
    for (std::size_t at = 0; at < samples.size(); at += SamplesPerBuffer) {
        const int before = Form2->AudioIn->BuffersReturned();
        ASSERT_TRUE(capture.deliver({samples.begin() + std::ptrdiff_t(at),
                                     samples.begin() + std::ptrdiff_t(at + SamplesPerBuffer)}));
        ASSERT_TRUE(processUntil([&] { return Form2->AudioIn->BuffersReturned() > before; }));
    }
}

void drainCapture(ManualBackend& capture) {
    for (int i = 0; i < 20 && Form2->captureOpen(); ++i) {
        const int before = Form2->AudioIn->BuffersReturned();
        capture.deliver(std::vector<std::int16_t>(SamplesPerBuffer, 0));
        processUntil(
            [&] { return !Form2->captureOpen() || Form2->AudioIn->BuffersReturned() > before; });
    }
    ASSERT_TRUE(processUntil([] { return !Form2->captureOpen(); }));
}

} // namespace

// axe-core, the engine of browsers' accessibility checks, finds nothing
// against WCAG 2.0/2.1 A and AA, nor a serious best-practice fault, on the
// page before, during and after a run, with both diagrams and with three
// series, on a phone and a projector, in German and in English.
TEST_F(ClassroomProgram, ThePagePassesAnAccessibilityChecker) {
    // Where scripts/install-deps.sh put it (the test script says so); a
    // build of the package from a clean copy has it only through that.
    const QString axe =
        qEnvironmentVariableIsSet("KELMOT_AXE_JS")
            ? qEnvironmentVariable("KELMOT_AXE_JS")
            : QStringLiteral(KELMOT_SOURCE_DIR "/.cache/axe-core/node_modules/axe-core/axe.min.js");
    const bool have = QFile::exists("/usr/bin/chromium") &&
                      QFile::exists("/usr/bin/chromedriver") && QFile::exists(axe) &&
                      QProcess::execute("/usr/bin/python3", {"-c", "import selenium"}) == 0;
    if (!have) {
        if (std::getenv("KELMOT_REQUIRE_SOUND") && qEnvironmentVariableIsSet("KELMOT_AXE_JS"))
            FAIL() << "chromium, chromium-driver, python3-selenium and axe-core "
                      "(scripts/install-deps.sh) are needed";
        GTEST_SKIP() << "no chromium, chromium-driver, python3-selenium or axe-core";
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    start();
    Form1->Messenvt1Click();
    switchOnLocally();
    QProcess checker;
    checker.setProcessChannelMode(QProcess::MergedChannels);
    QByteArray output;
    QObject::connect(&checker, &QProcess::readyRead, [&] { output += checker.readAll(); });
    checker.start("/usr/bin/python3", {KELMOT_SOURCE_DIR "/tests/classroom/axe_check.py", axe});
    const auto said = [&](const QByteArray& line) {
        return processUntil(
                   [&] { return output.contains(line) || checker.state() == QProcess::NotRunning; },
                   240000) &&
               output.contains(line);
    };
    const auto url = [] {
        return QStringLiteral("http://127.0.0.1:%1/?code=%2")
            .arg(Classroom->port())
            .arg(Classroom->code());
    };
    const auto check = [&](const QByteArray& label, int rows, int series) {
        for (const int width : {360, 1920}) {
            const QByteArray name = label + '-' + QByteArray::number(width);
            checker.write("CHECK " + name + ' ' + QByteArray::number(width) + ' ' +
                          QByteArray::number(rows) + ' ' + QByteArray::number(series) + '\n');
            EXPECT_TRUE(said("DONE " + name + '\n')) << output.toStdString();
        }
    };
    ASSERT_TRUE(said("READY\n")) << output.toStdString();
    checker.write(("OPEN " + url() + '\n').toUtf8());
    ASSERT_TRUE(said("OPENED\n")) << output.toStdString();
    check("before", 0, 0);

    // During a run: three barriers passed, and the run waits there.
    const auto run = fullRunSignal(100, 300);
    Form2->B_mess->click();
    ASSERT_NO_FATAL_FAILURE(
        deliverBuffers(*manual, std::vector<std::int16_t>(SamplesPerBuffer, 0)));
    ASSERT_NO_FATAL_FAILURE(
        deliverBuffers(*manual, {run.begin(), run.begin() + 3 * SamplesPerBuffer}));
    check("during", 3, 0);

    // After it, with both diagrams open.
    ASSERT_NO_FATAL_FAILURE(
        deliverBuffers(*manual, {run.begin() + 3 * SamplesPerBuffer, run.end()}));
    ASSERT_TRUE(processUntil([] { return Store.DataPresent; }));
    ASSERT_NO_FATAL_FAILURE(drainCapture(*manual));
    Form1->Diagrammvt1Click();
    check("after", 10, 1);

    // Three series side by side.
    Form8->RB_drei->setChecked(true);
    for (int n = 0; n < 2; ++n) {
        Form1->Messenvt1Click();
        Form2->B_mess->click();
        ASSERT_NO_FATAL_FAILURE(
            deliverBuffers(*manual, std::vector<std::int16_t>(SamplesPerBuffer, 0)));
        ASSERT_NO_FATAL_FAILURE(deliverBuffers(*manual, fullRunSignal(100 + 50 * n, 280 + 30 * n)));
        ASSERT_NO_FATAL_FAILURE(drainCapture(*manual));
    }
    ASSERT_EQ(Store.MeasurementNumber, 3);
    check("three", 10, 3);

    // In English, as an English program serves it.
    ASSERT_TRUE(installTranslation(QStringLiteral("en")));
    const auto german = qScopeGuard([] { installTranslation(QStringLiteral("de")); });
    Classroom->stop();
    switchOnLocally(ClassroomService::FirstPort, ClassroomService::LastPort, QStringLiteral("en"));
    checker.write(("OPEN " + url() + '\n').toUtf8());
    ASSERT_TRUE(said("OPENED\n")) << output.toStdString();
    check("english", 10, 3);

    checker.write("QUIT\n");
    ASSERT_TRUE(processUntil([&] { return checker.state() == QProcess::NotRunning; }, 240000));
    EXPECT_EQ(checker.exitCode(), 0) << output.toStdString();
    // Ten pages checked by axe; six with series, each with two diagrams.
    EXPECT_TRUE(output.contains("\n22 passed, 0 failed")) << output.toStdString();
}
