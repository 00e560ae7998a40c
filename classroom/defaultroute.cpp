// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/defaultroute.h"

#include <limits>

namespace kelmot {

QString defaultRouteInterface(const QByteArray& procNetRoute) {
    // "Iface Destination Gateway Flags RefCnt Use Metric Mask ...", hex fields.
    QString best;
    long long bestMetric = std::numeric_limits<long long>::max();
    const QList<QByteArray> lines = procNetRoute.split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> f = lines[i].simplified().split(' ');
        if (f.size() < 8) continue;
        bool ok = false;
        const unsigned destination = f[1].toUInt(&ok, 16);
        if (!ok || destination != 0) continue;
        const unsigned mask = f[7].toUInt(&ok, 16);
        if (!ok || mask != 0) continue;
        const unsigned flags = f[3].toUInt(&ok, 16);
        if (!ok || !(flags & 0x1)) continue; // RTF_UP
        const long long metric = f[6].toLongLong(&ok);
        if (!ok || metric >= bestMetric) continue;
        bestMetric = metric;
        best = QString::fromLatin1(f[0]);
    }
    return best;
}

QStringList addressesDefaultRouteFirst(const std::vector<std::pair<QString, QString>>& addresses,
                                       const QString& defaultInterface) {
    QStringList first, rest;
    for (const auto& [interface, address] : addresses)
        (!defaultInterface.isEmpty() && interface == defaultInterface ? first : rest) << address;
    return first + rest;
}

} // namespace kelmot
