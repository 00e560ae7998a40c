#pragma once

#include <QString>
#include <QStringList>

namespace kelmot {

// "de" or "en": the languages the program has texts in.
bool isKnownLanguage(const QString& language);

// The language of the program's texts: "de", its own (German) texts, or
// "en". `forced` (--language) wins; otherwise the first of the desktop's
// UI languages (QLocale::system().uiLanguages(), which follows LANGUAGE and
// LANG) that is German or English; with neither, German.
QString chooseLanguage(const QString& forced, const QStringList& uiLanguages);

// The --language value of a command line, empty without one; read before
// the options are parsed, so that their help and messages are translated.
QString languageArgument(const QStringList& arguments);

// Installs the texts of `language` in the running application (replacing
// any installed before); "de" installs none. False when the translation
// could not be loaded: the German texts stay.
bool installTranslation(const QString& language);

} // namespace kelmot
