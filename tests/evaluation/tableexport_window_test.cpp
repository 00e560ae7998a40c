// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/tabelle_u.h"
#include "evaluation/xlswriter.h"
#include "tests/app/gui_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QTableWidget>
#include <QTest>

using namespace kelmot;
using namespace kelmot::test;

namespace {

class TableExportWindow : public ProgramFixture {
protected:
    void startWithVtTable() {
        start();
        for (int k = 0; k < BarrierCount; ++k) {
            Store.RunTimes[0][k] = 0.2 * k;
            Store.RunTimes[1][k] = 0.2 * k + 0.02;
        }
        Store.SeriesResolution[0] = 1;
        Store.commitRun(Form6->selector());
        Form1->Auswertenvt1Click();
        Form6->CB1->setChecked(true);
    }
    QStringList exportAs(const QString& name, bool replace = true) {
        return answeringModals(
            [] { Form6->ExportalsEXCELDatei1Click(); },
            chooseFile(name.isEmpty() ? QString() : dir_.filePath(name), replace));
    }
    QByteArray contents(const QString& name) const {
        QFile f(dir_.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST_F(TableExportWindow, RightOrMiddlePressOpensTheMenuNearTheCorner) {
    startWithVtTable();
    QWidget* cells = Form6->SG2->viewport();
    QTest::mousePress(cells, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_FALSE(Form6->PopupMenu1->isVisible());
    EXPECT_TRUE(Form6->SG2->selectedItems().isEmpty()); // a left press selects nothing
    for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(cells, button, {}, QPoint(200, 120));
        ASSERT_TRUE(processUntil([] { return Form6->PopupMenu1->isVisible(); }));
        EXPECT_EQ(Form6->PopupMenu1->pos(), Form6->frameGeometry().topLeft() + QPoint(100, 100));
        Form6->PopupMenu1->hide();
    }
}

TEST_F(TableExportWindow, ExportWritesTheTableAndConfirms) {
    startWithVtTable();
    EXPECT_EQ(exportAs("messung.txt"), (QStringList{"SD1", "Form9"}));
    const QByteArray written = contents("messung.xls");
    EXPECT_FALSE(QFile::exists(dir_.filePath("messung.txt")));
    // Exactly the workbook of what the table shows: six columns, the dt
    // column filled, v and a empty.
    const TableTexts shown = Form6->tableTexts();
    ASSERT_EQ(shown.size(), 11u);
    EXPECT_EQ(shown[0].size(), 6);
    EXPECT_EQ(shown[1][3], "0.020");
    EXPECT_TRUE(shown[1][4].isEmpty());
    EXPECT_EQ(written, xlsWorkbook("Kelmotmessung", shown, QLocale().decimalPoint().front()));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TableExportWindow, CancelOrNeinWritesNothing) {
    startWithVtTable();
    EXPECT_EQ(exportAs(QString()), QStringList{"SD1"});
    EXPECT_TRUE(QDir(dir_.path()).entryList({"*.xls"}).isEmpty());

    QFile old(dir_.filePath("alt.xls"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("alt");
    old.close();
    EXPECT_EQ(exportAs("alt", false), (QStringList{"SD1", "Form7"}));
    EXPECT_EQ(contents("alt.xls"), "alt");
    EXPECT_EQ(exportAs("alt", true), (QStringList{"SD1", "Form7", "Form9"}));
    EXPECT_TRUE(contents("alt.xls").startsWith("\xD0\xCF\x11\xE0"));
}

TEST_F(TableExportWindow, AFailedExportSaysWhy) {
    startWithVtTable();
    QDir(dir_.path()).mkdir("ordner.xls");
    EXPECT_EQ(exportAs("ordner", true), (QStringList{"SD1", "Form7"}));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(dir_.filePath("ordner.xls"))) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("nicht gespeichert"));
}

// Without a mouse: Tab to the table, the menu key or Shift+F10, an item.
TEST_F(TableExportWindow, TheKeyboardOpensTheTablePopupAndChoosesItsItems) {
    startWithVtTable();
    Form6->show();
    QApplication::setActiveWindow(Form6);
    ASSERT_TRUE(processUntil([] { return Form6->isActiveWindow(); }));
    Form6->Combo1->setFocus();
    QWidget* focused = Form6->Combo1;
    for (int i = 0; i < 20 && focused != Form6->SG2; ++i) {
        QTest::keyClick(focused, Qt::Key_Tab);
        focused = QApplication::focusWidget();
        if (!focused) break;
    }
    ASSERT_EQ(focused, Form6->SG2) << "Tab never reached the table";
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_Menu, Qt::NoModifier},
                                                              {Qt::Key_F10, Qt::ShiftModifier}};
    for (const auto& [key, modifiers] : keys) {
        QTest::keyClick(Form6->SG2, key, modifiers);
        ASSERT_TRUE(processUntil([] { return Form6->PopupMenu1->isVisible(); })) << key;
        EXPECT_EQ(Form6->PopupMenu1->pos(), Form6->frameGeometry().topLeft() + QPoint(100, 100));
        // The open popup is a popup menu with its two items for a screen reader.
        QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(Form6->PopupMenu1);
        ASSERT_TRUE(menu);
        EXPECT_EQ(menu->role(), QAccessible::PopupMenu);
        ASSERT_EQ(menu->childCount(), 2);
        EXPECT_EQ(menu->child(0)->text(QAccessible::Name), "Tabelle in Zwischenablage");
        EXPECT_EQ(menu->child(1)->text(QAccessible::Name), "Export als EXCEL-Datei");
        // Down to the first item, Enter: the table is on the clipboard.
        QApplication::clipboard()->clear();
        QTest::keyClick(Form6->PopupMenu1, Qt::Key_Down);
        QTest::keyClick(Form6->PopupMenu1, Qt::Key_Return);
        ASSERT_TRUE(processUntil([] { return !Form6->PopupMenu1->isVisible(); }));
        EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Ort (m)")) << key;
    }
}
