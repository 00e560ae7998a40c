// SPDX-License-Identifier: GPL-3.0-or-later
// Memory at rest: the program started for a demonstration (its main window
// shown, nothing measured) beside a bare Qt window (kelmot_bare_window: an
// application with one empty main window of the same size), both in one
// run, on the same platform plugin (the X display when there is one, as on
// a teacher's desktop; else offscreen), each read from /proc once its
// resident size has settled.
//   kelmot_idle_bench [path of the kelmot program]
#include "store/numberformat.h"
#include "tests/tempdatahome.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <optional>

namespace {

// A field of /proc/PID/status in kB ("VmRSS", "RssAnon"), if the process
// is still there.
std::optional<double> statusKilobytes(qint64 pid, const QByteArray& field) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return std::nullopt;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field + ':')) {
            bool read = false;
            const double kb =
                line.mid(field.size() + 1).trimmed().split(' ').value(0).toDouble(&read);
            if (read) return kb;
        }
    return std::nullopt;
}

struct Resident {
    double totalMb = 0;     // everything mapped in: libraries, fonts, heap
    double anonymousMb = 0; // what the process itself allocated
};

// Starts `program`, waits until its resident size has changed by less than
// 1 % over two seconds (at most a minute), reads it and ends the process.
std::optional<Resident> residentAtRest(const QString& program, const QStringList& arguments,
                                       const QString& folder) {
    QProcess process;
    process.setWorkingDirectory(folder); // no kelmot.cfg of the caller's folder
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForStarted(30000)) return std::nullopt;
    const qint64 pid = process.processId();
    double settled = 0;
    QElapsedTimer since, overall;
    since.start();
    overall.start();
    std::optional<Resident> result;
    while (overall.elapsed() < 60000 && process.state() == QProcess::Running) {
        QThread::msleep(100); // polling the other process, not waiting for our own work
        const auto rss = statusKilobytes(pid, "VmRSS");
        if (!rss) break;
        if (*rss > settled * 1.01 || *rss < settled * 0.99) {
            settled = *rss;
            since.restart();
        } else if (since.elapsed() >= 2000) {
            result = Resident{*rss / 1024.0, statusKilobytes(pid, "RssAnon").value_or(0) / 1024.0};
            break;
        }
    }
    process.kill();
    process.waitForFinished(10000);
    return result;
}

void print(const char* what, const Resident& r) {
    std::printf("%-34s %7s MB resident (%s MB its own heap)\n", what,
                kelmot::formatPoint(r.totalMb, 1).c_str(),
                kelmot::formatPoint(r.anonymousMb, 1).c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsEmpty("DISPLAY") ? "offscreen" : "xcb");
    const TemporaryDataHome dataHome; // never the journal or settings of a real home
    QCoreApplication app(argc, argv);
    const QString program =
        // Absolute: the programs start in a folder of their own.
        argc > 1 ? QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath()
                 : QStringLiteral(KELMOT_PROGRAM_PATH);
    const auto bare = residentAtRest(QStringLiteral(KELMOT_BARE_WINDOW_PATH), {}, dataHome.path());
    const auto kelmot = residentAtRest(program, {"--simulate"}, dataHome.path());
    if (!bare || !kelmot) {
        std::fprintf(stderr, "kelmot_idle_bench: %s did not settle or ended\n",
                     !bare ? "the bare window" : qPrintable(program));
        return 1;
    }
    std::printf("platform %s\n", qgetenv("QT_QPA_PLATFORM").constData());
    print("bare Qt window", *bare);
    print("kelmot --simulate, at rest", *kelmot);
    std::printf("ratio of the resident sizes         %s (goal <= 1.5)\n",
                kelmot::formatPoint(kelmot->totalMb / bare->totalMb, 2).c_str());
    return 0;
}
