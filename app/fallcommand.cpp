// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/fallcommand.h"

#include "app/commandstatus.h"

#include "experiments/fallanalysis.h"
#include "store/numberformat.h"

#include <QCoreApplication>
#include <QStringList>

namespace kelmot {

namespace {

QString dropText(int number, const FallDrop& drop, const FenceGeometry& fence,
                 const std::optional<FallResult>& result) {
    QStringList lines;
    lines << QCoreApplication::translate("FallCommand", "Fall %1").arg(number);
    lines << QCoreApplication::translate("FallCommand",
                                         "Latte;Ort;Zeit dunkel;Zeit hell;Geschwindigkeit");
    int band = 0;
    for (const FallPoint& p : fallPoints(drop, fence))
        lines << QStringList{QString::number(++band), formatGeneral(p.position),
                             formatGeneral(p.darkTime), formatGeneral(p.brightTime),
                             formatGeneral(p.speed)}
                     .join(';');
    if (!drop.complete)
        lines << QCoreApplication::translate("FallCommand", "Unvollständig: %1 von %2 Latten")
                     .arg(drop.bands())
                     .arg(fence.bands);
    if (result)
        lines << gText(result->g());
    else
        lines << QCoreApplication::translate("FallCommand", "Kein g aus weniger als %1 Latten.")
                     .arg(FallResult::MinBands);
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace

int printFallDrops(platform::WavStream& stream, std::int32_t threshold, SignalKind signal,
                   const StartOptions& options, std::FILE* out, std::FILE* err) {
    int withG = 0;
    const FallAnalysis result = analyseFallRecording(
        stream, threshold, signal, options.fence, [&](int number, const FallDrop& drop) {
            if (number > 1) std::fputs("\r\n", out);
            const auto result = fitFall(drop, options.fence);
            const QByteArray text = dropText(number, drop, options.fence, result).toUtf8();
            std::fwrite(text.constData(), 1, std::size_t(text.size()), out);
            if (result) ++withG;
        });
    std::fflush(out);
    return oneBarrierStatus(result.error, withG,
                            QCoreApplication::translate(
                                "FallCommand", "kein Fall mit mindestens %1 Latten in der Aufnahme "
                                               "(%2 Flanken erkannt, Schwelle %3).")
                                .arg(FallResult::MinBands)
                                .arg(result.edges)
                                .arg(threshold),
                            err);
}

} // namespace kelmot
