#include "app/kelmot_u.h"
#include "app/pictures.h"
#include "app/program.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelmot"));
    QApplication::setApplicationVersion(QStringLiteral("3.0"));
    const kelmot::ParsedOptions parsed = kelmot::parseStartOptions(QApplication::arguments());
    if (!parsed.options) {
        std::fputs(parsed.output.toLocal8Bit().constData(), parsed.exitCode ? stderr : stdout);
        return parsed.exitCode;
    }
    QApplication::setWindowIcon(kelmot::programIcon());
    kelmot::createWindows(*parsed.options);
    // Maximised by the window manager; without one, as large as the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        kelmot::Form1->setGeometry(screen->availableGeometry());
    kelmot::Form1->showMaximized();
    const int rc = QApplication::exec();
    kelmot::destroyWindows();
    return rc;
}
