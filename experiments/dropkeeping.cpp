// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/dropkeeping.h"

#include "store/numberformat.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>

namespace kelmot {

RunRecord dropRecord(const FallDrop& drop, const FenceGeometry& fence, int number) {
    RunRecord record = oneBarrierRecord(
        KindFall, QCoreApplication::translate("DropKeeping", "Fall %1").arg(number), number);
    record.flagWidthMm = formatGeneral(fence.bandWidthMm); // as the table's field shows a width
    DropRecord d;
    d.bands = fence.bands;
    d.pitchMm = fence.pitchMm;
    d.bandWidthMm = fence.bandWidthMm;
    d.complete = drop.complete;
    keepCompletedEvents(record, drop.darkTimes, drop.brightTimes, d.darkTimes, d.brightTimes);
    record.drop = std::move(d);
    return record;
}

} // namespace kelmot
