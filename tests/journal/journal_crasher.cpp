// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program measuring simulated runs back to back, for the journal's
// crash tests: after each run whose status line says it ended it prints
//   ENDED <number> <dark times> | <bright times> | <cells of the live table>
// and flushes, so that the parent knows what the user had been told before
// it kills the process at a moment of its choosing.
//   kelmot_journal_crasher RUNS [three] [--end]
// Without --end it goes on waiting after the last run (to be killed); with
// it, it ends through "Ende" as a user would.
#include "acquisition/lightbarrierdetector.h"
#include "acquisition/tabellemess_u.h"
#include "app/kelmot_u.h"
#include "app/program.h"
#include "journal/timestext.h"
#include "platform/paced_wavein.h"
#include "platform/simulated_mixer.h"
#include "platform/simulatedtrack.h"
#include "settings/config_u.h"
#include "tests/eventloop.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    using namespace kelmot;
    using kelmot::test::processUntil;
    const QStringList args = QCoreApplication::arguments();
    const int runs = args.value(1).toInt();
    const bool threeLists = args.contains("three");
    const bool end = args.contains("--end");
    // Fast and lossless: the runs do not depend on the machine's speed. Each
    // process's runs are its own (seeded from its id), so no two runs of a
    // test that starts it again and again are alike.
    const auto seedBase = std::uint32_t(QCoreApplication::applicationPid()) * 1000u;
    auto capture = std::make_shared<platform::PacedBackend>(
        "Simulation",
        [seedBase, count = std::make_shared<std::uint32_t>(0)](int rate, std::string&) {
            platform::TrackParameters p;
            p.seed = seedBase + ++*count;
            return std::make_unique<platform::SimulatedTrack>(p, rate);
        },
        200.0, "virtuelle Fahrbahn", platform::PacedBackend::Pacing::Lossless);
    createWindows(StartOptions{},
                  std::make_shared<platform::SimulatedMixerApi>(
                      platform::SimulatedMixerApi::demonstrationDevices()),
                  capture);
    if (threeLists) Form8->RB_drei->setChecked(true);
    Form1->Messenvt1Click();
    for (int r = 0; runs <= 0 || r < runs; ++r) {
        const int before = Store.MeasurementNumber;
        Form2->B_mess->click();
        if (!processUntil(
                [&] {
                    return Store.MeasurementNumber > before &&
                           Form2->L_status->text() == statusEnded();
                },
                120000))
            return 3;
        QString cells;
        for (int k = 1; k <= BarrierCount; ++k)
            cells += Form2->cellText(1, k) + u' ' + Form2->cellText(2, k) + u' ';
        std::printf("ENDED %d %s | %s | %s\n", Store.MeasurementNumber,
                    qPrintable(timesText(std::span(Store.RunTimes[0], BarrierCount))),
                    qPrintable(timesText(std::span(Store.RunTimes[1], BarrierCount))),
                    qPrintable(cells.trimmed()));
        std::fflush(stdout);
        if (!processUntil([] { return !Form2->AudioIn->DeviceOpen(); }, 60000)) return 4;
    }
    if (end) {
        Form1->Ende1Click();
        destroyWindows();
        return 0;
    }
    std::printf("WAITING\n");
    std::fflush(stdout);
    return QApplication::exec();
}
