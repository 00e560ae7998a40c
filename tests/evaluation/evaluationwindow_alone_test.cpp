// SPDX-License-Identifier: GPL-3.0-or-later
// The evaluation table on its own: the store, the main window and the
// overwrite question are what it is handed; the diagrams and the export
// confirmation hear from it through signals.
#include "evaluation/tabelle_u.h"
#include "tests/app/gui_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace kelmot;
using namespace kelmot::test;

namespace {

class ScriptedQuestion : public OverwriteQuestion {
public:
    bool allowOverwrite() override {
        ++asked;
        return answer;
    }
    bool answer = false;
    int asked = 0;
};

} // namespace

TEST(EvaluationWindowAlone, WorksOnTheStoreItIsHandedAndSignalsTheDiagrams) {
    Store = MeasurementStore{};
    QLocale::setDefault(QLocale::c());
    MeasurementStore store;
    store.DataPresent = true;
    store.ColumnCount = 3;
    store.SeriesName[0] = QStringLiteral("Messung 1");
    for (int k = 0; k < BarrierCount; ++k)
        store.SeriesDarkTimes[0][k] = 0.5 * k;
    QWidget mainWindow;
    mainWindow.resize(1000, 700);
    ScriptedQuestion question;
    TForm6 window(store, &mainWindow, question);
    window.FormCreate();
    store.refillSelector(window.selector());
    EXPECT_EQ(window.geometry(), QRect(0, 85, 1000, 700 - 85));

    QSignalSpy st(&window, &TForm6::stDiagramChanged);
    QSignalSpy vt(&window, &TForm6::vtDiagramChanged);
    window.RB1->setChecked(true); // s ~ t
    EXPECT_EQ(store.SeriesStRelation[0], StProportional);
    EXPECT_EQ(Store.SeriesStRelation[0], 0);
    EXPECT_EQ(window.cellText(2, 2), "0.20"); // 0.1 m / 0.5 s
    EXPECT_EQ(st.count(), 1);
    window.RB_l->setChecked(true);
    EXPECT_EQ(store.SeriesVtRelation[0], VtProportional);
    window.Edit1->setText(QStringLiteral("20"));
    EXPECT_EQ(window.flagWidthText(), "20");
    EXPECT_EQ(vt.count(), 2);

    // An export onto an existing file asks the question it was handed.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tabelle.xls"));
    {
        QFile existing(path);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("alt");
    }
    QSignalSpy saved(&window, &TForm6::excelFileSaved);
    answeringModals([&] { window.ExportalsEXCELDatei1->trigger(); }, chooseFile(path));
    EXPECT_EQ(question.asked, 1);
    EXPECT_EQ(saved.count(), 0);
    EXPECT_EQ(QFileInfo(path).size(), 3);
    question.answer = true;
    answeringModals([&] { window.ExportalsEXCELDatei1->trigger(); }, chooseFile(path));
    EXPECT_EQ(question.asked, 2);
    EXPECT_EQ(saved.count(), 1);
    EXPECT_GT(QFileInfo(path).size(), 3);
    QLocale::setDefault(QLocale::system());
}
