// SPDX-License-Identifier: GPL-3.0-or-later
#include "experiments/swingkeeping.h"

#include "store/numberformat.h"

#include <QCoreApplication>
#include <algorithm>

namespace kelmot {

RunRecord swingRecord(const std::vector<double>& darkTimes, const std::vector<double>& brightTimes,
                      const PendulumSetup& setup, bool complete, int number) {
    RunRecord record = oneBarrierRecord(
        KindPendulum, QCoreApplication::translate("SwingKeeping", "Pendel %1").arg(number), number);
    record.flagWidthMm = formatGeneral(setup.bobWidthMm); // as the table's field shows a width
    SwingRecord s;
    s.lengthMm = setup.lengthMm;
    s.lengthUncertaintyMm = setup.lengthUncertaintyMm;
    s.bobWidthMm = setup.bobWidthMm;
    s.periods = setup.periods;
    s.complete = complete;
    // A passage is one once the bob has left the beam again.
    keepCompletedEvents(record, darkTimes, brightTimes, s.darkTimes, s.brightTimes);
    record.swing = std::move(s);
    return record;
}

} // namespace kelmot
