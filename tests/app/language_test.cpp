// SPDX-License-Identifier: GPL-3.0-or-later
// The language of the texts: chosen from the desktop or --language, German
// unchanged, English complete.
#include "acquisition/tabellemess_u.h"
#include "app/info_u.h"
#include "app/keinedaten_u.h"
#include "app/kelmot_u.h"
#include "app/language.h"
#include "classroom/classroomwindow.h"
#include "diagrams/stdiagramm_u.h"
#include "diagrams/vtdiagramm_u.h"
#include "evaluation/seriesofrunswindow.h"
#include "evaluation/tabelle_u.h"
#include "evaluation/xlsgespeichert_u.h"
#include "experiments/fallwindow.h"
#include "experiments/pendulumwindow.h"
#include "experiments/pulleywindow.h"
#include "journal/allrunswindow.h"
#include "platform/platformtext.h"
#include "platform/wavein.h"
#include "settings/config_u.h"
#include "store/datafile.h"
#include "tests/app/gui_fixture.h"
#include "widgets/dateivorhanden_u.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTableWidget>
#include <QXmlStreamReader>
#include <algorithm>
#include <map>
#include <set>

using namespace kelmot;
using namespace kelmot::test;

TEST(Language, ChosenFromTheDesktopOrTheCommandLine) {
    EXPECT_EQ(chooseLanguage("", {"de-DE", "en-US"}), "de");
    EXPECT_EQ(chooseLanguage("", {"en-GB", "de"}), "en");
    EXPECT_EQ(chooseLanguage("", {"en_US"}), "en");
    EXPECT_EQ(chooseLanguage("", {"fr-FR", "en-US"}), "en"); // the first we have
    EXPECT_EQ(chooseLanguage("", {"de-AT"}), "de");
    EXPECT_EQ(chooseLanguage("", {"fr-FR", "it"}), "de"); // none we have: our own texts
    EXPECT_EQ(chooseLanguage("", {}), "de");
    EXPECT_EQ(chooseLanguage("en", {"de-DE"}), "en");
    EXPECT_EQ(chooseLanguage("de", {"en-US"}), "de");

    EXPECT_EQ(languageArgument({"kelmot", "--language", "en"}), "en");
    EXPECT_EQ(languageArgument({"kelmot", "--simulate", "--language=de"}), "de");
    EXPECT_EQ(languageArgument({"kelmot", "--", "--language=en"}), "");
    EXPECT_EQ(languageArgument({"kelmot", "--language"}), "");

    ParsedOptions p = parseStartOptions({"kelmot", "--language", "en"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->language, "en");
    p = parseStartOptions({"kelmot", "--language=fr"});
    EXPECT_FALSE(p.options);
    EXPECT_EQ(p.exitCode, 2);
    EXPECT_EQ(p.output, "kelmot: unbekannte Sprache 'fr' (de oder en).\n");
}

namespace {

// Qt's file and print dialogs speak Qt's own translations, not ours.
bool insideQtsOwnDialog(const QObject* o) {
    for (; o; o = o->parent())
        if (o->inherits("QFileDialog") || o->inherits("QAbstractPrintDialog")) return true;
    return false;
}

// Every text a user sees or hears of the program's windows, by where it
// stands: window titles, captions, buttons, group titles, tool tips,
// accessible names, menus and popups, the tables' header rows.
std::map<QString, QString> shownTexts() {
    std::map<QString, QString> texts;
    const auto add = [&](const QString& key, const QString& text) {
        if (!text.isEmpty()) texts[key] = text;
    };
    // The windows made at their first opening are made here, in the
    // language of this start.
    const QList<QWidget*> windows{Form1,
                                  Form2,
                                  Form3,
                                  Form4,
                                  Form5,
                                  AboutBox,
                                  Form6,
                                  Form7,
                                  Form8,
                                  Form9,
                                  fallWindow(),
                                  pendulumWindow(),
                                  pulleyWindow(),
                                  allRunsWindow(),
                                  seriesOfRunsWindow(),
                                  classroomWindow()};
    for (QWidget* window : windows) {
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        widgets.prepend(window);
        for (QWidget* w : widgets) {
            if (insideQtsOwnDialog(w)) continue;
            const QString key = window->objectName() + "/" + w->objectName() + "@" +
                                QString::number(widgets.indexOf(w));
            if (w->isWindow()) add(key + ":title", w->windowTitle());
            add(key + ":tip", w->toolTip());
            add(key + ":name", w->accessibleName());
            if (auto* l = qobject_cast<QLabel*>(w)) add(key + ":text", l->text());
            if (auto* b = qobject_cast<QAbstractButton*>(w)) add(key + ":text", b->text());
            if (auto* g = qobject_cast<QGroupBox*>(w)) add(key + ":text", g->title());
            if (auto* m = qobject_cast<QMenu*>(w)) add(key + ":text", m->title());
            if (auto* t = qobject_cast<QTableWidget*>(w))
                for (int c = 0; c < t->columnCount(); ++c)
                    if (t->item(0, c))
                        add(key + ":cell" + QString::number(c), t->item(0, c)->text());
        }
        const QList<QAction*> actions = window->findChildren<QAction*>();
        for (int i = 0; i < actions.size(); ++i)
            if (!insideQtsOwnDialog(actions[i]->parent()))
                add(window->objectName() + "/" + actions[i]->objectName() + "#" +
                        QString::number(i),
                    actions[i]->text());
    }
    return texts;
}

// The source texts of the English translation whose English is the same.
std::set<QString> sameInEnglish() {
    QFile file(QStringLiteral(KELMOT_SOURCE_DIR "/translations/kelmot_en.ts"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::set<QString> same;
    const auto check =
        qScopeGuard([&] { EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString(); });
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("source")) source = xml.readElementText();
        // A plural's translation holds its forms as elements.
        if (xml.name() == QLatin1String("translation") &&
            xml.readElementText(QXmlStreamReader::IncludeChildElements) == source)
            same.insert(source);
    }
    return same;
}

// A shown text that one of those kept texts gives once its place markers
// hold values ("Version %1" shows as "Version 3.0").
bool keptWithValues(const std::set<QString>& same, const QString& text) {
    const QRegularExpression marker("%\\d");
    return std::any_of(same.begin(), same.end(), [&](const QString& source) {
        const QStringList pieces = source.split(marker);
        // Only a text with words of its own besides the markers counts.
        if (pieces.size() < 2 || !pieces.join("").contains(QRegularExpression("[A-Za-z]")))
            return false;
        QStringList escaped;
        for (const QString& piece : pieces)
            escaped << QRegularExpression::escape(piece);
        const QRegularExpression kept(QRegularExpression::anchoredPattern(escaped.join(".+")));
        return kept.match(text).hasMatch();
    });
}

class EnglishDesktop : public ProgramFixture {
protected:
    void TearDown() override {
        ProgramFixture::TearDown();
        installTranslation(QStringLiteral("de"));
    }
    std::map<QString, QString> textsOfAFreshProgram() {
        start();
        Form6->setVtHeaders();
        auto texts = shownTexts();
        destroyWindows();
        return texts;
    }
};

} // namespace

TEST_F(EnglishDesktop, EveryTextIsTranslatedAndGermanStaysAsItWas) {
    const auto german = textsOfAFreshProgram();
    ASSERT_TRUE(installTranslation(QStringLiteral("en")));
    const auto english = textsOfAFreshProgram();
    ASSERT_EQ(german.size(), english.size());

    const auto shows = [](const std::map<QString, QString>& texts, const QString& text) {
        return std::any_of(texts.begin(), texts.end(),
                           [&](const auto& entry) { return entry.second == text; });
    };
    // The German texts are the program's own, byte for byte.
    EXPECT_TRUE(shows(german, "Speichern unter"));
    EXPECT_TRUE(shows(german, "   Tabelle"));
    EXPECT_TRUE(shows(german, "Zeit an (s)"));
    // A text the same in both languages is one the translation keeps on
    // purpose, a name, or one that never went through the translation.
    const std::set<QString> same = sameInEnglish();
    const std::set<QString> names{"Kelmot", "ComboBox1", "ComboBox2"};
    QStringList untranslated;
    for (const auto& [where, text] : german) {
        ASSERT_TRUE(english.count(where)) << where.toStdString();
        if (english.at(where) != text) continue;
        if (same.count(text) || names.count(text) || keptWithValues(same, text)) continue;
        if (!text.contains(QRegularExpression("[A-Za-zÄÖÜäöüß]"))) continue;
        untranslated << where + " \"" + text + "\"";
    }
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join("\n").toStdString();

    EXPECT_TRUE(shows(english, "Save as"));
    EXPECT_TRUE(shows(english, "   Table"));
    EXPECT_TRUE(shows(english, "Beam clear (s)"));
    EXPECT_FALSE(shows(english, "Zeit an (s)"));
}

TEST_F(EnglishDesktop, FilesStayInterchangeable) {
    ASSERT_TRUE(installTranslation(QStringLiteral("en")));
    start();
    EXPECT_EQ(QString(Form1->Speichernunter1->text()).remove(u'&'), "Save as");
    // A data file written in English reads as one written in German.
    Store.DataPresent = true;
    Form1->SaveFileName = dir_.filePath("englisch.kmd");
    Form1->Speichern();
    QFile saved(Form1->SaveFileName);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray header = saved.readLine();
    EXPECT_TRUE(header.startsWith(DataFileHeader)) << header.toStdString();
    EXPECT_EQ(Form6->windowTitle(), "   Measurement table");

    // Diagrams and tables in English; numbers as the locale writes them.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    for (int k = 0; k < BarrierCount; ++k) {
        Store.SeriesDarkTimes[0][k] = 0.5 * k;
        Store.SeriesBrightTimes[0][k] = 0.5 * k + 0.05;
    }
    Store.SeriesName[0] = QStringLiteral("Run 1");
    Form1->Diagrammst1Click();
    Form3->PB1Paint();
    EXPECT_EQ(Form6->cellText(0, 0), "Position (m)");
    EXPECT_EQ(Form6->cellText(1, 2), "0.50");
    QStringList labels;
    for (const auto& label : Form3->windowDrawing().labels())
        labels << label.text;
    EXPECT_TRUE(labels.contains("Time")) << labels.join("|").toStdString();
    EXPECT_TRUE(labels.contains("Distance in m")) << labels.join("|").toStdString();
    EXPECT_TRUE(labels.contains("0.5")) << labels.join("|").toStdString();

    // The spreadsheet's sheet keeps its name.
    const QString xls = dir_.filePath("englisch.xls");
    ASSERT_TRUE(Form6->SaveAsExcelFile(Form6->SG2, QStringLiteral("Kelmotmessung"), xls));
    QFile sheet(xls);
    ASSERT_TRUE(sheet.open(QIODevice::ReadOnly));
    const QString name = QStringLiteral("Kelmotmessung");
    const QByteArray utf16(reinterpret_cast<const char*>(name.utf16()), name.size() * 2);
    EXPECT_TRUE(sheet.readAll().contains(utf16));
}

TEST(LanguageOfTheProgram, HelpFollowsTheDesktopAndTheOption) {
    const auto help = [](const QStringList& args, const QString& lang) {
        QProcess kelmot;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LANG", lang);
        env.insert("LC_ALL", lang);
        env.remove("LANGUAGE");
        kelmot.setProcessEnvironment(env);
        kelmot.start(QStringLiteral(KELMOT_PROGRAM), args);
        EXPECT_TRUE(kelmot.waitForFinished(30000));
        return QString::fromUtf8(kelmot.readAllStandardOutput());
    };
    EXPECT_TRUE(help({"--help"}, "de_DE.UTF-8").contains("Diese Hilfe anzeigen."));
    EXPECT_TRUE(help({"--help"}, "en_US.UTF-8").contains("Show this help."));
    EXPECT_TRUE(help({"--help", "--language", "en"}, "de_DE.UTF-8").contains("Show this help."));
    EXPECT_TRUE(help({"--help", "--language=de"}, "en_US.UTF-8").contains("Diese Hilfe anzeigen."));
}

TEST(Language, MessagesOfThePlatformLayers) {
    using platform::platformText;
    const char* const empty =
        QT_TRANSLATE_NOOP("Platform", "Die Datei \"%1\" enthält keine Abtastwerte.");
    // A path holding a place marker stays as it is.
    EXPECT_EQ(platformText(empty, "lauf%2.wav"),
              "Die Datei \"lauf%2.wav\" enthält keine Abtastwerte.");
    EXPECT_EQ(platform::genericWaveInErrorText(platform::WaveErrNoDriver),
              "Es ist kein Treiber installiert.");
    ASSERT_TRUE(installTranslation(QStringLiteral("en")));
    EXPECT_EQ(platformText(empty, "lauf%2.wav"), "The file \"lauf%2.wav\" contains no samples.");
    EXPECT_EQ(platform::genericWaveInErrorText(platform::WaveErrNoDriver),
              "No driver is installed.");
    EXPECT_EQ(platform::genericWaveInErrorText(77), "Unknown error 77.");
    installTranslation(QStringLiteral("de"));
    EXPECT_EQ(platform::genericWaveInErrorText(77), "Unbekannter Fehler 77.");
}

// Qt's own dialogs speak the program's language: on a German desktop the
// file dialog and the message boxes' buttons are German, on an English one
// English; without Qt's catalogue they stay English and nothing else changes.
TEST(Language, QtsOwnDialogsFollowTheProgramsLanguage) {
    const auto fileDialogTexts = [] {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        QMessageBox box(QMessageBox::Question, "x", "y", QMessageBox::Yes | QMessageBox::Cancel);
        return QStringList{dialog.findChild<QLabel*>("lookInLabel")->text(),
                           dialog.findChild<QLabel*>("fileNameLabel")->text(),
                           box.button(QMessageBox::Cancel)->text(),
                           box.button(QMessageBox::Yes)->text()};
    };
    const auto restore = qScopeGuard([] { installTranslation(QStringLiteral("de"), QString()); });
    ASSERT_TRUE(installTranslation(QStringLiteral("de")));
    EXPECT_EQ(fileDialogTexts(), (QStringList{"Suchen in:", "Datei&name:", "Abbrechen", "&Ja"}));
    EXPECT_EQ(QCoreApplication::translate("TForm1", "Speichern unter"), "Speichern unter")
        << "the program's texts stay its own";
    ASSERT_TRUE(installTranslation(QStringLiteral("en")));
    EXPECT_EQ(fileDialogTexts(), (QStringList{"Look in:", "File &name:", "Cancel", "&Yes"}));
    // A machine without Qt's catalogue: Qt English, the program German.
    ASSERT_TRUE(installTranslation(QStringLiteral("de"), QStringLiteral("/nonexistent")));
    EXPECT_EQ(fileDialogTexts(), (QStringList{"Look in:", "File &name:", "Cancel", "&Yes"}));
    EXPECT_EQ(QCoreApplication::translate("TForm1", "Speichern unter"), "Speichern unter");
}
