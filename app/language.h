// SPDX-License-Identifier: GPL-3.0-or-later
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

// Where Qt's own catalogues are (Debian's qt6-translations-l10n).
QString qtCatalogueFolder();

// Installs the texts of `language` in the running application (replacing
// any installed before): "en" the program's English; "de" none of the
// program's (its texts are German) but Qt's German catalogue from
// `qtCatalogues`, so that Qt's own dialogs speak the program's language. A
// missing catalogue leaves Qt's texts English and changes nothing else.
// False when the program's translation could not be loaded: the German
// texts stay.
bool installTranslation(const QString& language, const QString& qtCatalogues = qtCatalogueFolder());

} // namespace kelmot
