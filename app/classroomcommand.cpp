// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/classroomcommand.h"

#include "app/program.h"
#include "classroom/classroomservice.h"
#include "classroom/classroomwindow.h"

#include <QCoreApplication>
#include <QLabel>

namespace kelmot {

bool announceClassroomView(std::FILE* out, std::FILE* err) {
    ClassroomWindow& view = *classroomWindow();
    view.open();
    if (!Classroom->running()) {
        std::fprintf(err, "kelmot: %s\n", view.L_fehler->text().toLocal8Bit().constData());
        return false;
    }
    for (const QString& address : Classroom->addresses())
        std::fprintf(out, "%s\n",
                     QCoreApplication::translate("ClassroomCommand", "Klassenansicht: %1")
                         .arg(address)
                         .toLocal8Bit()
                         .constData());
    std::fflush(out);
    return true;
}

} // namespace kelmot
