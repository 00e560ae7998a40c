// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

// The pictures are compiled into a static library; without a reference the
// linker would leave them out.
static void loadPictureResources() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(kelmot);
        return true;
    }();
    (void)loaded;
}

namespace kelmot {

QPixmap toolImage(int index) {
    loadPictureResources();
    return QPixmap(QStringLiteral(":/kelmot/werkzeug%1.png").arg(index));
}

QIcon programIcon() {
    loadPictureResources();
    return QIcon(QStringLiteral(":/kelmot/kelmot_icon.png"));
}

QByteArray programIconPng() {
    loadPictureResources();
    QFile f(QStringLiteral(":/kelmot/kelmot_icon.png"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QPixmap warningPicture() {
    loadPictureResources();
    return QPixmap(QStringLiteral(":/kelmot/warnung.png"));
}

QPixmap questionPicture() {
    loadPictureResources();
    return QPixmap(QStringLiteral(":/kelmot/frage.png"));
}

QString photographPath() {
    if (const QByteArray env = qgetenv("KELMOT_PHOTOGRAPH"); !env.isEmpty())
        return QFile::decodeName(env);
    // Beside the program in a build tree, under share/kelmot once installed.
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString beside = programDir.filePath(QStringLiteral("aufbau.jpg"));
    const QString installed = programDir.filePath(QStringLiteral("../share/kelmot/aufbau.jpg"));
    return QFile::exists(beside) || !QFile::exists(installed) ? beside : QDir::cleanPath(installed);
}

} // namespace kelmot
