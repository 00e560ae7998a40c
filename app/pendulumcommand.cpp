// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pendulumcommand.h"

#include "app/commandstatus.h"

#include "evaluation/uncertainty.h"
#include "experiments/falldrop.h"
#include "experiments/pendulumanalysis.h"
#include "store/numberformat.h"

#include <QCoreApplication>
#include <QStringList>
#include <numbers>

namespace kelmot {

namespace {

QString swingText(int number, const Swing& swing, const PendulumSetup& setup,
                  const std::optional<PendulumResult>& result) {
    QStringList lines;
    lines << QCoreApplication::translate("PendulumCommand", "Pendel %1").arg(number);
    lines << QCoreApplication::translate("PendulumCommand",
                                         "Durchgang;Zeit;Dunkel;Geschwindigkeit;Periode");
    const std::vector<Passage> passages =
        passagesOf(swing.darkTimes, swing.brightTimes, setup.bobWidth());
    for (std::size_t i = 0; i < passages.size(); ++i) {
        const Passage& p = passages[i];
        const QString period =
            i >= 2 && i % 2 == 0 ? formatFixed(p.time - passages[i - 2].time, 5) : QString();
        lines << QStringList{QString::number(i + 1), formatFixed(p.time, 5), formatFixed(p.dark, 5),
                             formatFixed(p.speed, 4), period}
                     .join(';');
    }
    if (swing.beamBlocked) lines << beamBlockedText();
    if (!result) {
        lines << QCoreApplication::translate("PendulumCommand",
                                             "Keine Periode aus weniger als drei Durchgängen.");
        return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    }
    lines << pendulumResultLines(*result);
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace

int printPendulumSwings(platform::WavStream& stream, std::int32_t threshold, SignalKind signal,
                        const StartOptions& options, std::FILE* out, std::FILE* err) {
    int withPeriod = 0;
    const PendulumSetup& setup = options.pendulumSetup;
    const PendulumAnalysis result = analysePendulumRecording(
        stream, threshold, signal, setup, [&](int number, const Swing& swing) {
            if (number > 1) std::fputs("\r\n", out);
            const auto fitted = fitPendulum(
                passagesOf(swing.darkTimes, swing.brightTimes, setup.bobWidth()), setup);
            const QByteArray text = swingText(number, swing, setup, fitted).toUtf8();
            std::fwrite(text.constData(), 1, std::size_t(text.size()), out);
            if (fitted) ++withPeriod;
        });
    std::fflush(out);
    return oneBarrierStatus(result.error, withPeriod,
                            QCoreApplication::translate(
                                "PendulumCommand", "kein Pendel mit einer ganzen Periode in der "
                                                   "Aufnahme (%1 Flanken erkannt, Schwelle %2).")
                                .arg(result.edges)
                                .arg(threshold),
                            err);
}

} // namespace kelmot
