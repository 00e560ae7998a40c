// SPDX-License-Identifier: GPL-3.0-or-later
// The classroom view's core: access code, guessing limit, routes, the
// snapshot's tables, JSON, CSV and answers, without network or window.
#include "classroom/accesscode.h"
#include "classroom/classroomjson.h"
#include "classroom/classroompage.h"
#include "classroom/classroomroutes.h"
#include "classroom/defaultroute.h"
#include "classroom/wrongcodelimit.h"
#include "tests/classroom/classroom_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QSet>
#include <QUrl>
#include <gtest/gtest.h>

using namespace kelmot;
using namespace kelmot::test;

namespace {

const QLocale German(QLocale::German, QLocale::Germany);
const QLocale English(QLocale::English, QLocale::UnitedStates);

const QJsonObject parse(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument d = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << json.toStdString();
    return d.object();
}

ClassroomRequest get(const char* path, const QString& code = {}, bool upgrade = false) {
    ClassroomRequest r;
    r.method = "GET";
    r.path = path;
    r.hasCode = !code.isNull();
    r.code = code;
    r.upgrade = upgrade;
    return r;
}

} // namespace

TEST(AccessCode, SixRandomDigitsComparedWhole) {
    QSet<QString> seen;
    for (int i = 0; i < 50; ++i) {
        const AccessCode c = AccessCode::random();
        ASSERT_EQ(c.text().size(), 6);
        for (const QChar d : c.text())
            EXPECT_TRUE(d.isDigit()) << c.text().toStdString();
        EXPECT_TRUE(c.matches(c.text()));
        seen.insert(c.text());
    }
    // Fifty draws of a million: all equal only if the source were broken.
    EXPECT_GT(seen.size(), 40);
    const AccessCode c(QStringLiteral("012345"));
    EXPECT_TRUE(c.matches(u"012345"));
    for (const char* wrong : {"012346", "112345", "01234", "0123456", "", "01234x", " 12345"})
        EXPECT_FALSE(c.matches(QString::fromLatin1(wrong))) << wrong;
    // A code that is no code opens nothing, not even with its own text.
    for (const char* bad : {"", "12345", "abcdef", "1234567"})
        EXPECT_FALSE(AccessCode(QString::fromLatin1(bad)).matches(QString::fromLatin1(bad))) << bad;
}

TEST(WrongCodeLimit, TenWrongCodesWithinAMinuteBlockForAMinute) {
    WrongCodeLimit limit;
    const QByteArray pupil = "192.0.2.10";
    for (int i = 0; i < 9; ++i)
        limit.wrongTry(pupil, 1000 + i * 1000);
    EXPECT_FALSE(limit.blocked(pupil, 9500));
    limit.wrongTry(pupil, 10'000); // the tenth
    EXPECT_TRUE(limit.blocked(pupil, 10'000));
    EXPECT_TRUE(limit.blocked(pupil, 69'999));
    EXPECT_FALSE(limit.blocked(pupil, 70'000));
    EXPECT_FALSE(limit.blocked("192.0.2.11", 10'000)) << "only the guessing address";
    // Nine a minute, spread out, never block.
    WrongCodeLimit slow;
    for (int i = 0; i < 100; ++i) {
        slow.wrongTry(pupil, i * 6'700);
        ASSERT_FALSE(slow.blocked(pupil, i * 6'700)) << i;
    }
}

TEST(WrongCodeLimit, AFloodOfAddressesStaysBounded) {
    WrongCodeLimit limit;
    for (int i = 0; i < 10; ++i)
        limit.wrongTry("192.0.2.99", i);
    for (std::size_t i = 0; i < 3 * WrongCodeLimit::MaxAddresses; ++i)
        limit.wrongTry(QByteArray::number(quint64(i)), 100 + std::int64_t(i));
    EXPECT_LE(limit.tracked(), WrongCodeLimit::MaxAddresses);
    // The blocked address is the last to be forgotten.
    EXPECT_TRUE(limit.blocked("192.0.2.99", 50'000));
}

TEST(ClassroomRoutes, EveryRouteAndEveryRefusal) {
    const AccessCode code(QStringLiteral("424242"));
    const QString right = QStringLiteral("424242");
    const std::pair<const char*, ClassroomRoute> routes[] = {
        {"/", ClassroomRoute::Page},
        {"/app.js", ClassroomRoute::Script},
        {"/style.css", ClassroomRoute::Style},
        {"/icon.png", ClassroomRoute::Icon},
        {"/api/state", ClassroomRoute::State},
        {"/diagram/st.svg", ClassroomRoute::StDiagram},
        {"/diagram/vt.svg", ClassroomRoute::VtDiagram},
        {"/diagram/fall-st.svg", ClassroomRoute::ExperimentDiagram},
        {"/diagram/pendulum-period.svg", ClassroomRoute::ExperimentDiagram},
        {"/download/1.kmd", ClassroomRoute::DataFile},
        {"/download/2.xls", ClassroomRoute::Spreadsheet},
        {"/download/3.csv", ClassroomRoute::Csv},
    };
    for (const auto& [path, route] : routes) {
        const ClassroomAnswer a = answerFor(get(path, right), code, false);
        EXPECT_EQ(a.kind, ClassroomAnswer::Serve) << path;
        EXPECT_EQ(a.route, route) << path;
    }
    EXPECT_EQ(answerFor(get("/download/2.xls", right), code, false).series, 1);
    EXPECT_EQ(answerFor(get("/diagram/pulley-vt.svg", right), code, false).experimentDiagram,
              "pulley-vt");
    const ClassroomAnswer live = answerFor(get("/api/live", right, true), code, false);
    EXPECT_EQ(live.kind, ClassroomAnswer::Serve);
    EXPECT_EQ(live.route, ClassroomRoute::Live);

    for (const char* unknown : {"/index.html",
                                "/api",
                                "/api/state/",
                                "/download/0.kmd",
                                "/download/4.kmd",
                                "/download/1.txt",
                                "/download/12.kmd",
                                "/%61pp.js",
                                "//",
                                "/diagram/st.png",
                                "/favicon.ico",
                                "",
                                "/diagram/fall.svg",
                                "/diagram/fall-st-x.svg",
                                "/diagram/-st.svg",
                                "/diagram/Fall-st.svg",
                                "/diagram/fall-st.svg/",
                                "/diagram/../st.svg",
                                "/diagram/fall-%73t.svg",
                                "/diagram/abcdefghijklmnopq-st.svg"})
        EXPECT_EQ(answerFor(get(unknown, right), code, false).kind, ClassroomAnswer::NotFound)
            << unknown;
    ClassroomRequest post = get("/api/state", right);
    post.method = "OTHER";
    EXPECT_EQ(answerFor(post, code, false).kind, ClassroomAnswer::MethodNotAllowed);
    post.path = "/nothing";
    EXPECT_EQ(answerFor(post, code, false).kind, ClassroomAnswer::NotFound);

    const ClassroomAnswer missing = answerFor(get("/api/state"), code, false);
    EXPECT_EQ(missing.kind, ClassroomAnswer::Forbidden);
    EXPECT_FALSE(missing.wrongCode) << "no code is no guess";
    const ClassroomAnswer wrong = answerFor(get("/", QStringLiteral("424243")), code, false);
    EXPECT_EQ(wrong.kind, ClassroomAnswer::Forbidden);
    EXPECT_TRUE(wrong.wrongCode);
    EXPECT_EQ(answerFor(get("/api/live", QStringLiteral("1"), true), code, false).kind,
              ClassroomAnswer::Forbidden);
    // A guessing address is refused even with the right code.
    EXPECT_EQ(answerFor(get("/", right), code, true).kind, ClassroomAnswer::TooManyTries);
    EXPECT_EQ(answerFor(get("/api/live", right), code, false).kind,
              ClassroomAnswer::UpgradeRequired);
    EXPECT_EQ(answerFor(get("/api/state", right, true), code, false).kind,
              ClassroomAnswer::MethodNotAllowed);
}

// The width a page asks a diagram for: a multiple of 40 no larger than
// asked, within 240..1600; the usual drawing for none or nonsense.
TEST(ClassroomRoutes, ADiagramsWidthComesFromTheQuery) {
    EXPECT_EQ(diagramWidthIn("code=123456&w=359"), 320);
    EXPECT_EQ(diagramWidthIn("w=1918&code=1"), 1600);
    EXPECT_EQ(diagramWidthIn("w=400"), 400);
    EXPECT_EQ(diagramWidthIn("w=100"), 240);
    EXPECT_EQ(diagramWidthIn("w=0"), 0);
    EXPECT_EQ(diagramWidthIn("w="), 0);
    EXPECT_EQ(diagramWidthIn("w=-5"), 0);
    EXPECT_EQ(diagramWidthIn("w=3e2"), 0);
    EXPECT_EQ(diagramWidthIn("w=999999"), 0);
    EXPECT_EQ(diagramWidthIn("width=500"), 0);
    EXPECT_EQ(diagramWidthIn(""), 0);
    const ClassroomRequest r =
        classroomRequest("GET", QUrl("http://h/diagram/st.svg?code=424242&rev=3&w=700"),
                         [](const QByteArray&) { return QByteArray(); });
    EXPECT_EQ(r.diagramWidth, 680);
    EXPECT_EQ(answerFor(r, AccessCode(QStringLiteral("424242")), false).diagramWidth, 680);
}

TEST(ClassroomRoutes, TheCodeIsTheQuerysCodeField) {
    QString code;
    EXPECT_TRUE(codeInQuery("code=123456", code));
    EXPECT_EQ(code, "123456");
    EXPECT_TRUE(codeInQuery("rev=3&code=654321&x", code));
    EXPECT_EQ(code, "654321");
    EXPECT_TRUE(codeInQuery("code=", code));
    EXPECT_EQ(code, "");
    EXPECT_FALSE(codeInQuery("", code));
    EXPECT_FALSE(codeInQuery("xcode=1&codes=2", code));
}

TEST(ClassroomSnapshot, SeriesTablesAsTheEvaluationWindowWritesThem) {
    const ClassroomSnapshot s = threeSeries();
    const TableTexts newest = seriesTable(s, 0, germanTexts());
    ASSERT_EQ(newest.size(), 11u);
    EXPECT_EQ(newest[0], (QStringList{"Ort (m)", "Zeit aus (s)", "Zeit an (s)", "Quotient (m/s)",
                                      "dt (s)", "v (m/s)", "a (m/s²)"}));
    // Barrier 1 at 0.48 s, dark for 21 ms: v = 10 mm / 21 ms.
    EXPECT_EQ(newest[2],
              (QStringList{"0,1", "0,480", "0,501", "0,208", "0,021", "0,476", newest[2][6]}));
    EXPECT_EQ(newest[1][3], "-") << "no quotient at s = 0";
    // No relationship: no quotient column; 10 ms: two decimals.
    const TableTexts oldest = seriesTable(s, 2, germanTexts(English));
    EXPECT_EQ(oldest[0], (QStringList{"Ort (m)", "Zeit aus (s)", "Zeit an (s)", "dt (s)", "v (m/s)",
                                      "a (m/s²)"}));
    EXPECT_EQ(oldest[3][1], "0.62");
    // No flag width: no speeds.
    ClassroomSnapshot noWidth = s;
    noWidth.flagWidthText.clear();
    EXPECT_EQ(seriesTable(noWidth, 1, germanTexts())[0].size(), 4);
}

TEST(ClassroomSnapshot, TheDataFileIsTheOneSpeichernUnterWrites) {
    const ClassroomSnapshot s = threeSeries();
    const QByteArray file = seriesDataFile(s, 0, German);
    const QList<QByteArray> lines = file.split('\n');
    EXPECT_TRUE(file.startsWith("Ort ; Zeit dunkel; Zeit hell;1\r\n")) << file.toStdString();
    EXPECT_EQ(lines[2], "0,1;0,48;0,501\r");
}

TEST(ClassroomJson, StateOfThreeSeriesInGermanAndEnglish) {
    ClassroomSnapshot s = threeSeries();
    s.status = QStringLiteral("  Messung beendet  ");
    s.brightTimesShown = true;
    s.liveDark[0] = QStringLiteral("0,000");
    s.liveBright[0] = QStringLiteral("0,057");
    s.liveDark[1] = QStringLiteral("0,262"); // dark, not yet bright: not passed
    const QJsonObject de = parse(stateMessage(s, germanTexts(), 7, {"Mittelwert : 0,21", "d"}));
    EXPECT_EQ(de["api"].toInt(), 1);
    EXPECT_EQ(de["type"].toString(), "state");
    EXPECT_EQ(de["revision"].toInt(), 7);
    EXPECT_EQ(de["language"].toString(), "de");
    EXPECT_EQ(de["status"].toObject()["text"].toString(), "Messung beendet");
    const QJsonObject live = de["live"].toObject();
    EXPECT_EQ(live["headers"].toArray().size(), 3);
    ASSERT_EQ(live["rows"].toArray().size(), 1);
    EXPECT_EQ(live["rows"][0]["position"].toString(), "0,0");
    EXPECT_EQ(live["rows"][0]["bright"].toString(), "0,057");
    const QJsonArray series = de["series"].toArray();
    ASSERT_EQ(series.size(), 3);
    EXPECT_EQ(series[0]["name"].toString(), "Messung 3");
    EXPECT_EQ(series[0]["colour"].toString(), "#008000");
    EXPECT_EQ(series[2]["colour"].toString(), "#000080");
    EXPECT_EQ(series[0]["stRelation"].toString(), "s ~ t");
    EXPECT_EQ(series[0]["vtRelation"].toString(), "v ~ t");
    EXPECT_EQ(series[1]["stRelation"].toString(), "");
    EXPECT_EQ(series[0]["darkTimes"][1].toDouble(), 0.48);
    EXPECT_EQ(series[0]["table"]["rows"][1][1].toString(), "0,480");
    EXPECT_EQ(series[2]["downloads"]["csv"].toString(), "/download/3.csv");
    EXPECT_EQ(de["diagrams"]["st"]["label"].toString(), "Mittelwert : 0,21");

    const QJsonObject en = parse(stateMessage(s, germanTexts(English), 7));
    EXPECT_EQ(en["series"][0]["table"]["rows"][1][1].toString(), "0.480");
    EXPECT_EQ(en["live"]["rows"][0]["position"].toString(), "0.0");

    // One list: only the series the selector lists.
    s.seriesCount = 1;
    EXPECT_EQ(parse(stateMessage(s, germanTexts(), 1))["series"].toArray().size(), 1);
    s.store.DataPresent = false;
    EXPECT_TRUE(parse(stateMessage(s, germanTexts(), 1))["series"].toArray().isEmpty());
}

TEST(ClassroomJson, AUsersTextStaysText) {
    ClassroomSnapshot s = threeSeries();
    s.store.SeriesName[0] = QStringLiteral("<script>alert(\"x\")</script>");
    const QByteArray json = stateMessage(s, germanTexts(), 1);
    EXPECT_EQ(parse(json)["series"][0]["name"].toString(), s.store.SeriesName[0]);
    PageTexts texts{{"title", s.store.SeriesName[0]}};
    EXPECT_EQ(fillPage("<title>{{title}}</title>{{code}}", texts, QStringLiteral("123456")),
              "<title>&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt;</title>123456");
}

TEST(ClassroomJson, ARunPushesEachNewRowOnceThenTheStoredSeries) {
    ClassroomSnapshot before = threeSeries();
    before.brightTimesShown = true;
    before.status = QStringLiteral("  Warte auf Start  ");
    int made = 0;
    const auto state = [&] {
        ++made;
        return QByteArray("{\"type\":\"state\"}");
    };
    ClassroomSnapshot after = before;
    after.status = QStringLiteral("  Messung gestartet  ");
    after.liveDark[0] = QStringLiteral("0,00");
    after.liveBright[0] = QStringLiteral("0,06");
    after.liveDark[1] = QStringLiteral("0,26");
    after.liveBright[1] = QStringLiteral("0,30");
    after.liveDark[2] = QStringLiteral("0,41"); // still dark
    auto messages = changeMessages(before, after, germanTexts(), 5, state);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(parse(messages[0])["row"]["barrier"].toInt(), 0);
    EXPECT_EQ(parse(messages[1])["row"]["barrier"].toInt(), 1);
    EXPECT_EQ(parse(messages[1])["row"]["dark"].toString(), "0,26");
    EXPECT_EQ(parse(messages[2])["type"].toString(), "status");
    EXPECT_EQ(parse(messages[2])["status"]["text"].toString(), "Messung gestartet");
    EXPECT_EQ(made, 0);
    // The bright edge of barrier 2: its row, nothing else.
    ClassroomSnapshot next = after;
    next.liveBright[2] = QStringLiteral("0,44");
    messages = changeMessages(after, next, germanTexts(), 6, state);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(parse(messages[0])["row"]["barrier"].toInt(), 2);
    // The run stored: everything anew.
    ClassroomSnapshot stored = next;
    stored.store.SeriesName[0] = QStringLiteral("Messung 4");
    messages = changeMessages(next, stored, germanTexts(), 7, state);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(made, 1);
    // "Messen" again clears the table: everything anew as well.
    ClassroomSnapshot cleared = stored;
    cleared.liveDark.fill(QStringLiteral("     "));
    cleared.liveBright.fill(QStringLiteral("     "));
    EXPECT_EQ(changeMessages(stored, cleared, germanTexts(), 8, state).size(), 1u);
    EXPECT_EQ(made, 2);
    // A relationship or the flag width chosen in the table: anew.
    ClassroomSnapshot relation = cleared;
    relation.store.SeriesStRelation[1] = 2;
    changeMessages(cleared, relation, germanTexts(), 9, state);
    ClassroomSnapshot width = relation;
    width.flagWidthText = QStringLiteral("12,5");
    changeMessages(relation, width, germanTexts(), 10, state);
    EXPECT_EQ(made, 4);
}

namespace {

// A drawing that says what it is, as a window's copy would.
class NamedDrawing : public LiveDrawing {
public:
    explicit NamedDrawing(QString text) : text_(std::move(text)) {}
    QString draw(Canvas&, int, int) const override { return text_; }
    QString description() const override { return text_; }

private:
    QString text_;
};

ExperimentLive openExperiment(const char* key, const char* upper, const char* lower) {
    ExperimentLive e;
    e.key = QString::fromLatin1(key);
    e.shown = true;
    e.heading = QStringLiteral("Freier Fall mit dem Lattenzaun");
    e.caption = QStringLiteral("Messtabelle des Falls");
    e.status = QStringLiteral("  Messung gestartet  ");
    e.measuring = true;
    e.table = {{"Latte", "s in m", "t dunkel in s", "t hell in s", "v in m/s"},
               {"1", "0,000", "-0,0003", "0,0327", "0,758"}};
    e.diagrams = {{{upper, QStringLiteral("oben"), std::make_shared<NamedDrawing>("a")},
                   {lower, QStringLiteral("unten"), std::make_shared<NamedDrawing>("b")}}};
    return e;
}

} // namespace

// The experiments' windows: each made one a member named by its key, listed
// in order, absent while never made, only "shown": false while closed; while
// open, its heading, status, table, result and diagrams under their own
// paths. Each event is a new state (a run is short).
TEST(ClassroomJson, EachExperimentsWindowIsShownWhileItIsOpen) {
    ClassroomSnapshot none = threeSeries();
    EXPECT_FALSE(parse(stateMessage(none, germanTexts(), 1)).contains("fall"));
    EXPECT_EQ(parse(stateMessage(none, germanTexts(), 1))["experiments"].toArray(), QJsonArray());

    ClassroomSnapshot open = none;
    open.experiments.push_back(openExperiment("fall", "st", "vt"));
    open.experiments.push_back(openExperiment("pendulum", "period", "speed"));
    open.experiments[1].shown = false;
    const QJsonObject state = parse(
        stateMessage(open, germanTexts(), 2, {}, {}, {{{{"", "s-t des Falls"}, {"", "v-t"}}}, {}}));
    EXPECT_EQ(state["experiments"].toArray(), (QJsonArray{"fall", "pendulum"}));
    EXPECT_EQ(state["pendulum"].toObject(), (QJsonObject{{"shown", false}}));
    const QJsonObject fall = state["fall"].toObject();
    EXPECT_TRUE(fall["shown"].toBool());
    EXPECT_EQ(fall["heading"].toString(), "Freier Fall mit dem Lattenzaun");
    EXPECT_EQ(fall["table"]["caption"].toString(), "Messtabelle des Falls");
    EXPECT_EQ(fall["status"]["text"].toString(), "Messung gestartet");
    EXPECT_TRUE(fall["status"]["measuring"].toBool());
    EXPECT_EQ(fall["table"]["headers"].toArray().size(), 5);
    ASSERT_EQ(fall["table"]["rows"].toArray().size(), 1);
    EXPECT_EQ(fall["table"]["rows"][0][4].toString(), "0,758");
    EXPECT_EQ(fall["diagrams"]["st"]["svg"].toString(), "/diagram/fall-st.svg");
    EXPECT_EQ(fall["diagrams"]["st"]["description"].toString(), "s-t des Falls");
    EXPECT_EQ(fall["diagrams"]["vt"]["name"].toString(), "unten");

    open.experiments[1].shown = true;
    open.experiments[1].result = QStringLiteral("T = (1,41852 ± 0,00011) s");
    const QJsonObject pendulum = parse(stateMessage(open, germanTexts(), 3))["pendulum"].toObject();
    EXPECT_EQ(pendulum["result"].toString(), open.experiments[1].result);
    EXPECT_EQ(pendulum["diagrams"]["speed"]["svg"].toString(), "/diagram/pendulum-speed.svg");

    int made = 0;
    const auto again = [&] {
        ++made;
        return QByteArray("{\"type\":\"state\"}");
    };
    EXPECT_TRUE(sameLive(open, open));
    ClassroomSnapshot band = open;
    band.experiments[0].table.push_back({"2", "0,050", "0,0568", "0,0768", "1,250"});
    EXPECT_FALSE(sameLive(open, band));
    EXPECT_TRUE(sameDiagrams(open, band)) << "the track's diagrams stay as they are";
    EXPECT_EQ(changeMessages(open, band, germanTexts(), 4, again).size(), 1u);
    EXPECT_EQ(made, 1);
    // A new drawing of the same texts is a change: the window drew anew.
    ClassroomSnapshot redrawn = open;
    redrawn.experiments[1].diagrams[0].drawing = std::make_shared<NamedDrawing>("a");
    EXPECT_FALSE(sameLive(open, redrawn));
    EXPECT_EQ(changeMessages(open, redrawn, germanTexts(), 5, again).size(), 1u);
    EXPECT_EQ(made, 2);
}

TEST(ClassroomAnswers, EveryAnswerCarriesTheSecurityHeaders) {
    for (const QByteArray& answer :
         {httpAnswer(200, "OK", {{"Content-Type", "text/html"}}, "<p>x</p>", false),
          refusalAnswer(403, QStringLiteral("nein"), true),
          refusalAnswer(429, QStringLiteral("warten"), true)}) {
        const QByteArray head = answer.left(answer.indexOf("\r\n\r\n"));
        EXPECT_TRUE(head.contains("\r\nContent-Security-Policy: default-src 'none'; script-src "
                                  "'self'; style-src 'self';"));
        EXPECT_TRUE(head.contains("\r\nX-Content-Type-Options: nosniff\r\n"));
        EXPECT_TRUE(head.contains("\r\nReferrer-Policy: no-referrer\r\n"));
        EXPECT_TRUE(head.contains("\r\nCache-Control: no-store"));
        const qsizetype body = answer.size() - head.size() - 4;
        EXPECT_TRUE(head.contains("\r\nContent-Length: " + QByteArray::number(body)));
    }
    const QByteArray tooMany = refusalAnswer(429, QStringLiteral("warten"), true);
    EXPECT_TRUE(tooMany.startsWith("HTTP/1.1 429 Too Many Requests\r\n"));
    EXPECT_TRUE(tooMany.contains("\r\nRetry-After: 60\r\n"));
    EXPECT_TRUE(tooMany.contains("\r\nConnection: close\r\n"));
    EXPECT_TRUE(tooMany.endsWith("\r\n\r\nwarten\n"));
    EXPECT_TRUE(refusalAnswer(405, {}, true).contains("\r\nAllow: GET\r\n"));
}

// The QR code names the room's network: the default route's interface's
// address first, not a VPN's or a container bridge's.
TEST(ClassroomAddresses, TheDefaultRoutesInterfaceComesFirst) {
    const QByteArray table =
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
        "docker0\t000011AC\t00000000\t0001\t0\t0\t0\t0000FFFF\t0\t0\t0\n"
        "tun0\t00000000\t00000000\t0001\t0\t0\t50\t00000000\t0\t0\t0\n"
        "wlan0\t00000000\t0100A8C0\t0003\t0\t0\t20\t00000000\t0\t0\t0\n"
        "eth1\t00000000\t0101A8C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n" // not up
        "wlan0\t0000A8C0\t00000000\t0001\t0\t0\t20\t00FFFFFF\t0\t0\t0\n";
    EXPECT_EQ(defaultRouteInterface(table), "wlan0") << "the lowest metric of the routes up";
    EXPECT_EQ(defaultRouteInterface("Iface\tDestination\n"), "");
    EXPECT_EQ(defaultRouteInterface("garbage\nx y z\n"), "");
    const std::vector<std::pair<QString, QString>> found{
        {"docker0", "172.17.0.1"}, {"tun0", "10.8.0.2"}, {"wlan0", "192.168.0.23"}};
    EXPECT_EQ(addressesDefaultRouteFirst(found, "wlan0"),
              (QStringList{"192.168.0.23", "172.17.0.1", "10.8.0.2"}));
    EXPECT_EQ(addressesDefaultRouteFirst(found, ""),
              (QStringList{"172.17.0.1", "10.8.0.2", "192.168.0.23"}));
}

// What the server reads of a request's head, as Qt's parser hands it over.
TEST(ClassroomRequests, UpgradesHalfUpgradesAndMethodsAsTheServerReadsThem) {
    const auto read = [](const QByteArray& method, const char* url,
                         QMap<QByteArray, QByteArray> headers) {
        return classroomRequest(method, QUrl::fromEncoded(url),
                                [&](const QByteArray& name) { return headers.value(name); });
    };
    ClassroomRequest r = read("GET", "/api/live?code=123456",
                              {{"Upgrade", "websocket"}, {"Connection", "keep-alive, Upgrade"}});
    EXPECT_TRUE(r.upgrade);
    EXPECT_FALSE(r.halfUpgrade);
    EXPECT_EQ(r.path, "/api/live");
    EXPECT_TRUE(r.hasCode);
    EXPECT_EQ(r.code, "123456");
    r = read("GET", "/api/live?code=123456", {{"upgrade", "WebSocket"}});
    EXPECT_FALSE(r.upgrade);
    EXPECT_TRUE(r.halfUpgrade) << "Upgrade without Connection: upgrade";
    // Qt's own rule: websocket and nothing else.
    r = read("GET", "/api/live?code=123456",
             {{"Upgrade", "websocket, x-other"}, {"Connection", "Upgrade"}});
    EXPECT_FALSE(r.upgrade);
    EXPECT_TRUE(r.halfUpgrade) << "websocket among others is refused, not taken";
    r = read("GET", "/api/live?code=123456",
             {{"Upgrade", " WebSocket "}, {"Connection", "upgrade"}});
    EXPECT_TRUE(r.upgrade);
    r = read("GET", "/?code=123456", {{"Upgrade", "h2c"}, {"Connection", "Upgrade"}});
    EXPECT_FALSE(r.upgrade);
    EXPECT_FALSE(r.halfUpgrade) << "another protocol: an ordinary request";
    EXPECT_EQ(read("HEAD", "/", {}).method, "HEAD");
    EXPECT_EQ(read("PUT", "/", {}).method, "OTHER");
    EXPECT_EQ(read("get", "/", {}).method, "OTHER") << "methods are case-sensitive";

    const AccessCode code(QStringLiteral("424242"));
    WrongCodeLimit limit;
    const ClassroomRequest half = read("GET", "/api/live?code=424242", {{"Upgrade", "websocket"}});
    EXPECT_EQ(decideRequest(half, code, limit, "a", 0).kind, ClassroomAnswer::BadRequest);
    const ClassroomRequest head = read("HEAD", "/api/state?code=424242", {});
    EXPECT_EQ(decideRequest(head, code, limit, "a", 0).kind, ClassroomAnswer::Serve);
    const ClassroomRequest wrong = read("GET", "/?code=111111", {});
    for (int i = 0; i < WrongCodeLimit::MaxWrongTries; ++i)
        decideRequest(wrong, code, limit, "a", 1000);
    const ClassroomAnswer blocked = decideRequest(head, code, limit, "a", 31'500);
    EXPECT_EQ(blocked.kind, ClassroomAnswer::TooManyTries);
    EXPECT_EQ(blocked.retryAfterSeconds, 30); // 29.5 s left, rounded up
    EXPECT_EQ(decideRequest(head, code, limit, "b", 31'500).kind, ClassroomAnswer::Serve);
}
