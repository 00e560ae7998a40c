// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the diagrams with three series, a relationship chosen in each:
// a repaint of both diagrams in a 1920 x 1080 window (drawing computed and
// painted), the 413 x 266 clipboard picture, and a 600-dpi A4 printout page.
// Goals: a window repaint within 4 ms, the clipboard picture within 2 ms.
#include "diagrams/diagramframe.h"
#include "diagrams/stdiagram.h"
#include "diagrams/vtdiagram.h"
#include "store/numberformat.h"
#include "widgets/qpaintercanvas.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <benchmark/benchmark.h>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <map>

namespace {

using namespace kelmot;

// Three runs of a cart speeding up, one relationship each.
MeasurementStore threeSeries() {
    MeasurementStore s;
    s.OutputMode = 1;
    const Rgb colours[3] = {Navy, Red, Green};
    for (int k = 0; k < 3; ++k) {
        const double a = 0.2 + 0.1 * k;
        for (int i = 0; i < BarrierCount; ++i) {
            const double t = std::sqrt(2 * (0.1 * i + 0.05) / a) - std::sqrt(0.1 / a);
            s.SeriesDarkTimes[k][i] = t;
            s.SeriesBrightTimes[k][i] = t + 0.010 / (a * t + std::sqrt(0.1 * a));
        }
        s.SeriesColor[k] = colours[k];
        s.SeriesStRelation[k] = 1 + k;
        s.SeriesVtRelation[k] = 1 + k % 2;
    }
    return s;
}

const MeasurementStore Store3 = threeSeries();
const QLocale German(QLocale::German, QLocale::Germany);

// Each diagram in its window's paint box: the upper and lower right quarter.
void BM_WindowRepaint(benchmark::State& state) {
    QImage window(1920, 1080, QImage::Format_RGB32);
    const DiagramGeometry box = windowGeometry(960, 540);
    for (auto _ : state) {
        StDiagram st;
        VtDiagram vt;
        RecordingCanvas stDrawing, vtDrawing;
        st.Zeichne(stDrawing, box, {Store3, 3, 1920, German});
        vt.Zeichne(vtDrawing, box, {Store3, 3, 1920, German}, QStringLiteral("10"));
        QPainter painter(&window);
        painter.translate(960, 0);
        QPainterCanvas stCanvas(painter, stDrawing.startState());
        stDrawing.replayOn(stCanvas);
        painter.translate(0, 540);
        QPainterCanvas vtCanvas(painter, vtDrawing.startState());
        vtDrawing.replayOn(vtCanvas);
        benchmark::DoNotOptimize(window.bits());
    }
}
BENCHMARK(BM_WindowRepaint)->Unit(benchmark::kMillisecond);

void BM_ClipboardPicture(benchmark::State& state) {
    QImage picture(413, 266, QImage::Format_RGB32);
    for (auto _ : state) {
        StDiagram st;
        QPainter painter(&picture);
        QPainterCanvas canvas(painter, PenState{});
        st.Zeichne(canvas, PictureGeometry, {Store3, 3, 1920, German});
        benchmark::DoNotOptimize(picture.bits());
    }
}
BENCHMARK(BM_ClipboardPicture)->Unit(benchmark::kMillisecond);

void BM_PrintoutPage(benchmark::State& state) {
    StDiagram st;
    RecordingCanvas picture;
    st.Zeichne(picture, PictureGeometry, {Store3, 3, 1920, German});
    for (auto _ : state) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        QPainterCanvas canvas(painter, PenState{});
        st.ZeichnePrinter(canvas, {Store3, 3, 1920, German});
        painter.end();
        benchmark::DoNotOptimize(pdf.data().size());
    }
}
BENCHMARK(BM_PrintoutPage)->Unit(benchmark::kMillisecond);

class Figures : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs)
            ms[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> ms;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // Google Benchmark prints through the C library: points, for scripts.
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    Figures figures;
    benchmark::RunSpecifiedBenchmarks(&figures);
    std::printf("\nwindow repaint (both diagrams, 1920 x 1080): %s ms (goal at most 4)\n",
                kelmot::formatPoint(figures.ms["BM_WindowRepaint"], 2).c_str());
    std::printf("clipboard picture (413 x 266): %s ms (goal at most 2)\n",
                kelmot::formatPoint(figures.ms["BM_ClipboardPicture"], 2).c_str());
    std::printf("printout page (A4, 600 dpi, PDF): %s ms\n",
                kelmot::formatPoint(figures.ms["BM_PrintoutPage"], 2).c_str());
    benchmark::Shutdown();
    return 0;
}
