// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pulleycommand.h"

#include "app/commandstatus.h"

#include "experiments/fallanalysis.h"
#include "experiments/pulleytable.h"
#include "store/numberformat.h"

#include <QCoreApplication>
#include <QStringList>

namespace kelmot {

namespace {

QString turnText(int number, const FallDrop& turn, const PulleySetup& setup,
                 const std::optional<PulleyResult>& result) {
    QStringList lines;
    lines << QCoreApplication::translate("PulleyCommand", "Rad %1").arg(number);
    lines << QCoreApplication::translate(
        "PulleyCommand", "Speiche;Winkel;Ort;Zeit dunkel;Zeit hell;Geschwindigkeit");
    const auto points = pulleyPoints(turn.darkTimes, turn.brightTimes, setup);
    for (std::size_t k = 0; k < points.size(); ++k) {
        const FallPoint& p = points[k];
        lines << QStringList{QString::number(k + 1),
                             formatGeneral(360.0 * double(k) / setup.spokes),
                             formatGeneral(p.position),
                             formatGeneral(p.darkTime),
                             formatGeneral(p.brightTime),
                             formatGeneral(p.speed)}
                     .join(';');
    }
    if (!turn.complete)
        lines << QCoreApplication::translate("PulleyCommand", "Unvollständig: %1 von %2 Speichen")
                     .arg(points.size())
                     .arg(setup.events());
    if (result)
        lines << pulleyResultLines(*result);
    else
        lines << QCoreApplication::translate("PulleyCommand", "Kein a aus weniger als %1 Speichen.")
                     .arg(PulleyResult::MinSpokes);
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace

int printPulleyTurns(platform::WavStream& stream, std::int32_t threshold, SignalKind signal,
                     const StartOptions& options, std::FILE* out, std::FILE* err) {
    int withA = 0;
    const PulleySetup& setup = options.pulleySetup;
    const FallAnalysis found = analyseOneBarrierRecording(
        stream, threshold, signal, pulleyRunLength(setup), [&](int number, const FallDrop& turn) {
            if (number > 1) std::fputs("\r\n", out);
            const auto result =
                fitPulley(pulleyPoints(turn.darkTimes, turn.brightTimes, setup), setup);
            const QByteArray text = turnText(number, turn, setup, result).toUtf8();
            std::fwrite(text.constData(), 1, std::size_t(text.size()), out);
            if (result) ++withA;
        });
    std::fflush(out);
    return oneBarrierStatus(
        found.error, withA,
        QCoreApplication::translate("PulleyCommand",
                                    "keine Umdrehung mit mindestens %1 Speichen in der "
                                    "Aufnahme (%2 Flanken erkannt, Schwelle %3).")
            .arg(PulleyResult::MinSpokes)
            .arg(found.edges)
            .arg(threshold),
        err);
}

} // namespace kelmot
