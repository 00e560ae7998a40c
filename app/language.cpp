// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace kelmot {

bool isKnownLanguage(const QString& language) {
    return language == QLatin1String("de") || language == QLatin1String("en");
}

QString chooseLanguage(const QString& forced, const QStringList& uiLanguages) {
    if (isKnownLanguage(forced)) return forced;
    for (const QString& language : uiLanguages) {
        // "de", "de-DE", "de_AT", "en-GB", ...
        const QString code = language.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
        if (isKnownLanguage(code)) return code;
    }
    return QStringLiteral("de");
}

QString languageArgument(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == QLatin1String("--")) break;
        if (a == QLatin1String("--language") && i + 1 < arguments.size()) return arguments[i + 1];
        if (a.startsWith(QLatin1String("--language="))) return a.mid(11);
    }
    return {};
}

QString qtCatalogueFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool installTranslation(const QString& language, const QString& qtCatalogues) {
    // One translator each for the program's life; each application object
    // (the one without windows, then the one with) gets them anew.
    static std::unique_ptr<QTranslator> program;
    static std::unique_ptr<QTranslator> qt;
    if (program) QCoreApplication::removeTranslator(program.get());
    if (qt) QCoreApplication::removeTranslator(qt.get());
    if (language != QLatin1String("en")) {
        // Qt's own texts (file and print dialogs, message-box buttons) in
        // German too; without the catalogue they stay English, nothing else
        // changes.
        if (!qt) qt = std::make_unique<QTranslator>();
        if (qt->load(QStringLiteral("qtbase_de"), qtCatalogues))
            QCoreApplication::installTranslator(qt.get());
        return true;
    }
    if (!program) program = std::make_unique<QTranslator>();
    if (!program->load(QStringLiteral(":/i18n/kelmot_en.qm"))) return false;
    return QCoreApplication::installTranslator(program.get());
}

} // namespace kelmot
