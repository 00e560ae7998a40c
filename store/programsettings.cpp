// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/programsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace kelmot {

namespace {

const QString SignalKey = QStringLiteral("detection/signal");
const QString AnnounceKey = QStringLiteral("measurement/announceTimes");

} // namespace

QString programSettingsFile() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("kelmot/kelmot.conf"));
}

SignalKind rememberedSignalKind() {
    const QSettings settings(programSettingsFile(), QSettings::IniFormat);
    const QByteArray word = settings.value(SignalKey).toString().toLatin1();
    return signalKindFromWord(std::string_view(word.constData(), std::size_t(word.size())))
        .value_or(SignalKind::Tone);
}

std::optional<QString> changeProgramSettings(const std::function<void(QSettings&)>& write) {
    const QString file = programSettingsFile();
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return QCoreApplication::translate("ProgramSettings",
                                           "Der Ordner von \"%1\" lässt sich nicht anlegen.")
            .arg(file);
    QSettings settings(file, QSettings::IniFormat);
    write(settings);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return QCoreApplication::translate("ProgramSettings", "\"%1\" lässt sich nicht schreiben.")
            .arg(file);
    return std::nullopt;
}

std::optional<QString> rememberSignalKind(SignalKind kind) {
    return changeProgramSettings([kind](QSettings& settings) {
        const std::string_view word = signalKindWord(kind);
        settings.setValue(SignalKey, QString::fromLatin1(word.data(), qsizetype(word.size())));
    });
}

bool rememberedTimeAnnouncements() {
    const QSettings settings(programSettingsFile(), QSettings::IniFormat);
    // Only the word the program writes turns them off; anything else keeps
    // the default a blind teacher needs.
    return settings.value(AnnounceKey).toString() != QStringLiteral("false");
}

std::optional<QString> rememberTimeAnnouncements(bool on) {
    return changeProgramSettings([on](QSettings& settings) {
        settings.setValue(AnnounceKey, on ? QStringLiteral("true") : QStringLiteral("false"));
    });
}

} // namespace kelmot
