// SPDX-License-Identifier: GPL-3.0-or-later
// The demonstration as a physics teacher checks it: three runs of the
// virtual track in "three lists" mode, their fits, the speeds the table,
// the v-t diagram and the fit share, and "Messreihe auswerten".
#include "acquisition/tabellemess_u.h"
#include "app/kelmot_u.h"
#include "diagrams/stdiagramm_u.h"
#include "diagrams/vtdiagramm_u.h"
#include "evaluation/curvefit.h"
#include "evaluation/seriesofrunswindow.h"
#include "evaluation/tabelle_u.h"
#include "platform/paced_wavein.h"
#include "platform/simulatedtrack.h"
#include "settings/config_u.h"
#include "tests/app/gui_fixture.h"
#include "widgets/controls.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <cmath>

using namespace kelmot;
using namespace kelmot::platform;
using namespace kelmot::test;

namespace {

class Demonstration : public ProgramFixture {
protected:
    // The demonstration's track (a run of its own at each opening), handed
    // over losslessly: the test does not depend on the machine's speed.
    void startDemonstration() {
        start(SimulatedMixerApi::demonstrationDevices(),
              std::make_shared<PacedBackend>("Simulation", demonstrationRuns(), 20.0,
                                             "virtuelle Fahrbahn", PacedBackend::Pacing::Lossless));
    }
    void threeLists() { Form8->RB_drei->setChecked(true); }
    void measure() {
        const int before = Store.MeasurementNumber;
        Form1->Messenvt1Click();
        Form2->B_mess->click();
        ASSERT_TRUE(processUntil([&] { return Store.MeasurementNumber == before + 1; }, 120000));
        ASSERT_TRUE(processUntil([] { return !Form2->AudioIn->DeviceOpen(); }));
    }
};

// "(0,1302 ± 0,0011)" in the desktop's notation.
const QRegularExpression Rounded(QStringLiteral("^\\(-?\\d+[.,]\\d+ ± \\d+[.,]\\d+\\)$"));

} // namespace

TEST_F(Demonstration, ThreeRunsDifferAndTheirFitsAgreeWithTheTrack) {
    startDemonstration();
    EXPECT_EQ(Form6->Edit1->text(), QString::number(TrackParameters{}.flagWidthMm))
        << "the flag-width field starts with the virtual track's flag";
    threeLists();
    for (int run = 0; run < 3; ++run)
        ASSERT_NO_FATAL_FAILURE(measure());
    const double a = SimulatedTrack(TrackParameters{}, 22050).modelAcceleration();
    for (int k = 0; k < 3; ++k) {
        const auto st = fitStParabola(Store, k);
        const auto vt = fitVtLine(Store, k, UsualFlagWidthMm / 1000.0);
        ASSERT_TRUE(st && vt) << k;
        // The speeds are the cart's: the v-t fit finds the track's
        // acceleration, as the s-t fit does, within their uncertainties.
        const double both = std::hypot(st->a.uncertainty, vt->slope.uncertainty);
        EXPECT_NEAR(st->a.value, vt->slope.value, 3 * both) << "run " << k;
        EXPECT_NEAR(vt->slope.value, a, 3 * vt->slope.uncertainty + 0.001) << "run " << k;
        EXPECT_GT(st->a.uncertainty, 0) << "an honest uncertainty";
    }
    EXPECT_NE(Store.SeriesDarkTimes[0][9], Store.SeriesDarkTimes[1][9]) << "no two runs equal";
    EXPECT_NE(Store.SeriesDarkTimes[1][9], Store.SeriesDarkTimes[2][9]);
    // Both captions as physicists write them.
    Form1->Diagrammvt1Click();
    Form3->Ausgleichskurve1->setChecked(true);
    Form4->Ausgleichskurve1->setChecked(true);
    const QRegularExpression caption(
        QStringLiteral("^Ausgleich: a = \\(0[.,]1\\d+ ± 0[.,]0*[1-9]\\d?\\) m/s², v₀ = "
                       "\\(0[.,]\\d+ ± 0[.,]0*[1-9]\\d?\\) m/s "
                       "\\(R² = [01][.,]\\d{4}\\)$"));
    for (const QString& text : {Form3->Diagram.FitText, Form4->Diagram.FitText})
        EXPECT_TRUE(caption.match(text).hasMatch()) << text.toStdString();
}

TEST_F(Demonstration, TableDiagramAndFitShareOneSpeed) {
    startDemonstration();
    ASSERT_NO_FATAL_FAILURE(measure());
    Form1->Diagrammvt1Click();
    Form6->CB3->setChecked(true);
    Form4->paintDiagram();
    const BarrierValues speeds = speedsAtBarriers(
        UsualFlagWidthMm / 1000.0, Store.SeriesDarkTimes[0], Store.SeriesBrightTimes[0]);
    for (int k = 0; k < BarrierCount; ++k) {
        EXPECT_EQ(Form6->TableSpeeds[std::size_t(k)], speeds[std::size_t(k)]) << k;
        // Barrier 0 has no point in the diagram.
        if (k > 0) {
            EXPECT_EQ(Form4->Diagram.VtSpeeds[0][k], speeds[std::size_t(k)]) << k;
        }
        EXPECT_EQ(Form6->cellText(4, k + 1), formatTableValue(speeds[std::size_t(k)], 0)) << k;
        EXPECT_EQ(*barrierSpeed(UsualFlagWidthMm / 1000.0, Store.SeriesDarkTimes[0][k],
                                Store.SeriesBrightTimes[0][k]),
                  speeds[std::size_t(k)]);
    }
    // The fit through those same speeds, at the dark intervals' middles.
    std::vector<double> t, v;
    for (int k = 0; k < BarrierCount; ++k) {
        t.push_back((Store.SeriesDarkTimes[0][k] + Store.SeriesBrightTimes[0][k]) / 2);
        v.push_back(speeds[std::size_t(k)]);
    }
    const auto direct = fitLine(t.data(), v.data(), BarrierCount);
    const auto vt = fitVtLine(Store, 0, UsualFlagWidthMm / 1000.0);
    ASSERT_TRUE(direct && vt);
    EXPECT_EQ(vt->slope.value, direct->slope.value);
}

TEST_F(Demonstration, MessreiheAuswertenShowsTheRunsTheirMeanAndSpread) {
    startDemonstration();
    threeLists();
    Form1->Messreiheauswerten1->trigger();
    ASSERT_TRUE(seriesOfRunsWindow()->isVisible());
    EXPECT_TRUE(seriesOfRunsWindow()->SG_reihe->isHidden()) << "no runs yet";
    EXPECT_TRUE(seriesOfRunsWindow()->L_hinweis->text().contains("zwei oder drei"));
    for (int run = 0; run < 3; ++run)
        ASSERT_NO_FATAL_FAILURE(measure());
    // It follows the store.
    ASSERT_TRUE(processUntil([] { return seriesOfRunsWindow()->SG_reihe->rowCount() == 6; }));
    const TableTexts& t = seriesOfRunsWindow()->table();
    EXPECT_EQ(t[0], (QStringList{"Messung", "a in m/s²", "v₀ in m/s"}));
    EXPECT_EQ(t[1][0], "Messung 3");
    EXPECT_EQ(t[3][0], "Messung 1");
    EXPECT_EQ(t[4][0], "Mittelwert (n = 3)");
    for (std::size_t r = 1; r <= 4; ++r)
        for (int c = 1; c <= 2; ++c)
            EXPECT_TRUE(Rounded.match(t[r][c]).hasMatch()) << t[r][c].toStdString();
    EXPECT_EQ(t[5][0], "Standardabweichung s");
    EXPECT_EQ(seriesOfRunsWindow()->SG_reihe->item(0, 0)->text(), "Messung 3");
    EXPECT_EQ(seriesOfRunsWindow()->SG_reihe->item(0, 0)->foreground().color(),
              toQColor(Store.SeriesColor[0]));

    // Keyboard and screen reader: a named table, its popup by the menu key.
    QAccessibleInterface* table =
        QAccessible::queryAccessibleInterface(seriesOfRunsWindow()->SG_reihe);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->text(QAccessible::Name), "Messreihe");
    QTest::keyClick(seriesOfRunsWindow()->SG_reihe, Qt::Key_Menu);
    ASSERT_TRUE(processUntil([] { return seriesOfRunsWindow()->PopupMenu1->isVisible(); }));
    QApplication::clipboard()->clear();
    QTest::keyClick(seriesOfRunsWindow()->PopupMenu1, Qt::Key_Down);
    QTest::keyClick(seriesOfRunsWindow()->PopupMenu1, Qt::Key_Return);
    ASSERT_TRUE(processUntil([] { return !seriesOfRunsWindow()->PopupMenu1->isVisible(); }));
    EXPECT_EQ(QApplication::clipboard()->text(), tabSeparatedText(t));
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("Messung\ta in m/s²\tv₀ in m/s\r\n"));

    // The printout, read back from the PDF.
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    const QString file = dir_.filePath("messreihe.pdf");
    pdf.setOutputFileName(file);
    seriesOfRunsWindow()->printOn(pdf);
    QProcess text;
    text.start("pdftotext", {"-layout", file, "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains("Messreihe")) << printed.toStdString();
    EXPECT_TRUE(printed.contains("Mittelwert (n = 3)")) << printed.toStdString();
    EXPECT_TRUE(printed.contains(t[4][1])) << printed.toStdString();

    // "Diagramme löschen" keeps one run: no series any more.
    Form1->Diagrammvt1Click();
    Form4->Diagrammelschen1->trigger();
    ASSERT_TRUE(processUntil([] { return seriesOfRunsWindow()->SG_reihe->isHidden(); }));
    EXPECT_TRUE(seriesOfRunsWindow()->L_hinweis->text().contains("zwei oder drei"));
}
