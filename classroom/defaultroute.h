// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace kelmot {

// The interface that carries the default route, read from the kernel's
// routing table as Linux lists it in /proc/net/route (the one of lowest
// metric where there are several); empty when there is none.
QString defaultRouteInterface(const QByteArray& procNetRoute);

// The addresses the classroom view names, the default route's interface's
// first: that is the room's network, where a VPN, a container bridge or a
// second card usually is not. Otherwise in the order given. Each entry is
// (interface, address).
QStringList addressesDefaultRouteFirst(const std::vector<std::pair<QString, QString>>& addresses,
                                       const QString& defaultInterface);

} // namespace kelmot
