#include "app/kelmot_u.h"
#include "app/pictures.h"
#include "app/program.h"

#include <QApplication>
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
    kelmot::Form1->showMaximized();
    const int rc = QApplication::exec();
    kelmot::destroyWindows();
    return rc;
}
