// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandstatus.h"

#include <QCoreApplication>

namespace kelmot {

void sayOnStderr(std::FILE* err, const QString& text) {
    std::fputs(("kelmot: " + text + "\n").toLocal8Bit().constData(), err);
}

int oneBarrierStatus(const std::string& readError, int runsWithResult, const QString& nothingFound,
                     std::FILE* err) {
    if (!readError.empty()) {
        sayOnStderr(err, QCoreApplication::translate("CommandStatus",
                                                     "Die Aufnahme lässt sich nicht ganz lesen: %1")
                             .arg(QString::fromStdString(readError)));
        return 2;
    }
    if (runsWithResult == 0) {
        sayOnStderr(err, nothingFound);
        return 1;
    }
    return 0;
}

} // namespace kelmot
