// SPDX-License-Identifier: GPL-3.0-or-later
// Leaks memory inside an event handler that Qt calls, as a forgotten
// delete in a button handler would. Run under LeakSanitizer with the test
// suppressions, it must fail: the suppressions may not hide our leaks.
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTimer::singleShot(0, &app, [] {
        int* lost = new int[64]; // never deleted: the only pointer goes out of scope
        lost[0] = 64;
        std::fprintf(stderr, "leaking %d ints\n", lost[0]);
        QCoreApplication::quit();
    });
    return QCoreApplication::exec();
}
