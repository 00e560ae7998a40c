// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/dropkeeping.h"

#include "store/numberformat.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>

namespace kelmot {

RunRecord dropRecord(const FallDrop& drop, const FenceGeometry& fence, int number) {
    RunRecord record;
    record.kind = QString::fromLatin1(KindFall);
    record.number = number;
    record.name = QCoreApplication::translate("DropKeeping", "Fall %1").arg(number);
    record.resolution = 1;
    record.flagWidthMm = formatGeneral(fence.bandWidthMm); // as the table's field shows a width
    DropRecord d;
    d.bands = fence.bands;
    d.pitchMm = fence.pitchMm;
    d.bandWidthMm = fence.bandWidthMm;
    d.complete = drop.complete;
    const std::size_t seen = std::size_t(drop.bands());
    d.darkTimes.assign(drop.darkTimes.begin(), drop.darkTimes.begin() + std::ptrdiff_t(seen));
    d.brightTimes.assign(drop.brightTimes.begin(), drop.brightTimes.begin() + std::ptrdiff_t(seen));
    for (std::size_t k = 0; k < std::min<std::size_t>(seen, BarrierCount); ++k) {
        record.darkTimes[k] = d.darkTimes[k];
        record.brightTimes[k] = d.brightTimes[k];
    }
    record.drop = std::move(d);
    return record;
}

} // namespace kelmot
