// SPDX-License-Identifier: GPL-3.0-or-later
// A bare Qt window, the measure of what the program adds at rest: an
// application with one empty main window, as large as the program's own
// (the screen's available area), linked against Qt's widgets alone.
#include <QApplication>
#include <QMainWindow>
#include <QScreen>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.show();
    return app.exec();
}
