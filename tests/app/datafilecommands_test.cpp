// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/tabelle_u.h"
#include "tests/app/gui_fixture.h"
#include "widgets/dateivorhanden_u.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTableWidget>

using namespace kelmot;
using namespace kelmot::test;

namespace {

class DataFiles : public ProgramFixture {
protected:
    // A finished run: barrier k dark at 0.1·k + 0.0004·k s, for 20 ms.
    void startWithRun(int resolution) {
        start();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        for (int k = 0; k < BarrierCount; ++k) {
            Store.RunTimes[0][k] = k == 0 ? -0.0003 : 0.1004 * k;
            Store.RunTimes[1][k] = Store.RunTimes[0][k] + 0.020;
        }
        Store.SeriesResolution[0] = resolution;
        Store.commitRun(Form6->selector());
    }
    QString path(const QString& name) const { return dir_.filePath(name); }
    QStringList save(const QString& file, bool overwrite = true) {
        return answeringModals([] { Form1->Speichernunter1Click(); }, chooseFile(file, overwrite));
    }
    QStringList load(const QString& file, bool vt = false) {
        return answeringModals([vt] { vt ? Form1->Ladenvt1Click() : Form1->Ladenst1Click(); },
                               chooseFile(file));
    }
    QByteArray contents(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeFile(const QString& name, const QByteArray& text) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QString cell(int c, int r) const { return Form6->cellText(c, r); }
};

} // namespace

TEST_F(DataFiles, WithoutDataSavingShowsTheNotice) {
    start();
    EXPECT_EQ(save(path("x.kmd")), QStringList{"Form5"});
    EXPECT_FALSE(QFile::exists(path("x.kmd")));
}

TEST_F(DataFiles, SaveUnderAnotherExtensionAndLoadBackAsStAndVt) {
    startWithRun(1);
    EXPECT_EQ(save(path("lauf.txt")), QStringList{"SaveDialog1"});
    EXPECT_EQ(Form1->SaveFileName, path("lauf.kmd"));
    EXPECT_FALSE(QFile::exists(path("lauf.txt")));
    const QByteArray text = contents("lauf.kmd");
    EXPECT_TRUE(text.startsWith(
        "Ort ; Zeit dunkel; Zeit hell;1\r\n0;-0,0003;0,0197\r\n0,1;0,1004;0,1204\r\n"))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith("0,9;0,9036;0,9236\r\n"));

    Store.RunTimes[0][5] = 42; // the load brings the file's times back
    EXPECT_EQ(load(path("lauf.kmd")), QStringList{"OpenDialog1"});
    EXPECT_EQ(Store.RunTimes[0][5], 0.502);
    EXPECT_EQ(Store.SeriesName[0], "lauf.kmd");
    EXPECT_EQ(Store.DataTitle, path("lauf.kmd"));
    EXPECT_EQ(Form6->windowTitle(), "  Weg-Zeit-Zusammenhang (s-t)");
    EXPECT_TRUE(Form6->isVisible());
    EXPECT_EQ(Store.ColumnCount, 2);
    EXPECT_EQ(cell(1, 6), "0,502"); // three decimals: the file says 1 ms
    EXPECT_EQ(Form6->L_daten->text(), "Daten : " + path("lauf.kmd"));
    for (QWidget* w : std::initializer_list<QWidget*>{Form6->CB1, Form6->GB1, Form6->GB2,
                                                      Form6->GB3, Form6->Combo1})
        EXPECT_FALSE(w->isVisibleTo(Form6));
    EXPECT_TRUE(Form1->Image1->isHidden());

    // The same file at 10 ms shows two decimals, dark and bright side by side.
    QByteArray coarse = contents("lauf.kmd");
    coarse[29] = '0';
    writeFile("grob.kmd", coarse);
    load(path("grob.kmd"), true);
    EXPECT_EQ(Form6->windowTitle(), "  Geschwindigkeits-Zeit-Zusammenhang (s-t)");
    EXPECT_EQ(Store.ColumnCount, 3);
    EXPECT_EQ(cell(2, 0), "Zeit an (s)");
    EXPECT_EQ(Store.DataTitle, path("grob.kmd"));
    EXPECT_EQ(Store.SeriesResolution[0], 0);
    EXPECT_EQ(cell(1, 6), "0,50");
    EXPECT_EQ(cell(2, 6), "0,52");
}

TEST_F(DataFiles, AnExistingFileIsOverwrittenOnlyAfterJa) {
    startWithRun(0);
    writeFile("alt.kmd", "alt");
    EXPECT_EQ(save(path("alt.kmd"), false), (QStringList{"SaveDialog1", "Form7"}));
    EXPECT_EQ(contents("alt.kmd"), "alt");
    EXPECT_EQ(Form7->windowTitle(), "   Die Datei besteht schon");
    EXPECT_EQ(save(path("alt.kmd"), true), (QStringList{"SaveDialog1", "Form7"}));
    EXPECT_TRUE(contents("alt.kmd").startsWith("Ort ; Zeit dunkel; Zeit hell;0\r\n"));
    // A cancelled dialog saves again under the earlier name, and asks first.
    Store.RunTimes[0][1] = 0.5;
    EXPECT_EQ(save(QString()), (QStringList{"SaveDialog1", "Form7"}));
    EXPECT_TRUE(contents("alt.kmd").contains("\r\n0,1;0,5;"));
}

TEST_F(DataFiles, AFailedSaveIsReportedAndTheEarlierFileStays) {
    startWithRun(0);
    QDir(dir_.path()).mkdir("ordner.kmd"); // a folder where the file should go
    save(path("ordner"));                  // becomes ordner.kmd
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(
        errors[0].startsWith("Die Datei \"" + path("ordner.kmd") + "\" wurde nicht gespeichert."))
        << errors[0].toStdString();
}

TEST_F(DataFiles, ThreeLoadsInThreeListsGetNavyRedGreen) {
    start();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Store.OutputMode = 1; // as from the configuration file: the counter starts at 0
    writeFile("a.kmd", "Ort ; Zeit dunkel; Zeit hell;0\r\n0;0;0,02\r\n");
    writeFile("b.kmd", "Ort ; Zeit dunkel; Zeit hell;1\r\n0;1;1,02\r\n");
    for (const char* name : {"a.kmd", "b.kmd", "a.kmd"})
        load(path(name));
    EXPECT_TRUE(errors.isEmpty()) << errors.join("|").toStdString();
    EXPECT_EQ(Store.SeriesColor[0], Green);
    EXPECT_EQ(Store.SeriesColor[1], Red);
    EXPECT_EQ(Store.SeriesColor[2], Navy);
    EXPECT_EQ(Store.SeriesDarkTimes[1][0], 1.0);
    EXPECT_EQ(Store.SeriesResolution[1], 1);
    EXPECT_EQ(Form6->Combo1->count(), 3);
    EXPECT_EQ(Form6->Combo1->itemText(1), "b.kmd");
    EXPECT_EQ(Form6->Combo1->currentIndex(), 0);
}

TEST_F(DataFiles, ABadFileStopsTheLoadWithTheMessage) {
    startWithRun(1);
    const QString title = Form6->windowTitle();
    writeFile("kaputt.kmd", "Ort ; Zeit dunkel; Zeit hell;1\r\n0;0,25;0,3\r\n0,1;1,5 s;2\r\n");
    Store.DataPresent = false;
    load(path("kaputt.kmd"));
    EXPECT_EQ(errors, QStringList{"'1,5 s' ist kein gültiger Gleitkommawert"});
    EXPECT_EQ(Store.RunTimes[0][0], 0.25); // read before the bad field
    EXPECT_FALSE(Store.DataPresent);
    EXPECT_EQ(Form6->windowTitle(), title); // the rest of the command did not run
    EXPECT_EQ(Store.SeriesName[0], "Messung 1");
}

TEST_F(DataFiles, ACancelledLoadShowsTheStoreAsItWas) {
    startWithRun(1);
    load(QString());
    EXPECT_TRUE(Form1->LoadFileName.isEmpty());
    EXPECT_EQ(Form6->windowTitle(), "  Weg-Zeit-Zusammenhang (s-t)");
    EXPECT_EQ(cell(1, 10), "0,904");
    EXPECT_EQ(Store.SeriesName[0], "Messung 1");
}

TEST_F(DataFiles, AFileNamedAtStartOpensAsAnStTable) {
    start();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    writeFile("doppelklick.kmd",
              "Ort ; Zeit dunkel; Zeit hell;1\r\n0;-0,0003;0,02\r\n0,1;0,25;0,27\r\n");
    Form1->openDataFile(path("doppelklick.kmd"));
    EXPECT_TRUE(Store.DataPresent);
    EXPECT_EQ(Store.SeriesName[0], "doppelklick.kmd");
    EXPECT_EQ(Form6->windowTitle(), "  Weg-Zeit-Zusammenhang (s-t)");
    EXPECT_EQ(cell(1, 2), "0,250");
    EXPECT_TRUE(Form1->Image1->isHidden());
    // A file that is not there: the runtime's message, nothing shown.
    Form1->openDataFile(path("fehlt.kmd"));
    EXPECT_EQ(errors, QStringList{"Datei nicht gefunden"});
}
