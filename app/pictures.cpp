#include "app/pictures.h"

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
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("aufbau.jpg"));
}

} // namespace kelmot
