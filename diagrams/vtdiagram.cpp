// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagrams/vtdiagram.h"

#include "diagrams/fitdrawing.h"
#include "drawing/clippedcanvas.h"

#include "drawing/rounding.h"
#include "evaluation/evaluationtable.h"
#include "store/numberformat.h"

#include <QCoreApplication>
namespace kelmot {

void VtDiagram::place(const DiagramGeometry& area) {
    VtPlotWidth = area.width;
    VtPlotHeight = area.height;
    VtPlotLeft = area.left;
    VtPlotTop = area.top;
}

DiagramFrame VtDiagram::frame(int unit) const {
    return {VtPlotWidth, VtPlotHeight, unit,
            QCoreApplication::translate("VtDiagram", "Geschw. in m/s")};
}

bool VtDiagram::computeScales(const DiagramInput& input, const QString& flagWidthText,
                              int margins) {
    const MeasurementStore& store = input.store;
    if (store.OutputMode == 0) {
        VtTimeMax = store.RunTimes[0][9];
    } else {
        VtTimeMax = 0;
        for (int k = 0; k < input.series(); ++k)
            if (store.SeriesDarkTimes[k][9] > VtTimeMax) VtTimeMax = store.SeriesDarkTimes[k][9];
    }
    VtTimeFactor = VtTimeMax >= 1 ? 1 : 10;
    const auto timeScale = axisScale(VtPlotWidth - margins, VtTimeFactor * VtTimeMax);
    VtTimeScale = timeScale ? intPart(*timeScale) : 0;

    if (const auto width = readFlagWidth(flagWidthText).millimetres; width && *width > 0)
        FlagWidthMetres = *width * 0.001;
    VtSpeedMax = 0;
    for (int k = 0; k < input.series(); ++k) {
        for (int i = 0; i < BarrierCount; ++i) {
            // Barrier 0 counts for the maximum although it has no point.
            const auto v = barrierSpeed(FlagWidthMetres, store.SeriesDarkTimes[k][i],
                                        store.SeriesBrightTimes[k][i]);
            if (v && *v > VtSpeedMax) VtSpeedMax = *v;
        }
    }
    VtSpeedFactor = VtSpeedMax < 0.1 ? 100 : VtSpeedMax < 1 ? 10 : 1;
    const auto speedScale = axisScale(VtPlotHeight - margins, VtSpeedFactor * VtSpeedMax);
    VtSpeedScale = speedScale ? nearest(*speedScale) : 0;
    return timeScale && speedScale;
}

void VtDiagram::computeSpeeds(const MeasurementStore& store, int k, int from) {
    for (int i = from; i < BarrierCount; ++i)
        if (const auto v = barrierSpeed(FlagWidthMetres, store.SeriesDarkTimes[k][i],
                                        store.SeriesBrightTimes[k][i]))
            VtSpeeds[k][i] = *v;
}

std::optional<QString> VtDiagram::Zeichne(Canvas& canvas, const DiagramGeometry& area,
                                          const DiagramInput& input, const QString& flagWidthText) {
    place(area);
    const int W = VtPlotWidth;
    const int H = VtPlotHeight;
    const MeasurementStore& store = input.store;
    const bool scaled = computeScales(input, flagWidthText, 60);
    const DiagramFrame f = frame(1);
    drawBackgroundAndAxes(canvas, f);
    if (!scaled) {
        // No positive speed or time to scale an axis by.
        canvas.setPenColour(Black);
        return std::nullopt;
    }
    drawYTicks(canvas, f, VtSpeedScale, VtSpeedFactor, input.locale);
    drawTimeTicks(canvas, f, nearest(VtTimeFactor * VtTimeMax), VtTimeScale, VtTimeFactor, 3,
                  H - 15, input.locale);

    auto x = [&](double t) { return nearestPixel(VtTimeFactor * t * VtTimeScale) + 30; };
    auto y = [&](double v) { return H - 30 - nearestPixel(VtSpeedFactor * v * VtSpeedScale); };
    for (int k = 0; k < input.series(); ++k) {
        canvas.setPenColour(store.SeriesColor[k]);
        canvas.setPenWidth(input.penWidthFor(W));
        computeSpeeds(store, k, 1);
        for (int i = 1; i < BarrierCount; ++i)
            drawCross(canvas, x(store.SeriesDarkTimes[k][i]), y(VtSpeeds[k][i]), 5);
    }

    std::optional<QString> label;
    ClippedCanvas plot(canvas, f.plotLeft(), f.plotTop(), f.plotRight(), f.bottom());
    for (int k = 0; k < input.series(); ++k) {
        canvas.setPenColour(store.SeriesColor[k]);
        switch (drawRelationLine(plot, store, k, 30, H - 30, x, y)) {
        case VtConstant:
            label = QCoreApplication::translate("VtDiagram", "Mittelwert : %1")
                        .arg(formatFixed(VtMean, 3, input.locale));
            break;
        case VtProportional:
            label = QCoreApplication::translate("VtDiagram", "Steigung : %1")
                        .arg(formatFixed(VtMean, 3, input.locale));
            break;
        default:
            label = QString();
        }
    }
    drawFit(canvas, plot, input, 1, x, y);
    // The width stays as the points left it: the next outline may be 2 wide.
    canvas.setPenColour(Black);
    return label;
}

void VtDiagram::drawFit(Canvas& canvas, Canvas& plot, const DiagramInput& input, int unit,
                        const std::function<int(double)>& xOf,
                        const std::function<int(double)>& yOf) {
    FitText.clear();
    if (!input.fitCurve || input.series() == 0) return;
    const auto fit = fitVtLine(input.store, 0, FlagWidthMetres);
    if (!fit) return;
    FitText = fitCaption(fit->slope, fit->intercept, fit->rSquared, input.locale);
    drawFitWithCaption(
        canvas, plot, input.store.SeriesColor[0], xOf, yOf,
        [&](double t) { return fit->intercept.value + fit->slope.value * t; }, VtTimeMax, FitText,
        unit);
}

int VtDiagram::drawRelationLine(Canvas& plot, const MeasurementStore& store, int k, int left,
                                int bottom, const std::function<int(double)>& xOf,
                                const std::function<int(double)>& yOf) {
    const double* t = store.SeriesDarkTimes[k];
    const double* v = VtSpeeds[k];
    const int relation = store.SeriesVtRelation[k];
    double sum = 0;
    switch (relation) {
    case VtConstant:
        for (int i = 1; i <= 9; ++i)
            sum += v[i];
        VtMean = sum / 9;
        plot.line(left, yOf(VtMean), xOf(t[9]), yOf(VtMean));
        return relation;
    case VtProportional:
        for (int i = 1; i <= 9; ++i) {
            VtQuotients[k][i] = v[i] / t[i];
            sum += VtQuotients[k][i];
        }
        VtMean = sum / 9;
        plot.line(left, bottom, xOf(t[9]), yOf(VtMean * t[9]));
        return relation;
    default:
        return VtNone;
    }
}

void VtDiagram::ZeichnePrinter(Canvas& canvas, const DiagramInput& input,
                               const QString& flagWidthText) {
    // The printout computes its own scales; the screen's state stays as the
    // last drawing left it, for the next printout and the next repaint.
    const VtDiagram lastDrawing = *this;
    drawPrintout(canvas, input, flagWidthText);
    *this = lastDrawing;
}

void VtDiagram::drawPrintout(Canvas& canvas, const DiagramInput& input,
                             const QString& flagWidthText) {
    place(PrintGeometry);
    const int W = VtPlotWidth;
    const int H = VtPlotHeight;
    const MeasurementStore& store = input.store;
    const bool scaled = computeScales(input, flagWidthText, 600);
    const DiagramFrame f = frame(10);
    drawBackgroundAndAxes(canvas, f);
    if (!scaled) {
        canvas.setPenColour(Black);
        return;
    }
    drawYTicks(canvas, f, VtSpeedScale, VtSpeedFactor, input.locale);
    drawTimeTicks(canvas, f, nearest(VtTimeFactor * VtTimeMax), VtTimeScale, VtTimeFactor, 30,
                  H - 150, input.locale);

    auto x = [&](double t) { return nearestPixel(VtTimeFactor * t * VtTimeScale) + 300; };
    auto y = [&](double v) { return H - 300 - nearestPixel(VtSpeedFactor * v * VtSpeedScale); };
    const Rgb printColours[3] = {Red, Blue, Gray};
    for (int k = 0; k < input.series(); ++k) {
        canvas.setPenColour(printColours[k]);
        canvas.setPenWidth(input.penWidthFor(W));
        computeSpeeds(store, k, 0);
        for (int i = 1; i < BarrierCount; ++i)
            drawCross(canvas, x(store.SeriesDarkTimes[k][i]), y(VtSpeeds[k][i]), 50);
    }
    // The lines keep the pen of the last series' points.
    ClippedCanvas plot(canvas, f.plotLeft(), f.plotTop(), f.plotRight(), f.bottom());
    for (int k = 0; k < input.series(); ++k)
        drawRelationLine(plot, store, k, 300, H - 300, x, y);
    drawFit(canvas, plot, input, 10, x, y);
    canvas.setPenColour(Black);
}

void VtDiagram::drawCleared(Canvas& canvas, const DiagramGeometry& area, const QLocale& locale) {
    place(area);
    VtSpeedMax = 1.0;
    VtTimeMax = 1.0;
    VtSpeedScale = intPart(VtPlotHeight / 10.0 * VtSpeedMax);
    VtTimeScale = intPart((VtPlotWidth - 60) / 1.0);
    const DiagramFrame f = frame(1);
    drawBackgroundAndAxes(canvas, f);
    drawYTicks(canvas, f, VtSpeedScale, 10, locale);
}

} // namespace kelmot
