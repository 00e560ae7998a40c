#include "app/pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace kelmot {

QPixmap toolImage(int index) {
    return QPixmap(QStringLiteral(":/kelmot/werkzeug%1.png").arg(index));
}

QIcon programIcon() { return QIcon(QStringLiteral(":/kelmot/kelmot_icon.png")); }

QPixmap warningPicture() { return QPixmap(QStringLiteral(":/kelmot/warnung.png")); }

QPixmap questionPicture() { return QPixmap(QStringLiteral(":/kelmot/frage.png")); }

QString photographPath() {
    if (const QByteArray env = qgetenv("KELMOT_PHOTOGRAPH"); !env.isEmpty())
        return QFile::decodeName(env);
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("aufbau.jpg"));
}

} // namespace kelmot
