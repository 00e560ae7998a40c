// SPDX-License-Identifier: GPL-3.0-or-later
// After every command the windows lie whole on the screen, frames and every
// control included: on a school's 800 x 600 or a projector's 1024 x 768
// nothing is cut off below the screen's edge.
#include "app/kelmot_u.h"
#include "classroom/classroomwindow.h"
#include "evaluation/seriesofrunswindow.h"
#include "settings/config_u.h"
#include "tests/app/gui_fixture.h"
#include "widgets/screenfit.h"

#include <QAction>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

using namespace kelmot;
using namespace kelmot::test;

namespace {

// Every shown top-level window, and every shown control in it, inside the
// available area.
QStringList outside(const QRect& area) {
    QStringList found;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->inherits("QMenu")) continue;
        const QRect frame = window->frameGeometry();
        if (!area.contains(frame))
            found << QStringLiteral("%1 frame %2,%3 %4x%5")
                         .arg(window->objectName())
                         .arg(frame.x())
                         .arg(frame.y())
                         .arg(frame.width())
                         .arg(frame.height());
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (!control->isVisibleTo(window) || control->window() != window) continue;
            const QRect r(control->mapToGlobal(QPoint(0, 0)), control->size());
            if (!area.contains(r))
                found << window->objectName() + QStringLiteral("/") + control->objectName();
        }
    }
    return found;
}

class SmallScreen : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        start();
        Form1->showOnScreen();    // as the program starts
        Store.DataPresent = true; // the commands show their windows, not the notice
        area = QGuiApplication::primaryScreen()->availableGeometry();
    }
    QRect area;
};

} // namespace

TEST_F(SmallScreen, EveryWindowOfEveryCommandLiesWholeOnTheScreen) {
    SCOPED_TRACE(testing::Message() << "screen " << area.width() << " x " << area.height());
    ASSERT_TRUE(area.width() == 800 || area.width() == 1024) << "run with a screen of that size";
    const std::pair<const char*, void (TForm1::*)()> commands[] = {
        {"Messen s-t", &TForm1::Messenst1Click},
        {"Messen v-t", &TForm1::Messenvt1Click},
        {"Auswerten s-t", &TForm1::Auswertenst1Click},
        {"Auswerten v-t", &TForm1::Auswertenvt1Click},
        {"Diagramm s-t", &TForm1::Diagrammst1Click},
        {"Diagramm v-t", &TForm1::Diagrammvt1Click},
        {"Messreihe auswerten", &TForm1::Messreiheauswerten1Click},
        {"Klassenansicht", &TForm1::Klassenansicht1Click},
    };
    for (const auto& [name, command] : commands) {
        (Form1->*command)();
        processUntil([] { return false; }, 0);
        const QStringList out = outside(area);
        EXPECT_TRUE(out.isEmpty()) << name << ":\n" << out.join("\n").toStdString();
    }
    // The dialogs, while they are open.
    for (const auto& [name, command] : {std::pair{"Einstellungen", &TForm1::Einstellungen1Click},
                                        std::pair{"Info", &TForm1::Info1Click}}) {
        QStringList whileOpen;
        answeringModals([&] { (Form1->*command)(); },
                        [&](QWidget* modal) {
                            whileOpen = outside(area);
                            static_cast<QDialog*>(modal)->reject();
                        });
        EXPECT_TRUE(whileOpen.isEmpty()) << name << ":\n" << whileOpen.join("\n").toStdString();
    }
}
