// SPDX-License-Identifier: GPL-3.0-or-later
// The classroom view under a class: the program's own server with the
// virtual track at real-time pace and N pages (N = 1, 30, 100) connected
// from a second process on loopback. Prints, for every N:
//   - the time from the live table's change to the row's arrival at each
//     page (median and 99th percentile),
//   - the server thread's CPU during the runs, and idle with N pages,
//   - the server's memory per page,
//   - the frames the runs lost,
//   - how long the window's buffer handler took (as without pages: N = 0).
// Goals: p99 <= 50 ms for 100 pages, <= 5 % of a core during a run,
// <= 100 kB per page, no lost frame, the handler as fast as without pages.
//   kelmot_classroom_bench [runs per N]        (default 3)
//   kelmot_classroom_bench --pages N URL       (the pages' process)
#include "acquisition/tabellemess_u.h"
#include "app/kelmot_u.h"
#include "app/program.h"
#include "classroom/classroomserver.h"
#include "classroom/classroomservice.h"
#include "store/measurementstore.h"
#include "store/numberformat.h"

#include "tests/tempdatahome.h"
#include <QApplication>
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QSocketNotifier>
#include <QWebSocket>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <unistd.h>
#include <vector>

namespace {

// CLOCK_MONOTONIC in nanoseconds: the same clock in both processes.
std::int64_t nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::int64_t threadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

long residentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

std::string ms(double nanoseconds) {
    return kelmot::formatPoint(nanoseconds / 1e6, 2);
}

bool runUntil(const std::function<bool()>& done, int limitMs) {
    QDeadlineTimer deadline(limitMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

double percentile(std::vector<std::int64_t> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return double(v[std::min(v.size() - 1, std::size_t(p * double(v.size() - 1) + 0.5))]);
}

// ---- The pages' process ------------------------------------------------------

// N pages; each notes when a barrier's row first reaches it (a run begins
// with a state without rows). On a line on standard input they print
// "A <run> <barrier> <ns>" per row and page, and end.
int pagesProcess(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int n = std::atoi(argv[2]);
    const QUrl url(QString::fromLatin1(argv[3]));
    struct Page {
        std::unique_ptr<QWebSocket> socket;
        int run = -1;
        std::set<int> shown;
        std::vector<std::array<std::int64_t, 3>> arrivals; // run, barrier, ns
    };
    std::vector<Page> pages(static_cast<std::size_t>(n));
    int connected = 0;
    for (Page& p : pages) {
        p.socket = std::make_unique<QWebSocket>();
        QObject::connect(p.socket.get(), &QWebSocket::connected, [&] {
            if (++connected == n) std::printf("CONNECTED\n"), std::fflush(stdout);
        });
        QObject::connect(p.socket.get(), &QWebSocket::textMessageReceived, [&p](const QString& m) {
            const std::int64_t at = nowNs();
            const QJsonObject o = QJsonDocument::fromJson(m.toUtf8()).object();
            const auto arrive = [&](int barrier) {
                if (p.run >= 0 && p.shown.insert(barrier).second)
                    p.arrivals.push_back({p.run, barrier, at});
            };
            if (o["type"].toString() == "state") {
                const QJsonArray rows = o["live"].toObject()["rows"].toArray();
                if (rows.isEmpty()) {
                    ++p.run;
                    p.shown.clear();
                }
                for (const QJsonValue r : rows)
                    arrive(r.toObject()["barrier"].toInt());
            } else if (o["type"].toString() == "row") {
                arrive(o["row"].toObject()["barrier"].toInt());
            }
        });
        p.socket->open(url);
    }
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        for (const Page& p : pages)
            for (const auto& [run, barrier, at] : p.arrivals)
                std::printf("A %lld %lld %lld\n", (long long)run, (long long)barrier,
                            (long long)at);
        std::fflush(stdout);
        app.quit();
    });
    return app.exec();
}

// ---- The program's process ---------------------------------------------------

struct Figures {
    std::vector<std::int64_t> latencies;
    std::vector<std::int64_t> handler;
    double runCpuShare = 0;
    double idleCpuSecondsPerMinute = 0;
    double kbPerPage = 0;
    std::uint64_t lostFrames = 0;
    int runs = 0;
};

std::int64_t serverCpuNs() {
    kelmot::ClassroomServer* server = kelmot::Classroom->server();
    std::int64_t ns = 0;
    QMetaObject::invokeMethod(
        server, [&] { ns = threadCpuNs(); }, Qt::BlockingQueuedConnection);
    return ns;
}

Figures measure(int pages, int runs) {
    using namespace kelmot;
    Figures f;
    const long before = residentKb();
    QProcess client;
    if (pages > 0) {
        const QString url = QStringLiteral("ws://127.0.0.1:%1/api/live?code=%2")
                                .arg(Classroom->port())
                                .arg(Classroom->code());
        client.start(QCoreApplication::applicationFilePath(),
                     {"--pages", QString::number(pages), url});
        runUntil([&] { return Classroom->devices() == pages; }, 120000);
        runUntil([] { return false; }, 500); // the first state sent to every page
        f.kbPerPage = double(residentKb() - before) / pages;
        // Idle: connected pages, nothing measured.
        const std::int64_t cpu0 = serverCpuNs(), wall0 = nowNs();
        runUntil([] { return false; }, 5000);
        f.idleCpuSecondsPerMinute =
            double(serverCpuNs() - cpu0) / 1e9 * 60e9 / double(nowNs() - wall0);
    }

    // When each barrier's row first showed in the window, per run.
    std::map<std::pair<int, int>, std::int64_t> changed;
    int run = -1;
    std::set<int> shown;
    const auto onChange = QObject::connect(Form2, &TForm2::liveTableChanged, [&] {
        const std::int64_t at = nowNs();
        for (int k = 0; k < 10; ++k)
            if (!Form2->cellText(2, k + 1).trimmed().isEmpty() && shown.insert(k).second)
                changed[{run, k}] = at;
    });
    const auto handler = Form2->AudioIn->OnBufferFilled;
    Form2->AudioIn->OnBufferFilled = [&](char* b, int& size) {
        const std::int64_t t0 = nowNs();
        const bool requeue = handler(b, size);
        f.handler.push_back(nowNs() - t0);
        return requeue;
    };
    std::int64_t cpuDuringRuns = 0, wallDuringRuns = 0;
    for (int r = 0; r < runs; ++r) {
        run = r;
        shown.clear();
        const int number = Store.MeasurementNumber;
        const std::uint64_t lost = Form2->AudioIn->LostFrames();
        const std::int64_t cpu0 = pages > 0 ? serverCpuNs() : 0, wall0 = nowNs();
        Form1->Messenvt1Click();
        Form2->B_mess->click();
        if (!runUntil([&] { return Store.MeasurementNumber > number; }, 60000)) break;
        if (pages > 0) {
            runUntil([] { return false; }, 300); // the last rows on their way
            cpuDuringRuns += serverCpuNs() - cpu0;
        }
        wallDuringRuns += nowNs() - wall0;
        runUntil([] { return !Form2->AudioIn->DeviceOpen(); }, 10000);
        f.lostFrames += Form2->AudioIn->LostFrames() - lost;
        ++f.runs;
    }
    QObject::disconnect(onChange);
    Form2->AudioIn->OnBufferFilled = handler;
    f.runCpuShare = wallDuringRuns > 0 ? double(cpuDuringRuns) / double(wallDuringRuns) : 0;

    if (pages > 0) {
        client.write("end\n");
        client.closeWriteChannel();
        client.waitForFinished(60000);
        for (const QByteArray& line : client.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> w = line.split(' ');
            if (w.size() != 4 || w[0] != "A") continue;
            long long v[3]{};
            for (int i = 0; i < 3; ++i)
                std::from_chars(w[i + 1].constData(), w[i + 1].constData() + w[i + 1].size(), v[i]);
            const auto c = changed.find({int(v[0]), int(v[1])});
            if (c != changed.end()) f.latencies.push_back(v[2] - c->second);
        }
        runUntil([] { return Classroom->devices() == 0; }, 60000);
    }
    return f;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--pages") return pagesProcess(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const TemporaryDataHome dataHome; // never the journal of a real home
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    kelmot::StartOptions options;
    options.capture = kelmot::StartOptions::Capture::Simulation; // real-time pace
    options.mixer = kelmot::StartOptions::Mixer::Simulated;
    kelmot::createWindows(options);
    kelmot::ClassroomService::Options o;
    o.address = QHostAddress(QHostAddress::LocalHost);
    // A hundred devices, here all from loopback; in a classroom each has its own address.
    o.limits.maxPerAddress = o.limits.maxConnections;
    o.limits.maxLivePagesPerAddress = o.limits.maxConnections;
    if (!kelmot::Classroom->start(kelmot::classroomTexts(QStringLiteral("de")), o)) {
        std::fprintf(stderr, "classroom_bench: the view did not start\n");
        return 1;
    }
    std::printf("classroom view, %d runs of the virtual track at real-time pace per N\n", runs);
    std::printf("%5s %6s %9s %9s %9s %9s %10s %8s %5s %12s %12s\n", "pages", "rows", "p50 ms",
                "p99 ms", "max ms", "run CPU%", "idle s/min", "kB/page", "lost", "handler p50",
                "handler p99");
    bool ok = true;
    for (const int pages : {0, 1, 30, 100}) {
        const Figures f = measure(pages, runs);
        const double p99 = percentile(f.latencies, 0.99);
        std::printf("%5d %6zu %9s %9s %9s %9s %10s %8s %5llu %12s %12s\n", pages,
                    f.latencies.size(), ms(percentile(f.latencies, 0.5)).c_str(), ms(p99).c_str(),
                    ms(percentile(f.latencies, 1.0)).c_str(),
                    kelmot::formatPoint(100 * f.runCpuShare, 2).c_str(),
                    kelmot::formatPoint(f.idleCpuSecondsPerMinute, 3).c_str(),
                    kelmot::formatPoint(f.kbPerPage, 1).c_str(), (unsigned long long)f.lostFrames,
                    ms(percentile(f.handler, 0.5)).c_str(),
                    ms(percentile(f.handler, 0.99)).c_str());
        std::fflush(stdout);
        ok = ok && f.runs == runs && f.lostFrames == 0 &&
             (pages == 0 || f.latencies.size() == std::size_t(pages * runs * 10));
        if (pages == 100) {
            std::printf("goals for 100 pages: p99 %s ms (<= 50), run CPU %s %% (<= 5), %s kB/page "
                        "(<= 100), %llu lost frames (0)\n",
                        ms(p99).c_str(), kelmot::formatPoint(100 * f.runCpuShare, 2).c_str(),
                        kelmot::formatPoint(f.kbPerPage, 1).c_str(),
                        (unsigned long long)f.lostFrames);
        }
    }
    kelmot::destroyWindows();
    return ok ? 0 : 1;
}
