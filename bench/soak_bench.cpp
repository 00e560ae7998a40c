// SPDX-License-Identifier: GPL-3.0-or-later
// Soak: back-to-back simulated runs through the measurement window, as a
// class would make them in a long lesson, at accelerated real-time pace (a
// sample that finds no free buffer is lost, as from a sound card). Prints
// the frames lost (goal 0) and how much the resident memory grew after the
// first ten runs (goal under 1 MB).
//   kelmot_soak [runs] [speed]     (default 200 runs at 40 times real time)
#include "acquisition/tabellemess_u.h"
#include "app/kelmot_u.h"
#include "app/program.h"
#include "platform/paced_wavein.h"
#include "platform/simulated_mixer.h"
#include "platform/simulatedtrack.h"
#include "store/measurementstore.h"
#include "store/numberconversion.h"
#include "store/numberformat.h"

#include "tests/tempdatahome.h"
#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {

long residentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

bool runUntil(const std::function<bool()>& done, int ms) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const TemporaryDataHome dataHome; // never the journal of a real home
    QApplication app(argc, argv);
    const int runs = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 200;
    const double speed = argc > 2 ? kelmot::parseFloatEitherSeparator(argv[2]).value_or(0) : 40.0;
    if (runs <= 0 || speed <= 0) {
        std::fprintf(stderr, "usage: kelmot_soak [runs] [speed]\n");
        return 2;
    }
    using namespace kelmot;
    auto capture = std::make_shared<platform::PacedBackend>(
        "Simulation",
        [](int rate, std::string&) {
            platform::TrackParameters p;
            p.startDelay = 0.4;
            return std::make_unique<platform::SimulatedTrack>(p, rate);
        },
        speed, "virtuelle Fahrbahn");
    createWindows(StartOptions{},
                  std::make_shared<platform::SimulatedMixerApi>(
                      platform::SimulatedMixerApi::demonstrationDevices()),
                  capture);
    Form1->Messenst1Click();
    long afterTen = 0;
    int completed = 0;
    std::uint64_t lostInRuns = 0;
    for (int r = 1; r <= runs; ++r) {
        const int before = Store.MeasurementNumber;
        Form2->B_mess->click();
        // The new capture opens once the last one has drained.
        runUntil([] { return Form2->AudioIn->DeviceOpen() && Form2->AudioIn->KeepRunning(); },
                 10000);
        const std::uint64_t lostAtStart = Form2->AudioIn->LostFrames();
        const bool ended = runUntil([&] { return Store.MeasurementNumber > before; }, 60000);
        lostInRuns += Form2->AudioIn->LostFrames() - lostAtStart;
        if (!ended) {
            std::printf("run %d did not end: %s\n", r, qPrintable(Form2->L_status->text()));
            break;
        }
        ++completed;
        if (r == 10) afterTen = residentKb();
    }
    runUntil([] { return !Form2->AudioIn->DeviceOpen(); }, 10000);
    const long atEnd = residentKb();
    std::printf("runs completed      %d of %d at %s times real time\n", completed, runs,
                kelmot::formatPoint(speed, 0).c_str());
    std::printf("frames lost         %llu during the runs (goal 0); %llu in all, with those\n"
                "                    arriving after each run's end while its capture drains\n",
                static_cast<unsigned long long>(lostInRuns),
                static_cast<unsigned long long>(Form2->AudioIn->LostFrames()));
    std::printf(
        "resident memory     %ld kB after 10 runs, %ld kB at the end: +%ld kB (goal < 1024)\n",
        afterTen, atEnd, atEnd - afterTen);
    destroyWindows();
    return completed == runs ? 0 : 1;
}
