// SPDX-License-Identifier: GPL-3.0-or-later
// The links the composition root hands to windows made before the window
// they call: they answer through that window once it exists.
#include "app/windowlinks.h"
#include "evaluation/tabelle_u.h"
#include "tests/app/gui_fixture.h"

#include <QComboBox>
#include <QLineEdit>

using namespace kelmot;

namespace {

class CountingQuestion : public OverwriteQuestion {
public:
    bool allowOverwrite() override { return ++asked == 1; }
    int asked = 0;
};

} // namespace

TEST(WindowLinks, AnswerThroughTheWindowOnceItExists) {
    TForm6* table = nullptr;
    TableViewLink view([&] { return table; });
    // Before the table: no series, the field's initial flag width.
    EXPECT_EQ(view.selector().count(), 0);
    EXPECT_EQ(view.selector().itemIndex(), -1);
    view.selector().insertItem(0, QStringLiteral("verloren"));
    EXPECT_EQ(view.flagWidthText(), "10");

    MeasurementStore store;
    QWidget mainWindow;
    CountingQuestion question;
    TForm6 window(store, &mainWindow, question);
    table = &window;
    view.selector().insertItem(0, QStringLiteral("Messung 1"));
    view.selector().setItemIndex(0);
    EXPECT_EQ(window.Combo1->count(), 1);
    EXPECT_EQ(window.Combo1->currentText(), "Messung 1");
    EXPECT_EQ(view.selector().itemIndex(), 0);
    window.Edit1->setText(QStringLiteral("25"));
    EXPECT_EQ(view.flagWidthText(), "25");

    OverwriteQuestion* dialog = nullptr;
    OverwriteQuestionLink link([&] { return dialog; });
    EXPECT_FALSE(link.allowOverwrite()); // no dialog: nothing is replaced
    dialog = &question;
    EXPECT_TRUE(link.allowOverwrite());
    EXPECT_FALSE(link.allowOverwrite());
    EXPECT_EQ(question.asked, 2);
}
