#include "app/language.h"

#include <QCoreApplication>
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

bool installTranslation(const QString& language) {
    // One translator for the program's life; each application object (the
    // one without windows, then the one with) gets it anew.
    static std::unique_ptr<QTranslator> translator;
    if (translator) QCoreApplication::removeTranslator(translator.get());
    if (language != QLatin1String("en")) return true;
    if (!translator) translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/i18n/kelmot_en.qm"))) return false;
    return QCoreApplication::installTranslator(translator.get());
}

} // namespace kelmot
