// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/tabellemess_u.h"
#include "app/info_u.h"
#include "app/keinedaten_u.h"
#include "evaluation/seriesofrunswindow.h"
#include "evaluation/tabelle_u.h"
#include "experiments/fallwindow.h"
#include "experiments/pendulumwindow.h"
#include "experiments/pulleywindow.h"
#include "journal/allrunswindow.h"
#include "settings/config_u.h"
#include "tests/app/gui_fixture.h"
#include "widgets/helpwindow.h"

#include <functional>

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>

using namespace kelmot;
using namespace kelmot::platform;
using kelmot::test::answeringModals;
using kelmot::test::closingModals;
using kelmot::test::muteCard;
using kelmot::test::ProgramFixture;

namespace {

struct CommandCase {
    const char* name;
    void (TForm1::*handler)();
    bool noticeWithoutData;
    bool hidesPicture;
    const char* fileDialog = nullptr; // opened instead, with or without data
};

const CommandCase Commands[] = {
    {"Speichern unter", &TForm1::Speichernunter1Click, true, false, "SaveDialog1"},
    {"Laden s-t", &TForm1::Ladenst1Click, false, true, "OpenDialog1"},
    {"Laden v-t", &TForm1::Ladenvt1Click, false, true, "OpenDialog1"},
    {"Messen s-t", &TForm1::Messenst1Click, false, true},
    {"Messen v-t", &TForm1::Messenvt1Click, false, true},
    {"Auswerten s-t", &TForm1::Auswertenst1Click, true, true},
    {"Auswerten v-t", &TForm1::Auswertenvt1Click, true, true},
    {"Diagramm s-t", &TForm1::Diagrammst1Click, true, false},
    {"Diagramm v-t", &TForm1::Diagrammvt1Click, true, true},
};

std::int32_t volumeOf(const SimulatedMixerApi& api, int device, int line) {
    const auto& dest = api.devices[device].destinations[1];
    return (line < 0 ? dest.line : dest.sources[line]).controls[0].values[0];
}

} // namespace

TEST_F(ProgramFixture, CommandsWithoutDataShowTheNoticeExactlyWhereTheyShould) {
    start();
    for (const CommandCase& c : Commands) {
        Form1->Image1->show();
        const QStringList modals = closingModals([&] { (Form1->*c.handler)(); });
        const QStringList expected = c.noticeWithoutData ? QStringList{"Form5"}
                                     : c.fileDialog      ? QStringList{c.fileDialog}
                                                         : QStringList{};
        EXPECT_EQ(modals, expected) << c.name;
        EXPECT_EQ(Form1->Image1->isHidden(), c.hidesPicture) << c.name;
    }
}

TEST_F(ProgramFixture, CommandsWithDataNeverShowTheNotice) {
    start();
    Store.DataPresent = true;
    for (const CommandCase& c : Commands) {
        Form1->Image1->show();
        const QStringList modals = closingModals([&] { (Form1->*c.handler)(); });
        EXPECT_EQ(modals, c.fileDialog ? QStringList{c.fileDialog} : QStringList{}) << c.name;
        EXPECT_EQ(Form1->Image1->isHidden(), c.hidesPicture) << c.name;
    }
}

TEST_F(ProgramFixture, InfoAndSettingsOpenTheirDialogs) {
    start();
    EXPECT_EQ(closingModals([] { Form1->Info1Click(); }), QStringList{"AboutBox"});
    EXPECT_TRUE(Form1->Image1->isHidden());
    Form1->Image1->show();
    EXPECT_EQ(closingModals([] { Form1->Einstellungen1Click(); }), QStringList{"Form8"});
    EXPECT_FALSE(Form1->Image1->isHidden());
}

TEST_F(ProgramFixture, MenuAndToolBarHoldEveryCommand) {
    start();
    EXPECT_EQ(Form1->windowTitle(), "   Kelmot");
    QStringList menus;
    for (QAction* a : Form1->MainMenu1->actions())
        menus << QString(a->text()).remove(u'&');
    EXPECT_EQ(menus, (QStringList{"Datei", "Messen", "Auswerten", "Diagramm", "Einstellungen",
                                  "Klassenansicht", "Info"}));
    QStringList datei;
    for (QAction* a : Form1->MainMenu1->actions()[0]->menu()->actions())
        datei << QString(a->text()).remove(u'&');
    EXPECT_EQ(datei,
              (QStringList{"Speichern unter", "Laden s-t", "Laden v-t", "Alle Messungen", "Ende"}));

    QStringList hints;
    QList<int> gaps;
    int gap = 0;
    for (QWidget* w : Form1->ToolButtons) {
        if (auto* b = qobject_cast<QToolButton*>(w)) {
            if (!hints.isEmpty()) gaps << gap;
            gap = 0;
            hints << b->toolTip();
            EXPECT_EQ(b->size(), QSize(43, 42));
            EXPECT_EQ(b->iconSize(), QSize(36, 36));
            EXPECT_FALSE(b->icon().isNull()) << b->toolTip().toStdString();
        } else {
            EXPECT_EQ(w->width(), 8);
            ++gap;
        }
    }
    EXPECT_EQ(hints, (QStringList{"Datei laden", "Datei speichern", "Alle Messungen", "s-t-Messung",
                                  "v-t-Messung", "Freier Fall", "Pendel", "Speichenrad",
                                  "s-t Auswertung", "v-t Auswertung", "s-t Auswertung / Diagramm",
                                  "v-t Auswertung / Diagramm", "Einstellungen", "Klassenansicht"}));
    EXPECT_EQ(gaps, (QList<int>{1, 1, 2, 1, 1, 1, 1, 2, 1, 2, 1, 2, 1}));
    EXPECT_EQ(Form1->ToolBar1->height(), 49);
    // "Datei laden" loads as s-t: it hides the picture like "Laden s-t".
    Form1->Image1->show();
    EXPECT_EQ(closingModals([] { qobject_cast<QToolButton*>(Form1->ToolButtons[0])->click(); }),
              QStringList{"OpenDialog1"});
    EXPECT_TRUE(Form1->Image1->isHidden());
}

// The ten windows are there from the start; every other window is made by
// its command, once, and kept: opened again it is the same window.
TEST_F(ProgramFixture, WindowsBeyondTheTenAreMadeAtTheirFirstOpening) {
    start();
    struct Later {
        LaterWindow which;
        void (TForm1::*command)();
        std::function<QWidget*()> window;
    };
    const Later later[] = {
        {LaterWindow::Fall, &TForm1::Messenfall1Click, [] { return fallWindow(); }},
        {LaterWindow::Pendulum, &TForm1::Messenpendel1Click, [] { return pendulumWindow(); }},
        {LaterWindow::Pulley, &TForm1::Messenrad1Click, [] { return pulleyWindow(); }},
        {LaterWindow::AllRuns, &TForm1::Allemessungen1Click, [] { return allRunsWindow(); }},
        {LaterWindow::SeriesOfRuns, &TForm1::Messreiheauswerten1Click,
         [] { return seriesOfRunsWindow(); }},
        {LaterWindow::Help, &TForm1::Hilfe1Click, [] { return helpWindow(); }},
    };
    for (const Later& each : later)
        EXPECT_FALSE(isMade(each.which)) << int(each.which);
    EXPECT_FALSE(isMade(LaterWindow::Classroom));
    for (std::size_t opened = 0; opened < std::size(later); ++opened) {
        const Later& each = later[opened];
        (Form1->*each.command)();
        // This command made its window and none of those still to come.
        for (std::size_t other = 0; other < std::size(later); ++other)
            EXPECT_EQ(isMade(later[other].which), other <= opened) << opened << " " << other;
        QWidget* made = each.window();
        EXPECT_TRUE(made->isVisible()) << int(each.which);
        made->hide();
        (Form1->*each.command)();
        EXPECT_EQ(each.window(), made) << "kept, not made again";
        EXPECT_TRUE(made->isVisible());
    }
    EXPECT_FALSE(isMade(LaterWindow::Classroom)) << "the classroom view stays off";
}

TEST_F(ProgramFixture, NoConfigurationFileGivesTheDefaultsAndCreatesNone) {
    start();
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(Store.MixerDevice, 0);
    EXPECT_EQ(Store.InputLine, 0);
    EXPECT_EQ(Store.Threshold, 5000);
    EXPECT_EQ(Store.OutputMode, 0);
    EXPECT_FALSE(QFile::exists("kelmot.cfg"));
}

TEST_F(ProgramFixture, AThreeLineFileReportsTheConversionAndStillStartsSoundly) {
    writeConfig("0\r\n1\r\n4000\r\n");
    start();
    EXPECT_EQ(errors, QStringList{QString::fromUtf8("'' ist kein gültiger Integerwert")});
    EXPECT_EQ(Store.InputLine, 1);
    EXPECT_EQ(Store.Threshold, 4000);
    EXPECT_EQ(Store.ColumnCount, 2); // initialised even so
    // The routing was skipped: the demonstration card's inputs keep their volume.
    EXPECT_EQ(volumeOf(*mixer, 0, 1), 30000);
    Form1->Messenst1Click(); // lays out the grid without dividing by zero
    EXPECT_EQ(Form2->SG1->columnWidth(0), Form2->SG1->width() / 2);
}

TEST_F(ProgramFixture, AThresholdAboveTheScrollBarIsClampedAtStartUp) {
    writeConfig("0\r\n0\r\n40000\r\n0\r\n");
    start();
    EXPECT_EQ(Store.Threshold, 30000);
    EXPECT_EQ(Form8->ScrollBar1->value(), 30000);
}

TEST_F(ProgramFixture, StartUpRoutesTheInputLineAndEndeRestoresEverything) {
    writeConfig("0\r\n1\r\n5000\r\n0\r\n");
    start({muteCard("Karte")});
    EXPECT_EQ(volumeOf(*mixer, 0, 0), 0);
    EXPECT_EQ(volumeOf(*mixer, 0, 1), 65535);
    EXPECT_EQ(volumeOf(*mixer, 0, 2), 0);
    EXPECT_EQ(mixer->devices[0].destinations[1].sources[0].controls[1].values[0], 0); // unmuted
    Form1->Ende1Click();
    EXPECT_EQ(volumeOf(*mixer, 0, 0), 100);
    EXPECT_EQ(volumeOf(*mixer, 0, 1), 200);
    EXPECT_EQ(volumeOf(*mixer, 0, 2), 300);
    EXPECT_EQ(mixer->devices[0].destinations[1].sources[0].controls[1].values[0], 1);
    EXPECT_EQ(mixer->devices[0].destinations[1].sources[2].controls[1].values[0], 1);
}

TEST_F(ProgramFixture, EndeRestoresTheRecordingSelectorsChoice) {
    // The demonstration card selects "Mikrofon" (entry 0) at start; restoring
    // line by line would leave nothing selected.
    auto devices = SimulatedMixerApi::demonstrationDevices();
    devices[0].destinations[1].line.controls[1].values = {0, 0, 1, 0};
    writeConfig("0\r\n1\r\n5000\r\n0\r\n");
    start(devices);
    Form1->Ende1Click();
    EXPECT_EQ(mixer->devices[0].destinations[1].line.controls[1].values,
              (std::vector<std::int32_t>{0, 0, 1, 0}));
}

TEST_F(ProgramFixture, LineMinusOneRoutesTheRecordingDestinationItself) {
    writeConfig("0\r\n-1\r\n5000\r\n0\r\n");
    start({muteCard("Karte")});
    EXPECT_EQ(volumeOf(*mixer, 0, -1), 65535);
    EXPECT_EQ(volumeOf(*mixer, 0, 1), 0);
}

TEST_F(ProgramFixture, WithoutAnyMixerDeviceStartAndEndTouchNothing) {
    start({}, std::make_shared<kelmot::test::CardLikeBackend>());
    EXPECT_EQ(Form1->Mixer->DeviceCount(), 0);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(Form8->L_mixer->text(), "0 Schnittstelle(n) im System");
    Form1->Messenst1Click();
    EXPECT_TRUE(Form2->L_mixerinfo->text().startsWith("SOUNDKARTE :  (kein Mischpult gefunden)"));
    Form1->Ende1Click();
    EXPECT_EQ(mixer->writes, 0);
}

TEST_F(ProgramFixture, TheConfiguredDeviceIsTheOneRouted) {
    writeConfig("1\r\n0\r\n5000\r\n0\r\n");
    start({muteCard("Erste"), muteCard("Zweite")});
    EXPECT_EQ(volumeOf(*mixer, 0, 0), 100);
    EXPECT_EQ(volumeOf(*mixer, 1, 0), 65535);
    EXPECT_EQ(volumeOf(*mixer, 1, 1), 0);
}

TEST_F(ProgramFixture, FirstSettingsOpeningAppliesTheCurrentOutputMode) {
    start();
    Store.SeriesName[1] = "alt";
    Store.SeriesCounter = 5;
    closingModals([] { Form1->Einstellungen1Click(); });
    EXPECT_TRUE(Store.SeriesName[1].isEmpty());
    EXPECT_EQ(Store.SeriesCounter, 0);
    EXPECT_TRUE(Form8->RB_einzel->isChecked());
    EXPECT_TRUE(Form6->Combo1->isHidden());
}

TEST_F(ProgramFixture, FirstSettingsOpeningInThreeListModeShowsTheSelector) {
    writeConfig("0\r\n0\r\n5000\r\n1\r\n");
    start();
    // Closing would restart the colour cycle ("Abbrechen", Escape and the
    // close box alike): the counter is read while the dialog is open.
    int counterWhileOpen = -1;
    const auto readAndClose = [&](QWidget* modal) {
        counterWhileOpen = Store.SeriesCounter;
        static_cast<QDialog*>(modal)->accept();
    };
    answeringModals([] { Form1->Einstellungen1Click(); }, readAndClose);
    EXPECT_EQ(counterWhileOpen, 1);
    EXPECT_TRUE(Form8->RB_drei->isChecked());
    EXPECT_FALSE(Form6->Combo1->isHidden());
    // A second opening changes nothing: the button is checked already.
    Store.SeriesCounter = 4;
    answeringModals([] { Form1->Einstellungen1Click(); }, readAndClose);
    EXPECT_EQ(counterWhileOpen, 4);
}

TEST_F(ProgramFixture, NoticeAndInfoBoxCarryTheirTexts) {
    start();
    EXPECT_EQ(Form5->windowTitle(), "   Keine Messdaten");
    EXPECT_EQ(Form5->size(), QSize(411, 257));
    EXPECT_EQ(Form5->Label1->text(), "Keine Messdaten vorhanden.");
    EXPECT_EQ(Form5->Label2->text(),
              QString::fromUtf8("Bitte Messung durchführen (\"Messen\") oder Datei laden."));
    EXPECT_FALSE(Form5->Image1->pixmap().isNull());
    EXPECT_EQ(AboutBox->windowTitle(), "Info");
    EXPECT_EQ(AboutBox->Version->text(), "Version 3.0");
    EXPECT_EQ(AboutBox->ProgramIcon->size(), QSize(65, 57));
}

// Every control a screen reader meets is named by its caption, an
// image-only tool button by its hint.
TEST_F(ProgramFixture, ControlsAreNamedForScreenReaders) {
    start();
    const auto nameOf = [](QObject* o) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(o);
        return iface ? iface->text(QAccessible::Name) : QString();
    };
    for (QWidget* w : Form1->ToolButtons) {
        if (auto* b = qobject_cast<QToolButton*>(w)) {
            EXPECT_EQ(nameOf(b), b->toolTip());
        }
    }
    for (QMenu* menu : Form1->MainMenu1->findChildren<QMenu*>()) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(menu);
        ASSERT_TRUE(iface);
        ASSERT_EQ(iface->childCount(), menu->actions().size());
        for (int i = 0; i < iface->childCount(); ++i)
            EXPECT_EQ(iface->child(i)->text(QAccessible::Name),
                      QString(menu->actions()[i]->text()).remove(u'&'));
    }
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(Form1->MainMenu1);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->child(4)->text(QAccessible::Name), "Einstellungen");
    // Every control Tab reaches tells a screen reader what it is for. A
    // button says it with its caption; a field, list or table has no caption
    // of its own (its accessible name is its value), so it needs a name given
    // to it or a label that names it (a buddy, or the group box it is in).
    int checked = 0;
    for (QWidget* window :
         std::initializer_list<QWidget*>{Form2, Form5, AboutBox, Form6, Form8, allRunsWindow()}) {
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (!(control->focusPolicy() & Qt::TabFocus) || control->focusProxy()) continue;
            if (control->window() != window) continue; // a list's popup, in its own window
            const std::string what = window->objectName().toStdString() + " / " +
                                     control->metaObject()->className() + " " +
                                     control->objectName().toStdString();
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
            ASSERT_TRUE(iface) << what;
            if (qobject_cast<QAbstractButton*>(control)) {
                EXPECT_FALSE(iface->text(QAccessible::Name).trimmed().isEmpty()) << what;
            } else {
                EXPECT_TRUE(!control->accessibleName().trimmed().isEmpty() ||
                            !iface->relations(QAccessible::Label).isEmpty())
                    << what << " has neither a name nor a label";
            }
            ++checked;
        }
    }
    EXPECT_GE(checked, 20);
}

TEST_F(ProgramFixture, ThePhotographStaysCentredAfterEveryResize) {
    start();
    Form1->show(); // a shown window hears of every resize at once
    for (const QSize size : {QSize(800, 600), QSize(1280, 1024), QSize(1920, 1080)}) {
        Form1->resize(size);
        EXPECT_EQ(Form1->Image1->x() + Form1->Image1->width() / 2, size.width() / 2)
            << size.width();
    }
}
