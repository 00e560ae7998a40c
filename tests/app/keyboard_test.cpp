// SPDX-License-Identifier: GPL-3.0-or-later
// The program without a mouse: menu keys in German and English, the usual
// shortcuts, and a measurement started and stopped from the keyboard.
#include "acquisition/AudioIO.h"
#include "acquisition/tabellemess_u.h"
#include "app/kelmot_u.h"
#include "app/language.h"
#include "app/program.h"
#include "diagrams/stdiagramm_u.h"
#include "evaluation/tabelle_u.h"
#include "evaluation/tabletext.h"
#include "tests/app/gui_fixture.h"
#include "widgets/helpwindow.h"
#include "widgets/keyboard.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>

using namespace kelmot;
using namespace kelmot::test;

namespace {

// The letter a caption marks, lower case; none when it marks none.
QChar markedLetter(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return {};
}

// Every menu of the main window (the bar itself first): each caption marks
// one letter, none twice in one menu, and reads as before without the mark.
void expectEveryMenuMarked(const QStringList& plainTitles) {
    std::vector<QList<QAction*>> menus{Form1->MainMenu1->actions()};
    for (QAction* a : Form1->MainMenu1->actions())
        if (a->menu()) menus.push_back(a->menu()->actions());
    QStringList titles;
    for (QAction* a : Form1->MainMenu1->actions())
        titles << QString(a->text()).remove(u'&');
    EXPECT_EQ(titles, plainTitles);
    for (const auto& actions : menus) {
        QSet<QChar> letters;
        for (QAction* a : actions) {
            const QChar letter = markedLetter(a->text());
            EXPECT_FALSE(letter.isNull()) << a->text().toStdString();
            EXPECT_FALSE(letters.contains(letter)) << a->text().toStdString();
            letters.insert(letter);
        }
    }
}

} // namespace

TEST(Mnemonics, FirstLettersThenWordStartsThenAnyFreeLetter) {
    EXPECT_EQ(withMnemonics({"Datei", "Messen", "Auswerten", "Diagramm", "Einstellungen",
                             "Klassenansicht", "Info"}),
              (QStringList{"&Datei", "&Messen", "&Auswerten", "Dia&gramm", "&Einstellungen",
                           "&Klassenansicht", "&Info"}));
    EXPECT_EQ(
        withMnemonics({"Speichern unter", "Laden s-t", "Laden v-t", "Alle Messungen", "Ende"}),
        (QStringList{"&Speichern unter", "&Laden s-t", "Laden &v-t", "&Alle Messungen", "&Ende"}));
    EXPECT_EQ(withMnemonics({"File", "Measure", "Evaluate", "Diagram", "Settings", "Classroom view",
                             "About"}),
              (QStringList{"&File", "&Measure", "&Evaluate", "&Diagram", "&Settings",
                           "&Classroom view", "&About"}));
    // A mark of its own stays and takes its letter; a literal ampersand
    // stays one; a caption without a free letter stays without a mark.
    EXPECT_EQ(withMnemonics({"Dru&cken", "Copy", "A & B", "ab", "ba", "b"}),
              (QStringList{"Dru&cken", "C&opy", "&A && B", "ab", "&ba", "b"}));
    EXPECT_EQ(withMnemonics({"ä", "Ä"}), (QStringList{"&ä", "Ä"}));
}

TEST_F(ProgramFixture, EveryMenuHasItsKeysAndTheUsualShortcuts) {
    start();
    expectEveryMenuMarked(
        {"Datei", "Messen", "Auswerten", "Diagramm", "Einstellungen", "Klassenansicht", "Info"});
    EXPECT_EQ(Form1->Ladenst1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(Form1->Speichernunter1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(Form1->Ende1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));

    // Alt+M opens "Messen"; Ctrl+S the save dialog.
    Form1->show();
    QApplication::setActiveWindow(Form1);
    ASSERT_TRUE(processUntil([] { return Form1->isActiveWindow(); }));
    QTest::keyClick(Form1, Qt::Key_M, Qt::AltModifier);
    ASSERT_TRUE(processUntil([] { return QApplication::activePopupWidget() != nullptr; }));
    EXPECT_EQ(QApplication::activePopupWidget(), Form1->MainMenu1->actions()[1]->menu());
    QApplication::activePopupWidget()->close();
    // Without data "Speichern unter" says there is none, as from the menu.
    EXPECT_EQ(closingModals([] { QTest::keyClick(Form1, Qt::Key_S, Qt::ControlModifier); }),
              QStringList{"Form5"});
}

class EnglishKeys : public ProgramFixture {
protected:
    void TearDown() override {
        ProgramFixture::TearDown();
        installTranslation(QStringLiteral("de"));
    }
};

TEST_F(EnglishKeys, EveryEnglishMenuHasItsOwnKeys) {
    ASSERT_TRUE(installTranslation(QStringLiteral("en")));
    start();
    expectEveryMenuMarked(
        {"File", "Measure", "Evaluate", "Diagram", "Settings", "Classroom view", "About"});
    EXPECT_EQ(Form1->MainMenu1->actions()[0]->text(), "&File");
}

// In the measurement window: Tab reaches the live table, Enter on "Messen"
// arms a run, Escape stops it.
TEST_F(ProgramFixture, AMeasurementByKeyboard) {
    start();
    Form1->Messenst1Click();
    QApplication::setActiveWindow(Form2);
    ASSERT_TRUE(processUntil([] { return Form2->isActiveWindow(); }));
    Form2->B_abbruch->setFocus();
    QWidget* focused = Form2->B_abbruch;
    for (int i = 0; i < 10 && focused != Form2->SG1; ++i) {
        QTest::keyClick(focused, Qt::Key_Tab);
        focused = QApplication::focusWidget();
        if (!focused) break;
    }
    ASSERT_EQ(focused, Form2->SG1) << "Tab never reached the live table";
    QTest::keyClick(Form2->SG1, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), Form2->SG1) << "Tab leaves the table";

    Form2->B_mess->setFocus();
    QTest::keyClick(Form2->B_mess, Qt::Key_Return);
    EXPECT_TRUE(Form2->AudioIn->DeviceOpen()) << "Enter pressed Messen";
    QTest::keyClick(Form2->SG1, Qt::Key_Escape);
    EXPECT_EQ(Form2->L_status->text(), "   Abgebrochen   ");
}

// Ctrl+C copies the table that has the focus, and a diagram window's picture.
TEST_F(ProgramFixture, CtrlCCopiesTheTableOrTheDiagram) {
    start();
    Store.RunTimes[0][9] = 2.0;
    for (int k = 0; k < BarrierCount; ++k)
        Store.RunTimes[0][k] = 0.2 * k;
    Store.commitRun(Form6->selector());
    Form1->Diagrammst1Click();
    QApplication::clipboard()->clear();
    QApplication::setActiveWindow(Form6);
    ASSERT_TRUE(processUntil([] { return Form6->isActiveWindow(); }));
    Form6->SG2->setFocus();
    QTest::keyClick(Form6->SG2, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              tableClipboardText(Form6->tableTexts(), Store.SeriesResolution[0]));
    QApplication::setActiveWindow(Form3);
    ASSERT_TRUE(processUntil([] { return Form3->isActiveWindow(); }));
    ASSERT_TRUE(processUntil([] { return !Form3->picture->pixmap().isNull(); }));
    QTest::keyClick(Form3, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(413, 266));
}

// F1 in any window opens the manual in the program's language; Escape closes it.
TEST_F(ProgramFixture, F1OpensTheManual) {
    start();
    Form1->show(); // as the program shows it
    Form1->Messenst1Click();
    QApplication::setActiveWindow(Form2);
    ASSERT_TRUE(processUntil([] { return Form2->isActiveWindow(); }));
    QTest::keyClick(Form2, Qt::Key_F1);
    auto* help = Form1->findChild<HelpWindow*>();
    ASSERT_TRUE(help);
    ASSERT_TRUE(processUntil([help] { return help->isVisible(); }));
    EXPECT_TRUE(help->TB_hilfe->toPlainText().startsWith("NAME\nkelmot - Messwerterfassung"))
        << help->TB_hilfe->toPlainText().left(80).toStdString();
    EXPECT_TRUE(help->TB_hilfe->toPlainText().contains("Statt der Soundkarte"));
    // The window manager activates it (here by hand); the text has the focus.
    QApplication::setActiveWindow(help);
    ASSERT_TRUE(processUntil([help] { return help->isActiveWindow(); }));
    EXPECT_EQ(QApplication::focusWidget(), help->TB_hilfe) << "a screen reader starts reading";
    QTest::keyClick(help->TB_hilfe, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());
}

TEST_F(EnglishKeys, F1OpensTheEnglishManual) {
    ASSERT_TRUE(installTranslation(QStringLiteral("en")));
    start();
    Form1->Hilfe1Click();
    auto* help = Form1->findChild<HelpWindow*>();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->TB_hilfe->toPlainText().contains(
        "Measure the virtual track instead of the sound card"));
}
