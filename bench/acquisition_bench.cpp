// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the acquisition path: how fast the detection reads samples
// compared with the memory-speed floor of a plain sum over the same samples,
// and what a live capture costs in CPU time.
#include "acquisition/AudioIO.h"
#include "acquisition/lightbarrierdetector.h"
#include "platform/paced_wavein.h"
#include "platform/simulatedtrack.h"
#include "store/numberformat.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <clocale>
#include <cstdio>
#include <ctime>
#include <map>
#include <numeric>
#include <vector>

using namespace kelmot;

namespace {

class NullOutput : public DetectionOutput {
public:
    void edgeFound(EdgeKind, int, double) override {}
    void phaseChanged(SessionPhase) override {}
    void stopCapture() override {}
    SeriesSelector& seriesSelector() override { return selector; }
    NullSeriesSelector selector;
};

constexpr std::size_t Buffer = 4410;

// Ten minutes of signal: noise below the threshold with nine beams early on
// (so the run never ends and every sample is read).
const std::vector<std::int16_t>& longRun() {
    static const std::vector<std::int16_t> samples = [] {
        std::vector<std::int16_t> s(22050 * 600);
        std::uint32_t rng = 12345;
        for (auto& v : s) {
            rng = rng * 1664525u + 1013904223u;
            v = static_cast<std::int16_t>(static_cast<int>(rng >> 20) - 2048);
        }
        for (int k = 0; k < 9; ++k)
            for (int i = 0; i < 800; ++i)
                s[static_cast<std::size_t>(20000 + k * 4410 + i)] = 12000;
        return s;
    }();
    return samples;
}

// The detection of the ten minutes by the rule for `kind`: a tone, or the
// jumps of a steady voltage through the card's input.
void detect(benchmark::State& state, SignalKind kind) {
    const auto& s = longRun();
    MeasurementStore store;
    store.initialise();
    store.Signal = kind;
    NullOutput out;
    LightBarrierDetector detector(store, out);
    for (auto _ : state) {
        detector.reset();
        for (std::size_t at = 0; at + Buffer <= s.size(); at += Buffer)
            detector.analyse(reinterpret_cast<const char*>(s.data() + at), Buffer * 2);
        benchmark::DoNotOptimize(detector.EventCount);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * s.size()));
}

void BM_Detection(benchmark::State& state) {
    detect(state, SignalKind::Tone);
}
BENCHMARK(BM_Detection)->Unit(benchmark::kMillisecond);

void BM_DetectionEdges(benchmark::State& state) {
    detect(state, SignalKind::Edges);
}
BENCHMARK(BM_DetectionEdges)->Unit(benchmark::kMillisecond);

void BM_PlainSum(benchmark::State& state) {
    const auto& s = longRun();
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (std::size_t at = 0; at + Buffer <= s.size(); at += Buffer)
            sum = std::accumulate(s.data() + at, s.data() + at + Buffer, sum);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * s.size()));
}
BENCHMARK(BM_PlainSum)->Unit(benchmark::kMillisecond);

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// Three seconds of live capture from the virtual track at real-time pace,
// with the detection as the buffer handler: CPU time per second captured.
void BM_LiveCaptureSimulation(benchmark::State& state) {
    double cpuPerSecond = 0;
    for (auto _ : state) {
        MeasurementStore store;
        store.initialise();
        NullOutput out;
        LightBarrierDetector detector(store, out);
        platform::TrackParameters p;
        p.startDelay = 100; // no cart: the run waits, capture goes on
        auto backend =
            std::make_shared<platform::PacedBackend>("Simulation", [p](int rate, std::string&) {
                return std::make_unique<platform::SimulatedTrack>(p, rate);
            });
        TAudioIn audio(nullptr, backend);
        audio.setBufferSize(8820);
        audio.OnBufferFilled = [&](char* b, int& size) {
            detector.analyse(b, size);
            return true;
        };
        detector.reset();
        const double cpu0 = processCpuSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        if (!audio.Start()) {
            state.SkipWithError(audio.ErrorText().toStdString().c_str());
            return;
        }
        QEventLoop loop;
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        loop.exec();
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        cpuPerSecond = (processCpuSeconds() - cpu0) / wall;
        audio.StopNow();
        state.counters["buffers"] = audio.BuffersReturned();
    }
    state.counters["cpu_percent_of_one_core"] = cpuPerSecond * 100;
}
BENCHMARK(BM_LiveCaptureSimulation)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Prints the ratio of detection to plain sum after the table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs) {
            const auto it = r.counters.find("items_per_second");
            if (it != r.counters.end()) rates[r.benchmark_name()] = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> rates;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // Google Benchmark prints its table through the C library: figures with a
    // point for scripts that read them, whatever the desktop's locale.
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double sum = reporter.rates["BM_PlainSum"];
    for (const auto& [name, rule] :
         {std::pair{"BM_Detection", "tone"}, {"BM_DetectionEdges", "edges"}}) {
        const double detection = reporter.rates[name];
        if (detection <= 0 || sum <= 0) continue;
        std::printf("\ndetection (%s): %s Msamples/s, plain sum: %s Msamples/s, ratio %s "
                    "(goal at least 1)\n",
                    rule, kelmot::formatPoint(detection / 1e6, 0).c_str(),
                    kelmot::formatPoint(sum / 1e6, 0).c_str(),
                    kelmot::formatPoint(detection / sum, 2).c_str());
        std::printf("one 0.2 s buffer (4410 samples) is analysed in %s us\n",
                    kelmot::formatPoint(4410 / detection * 1e6, 2).c_str());
    }
    benchmark::Shutdown();
    return 0;
}
