// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagrams/stdiagramm_u.h"
#include "diagrams/vtdiagramm_u.h"
#include "evaluation/tabelle_u.h"
#include "tests/app/gui_fixture.h"

#include <QCheckBox>
#include <QProcess>

using namespace kelmot;
using namespace kelmot::test;

namespace {

class X11Clipboard : public ProgramFixture {
protected:
    void startWithRun() {
        start();
        for (int k = 0; k < BarrierCount; ++k) {
            Store.RunTimes[0][k] = 0.2 * k;
            Store.RunTimes[1][k] = 0.2 * k + 0.02;
        }
        Store.commitRun(Form6->selector());
    }
    // What another program reads: xclip, while our event loop answers it.
    static QByteArray pasted(const QStringList& arguments) {
        QProcess xclip;
        xclip.start("xclip", QStringList{"-selection", "clipboard", "-o"} + arguments);
        const bool ended =
            processUntil([&] { return xclip.state() == QProcess::NotRunning; }, 20000);
        EXPECT_TRUE(ended) << "xclip did not answer";
        EXPECT_EQ(xclip.exitCode(), 0) << xclip.readAllStandardError().toStdString();
        return xclip.readAllStandardOutput();
    }
};

} // namespace

TEST_F(X11Clipboard, DiagramPicturesArePastedAsPng) {
    startWithRun();
    Form1->Diagrammvt1Click();
    for (DiagramWindow* window : std::initializer_list<DiagramWindow*>{Form3, Form4}) {
        window->paintDiagram();
        window->Zwischenablage1Click();
        EXPECT_TRUE(pasted({"-t", "TARGETS"}).contains("image/png"));
        QImage image;
        ASSERT_TRUE(image.loadFromData(pasted({"-t", "image/png"}), "PNG"))
            << window->objectName().toStdString();
        EXPECT_EQ(image.size(), QSize(413, 266));
        EXPECT_EQ(image.pixelColor(300, 12), QColor(255, 251, 240)); // cream background
        EXPECT_EQ(image.pixelColor(30, 100), QColor(0, 0, 0));       // the y axis
    }
}

TEST_F(X11Clipboard, TableTextIsPastedByteForByte) {
    startWithRun();
    // s-t at 10 ms: three columns, quotient column blank (" keiner").
    Form1->Auswertenst1Click();
    Form6->CopySG();
    QByteArray expected = "Ort (m)  Zeit aus (s)  Quotient (m/s)  \r\n";
    for (int k = 0; k < 10; ++k) {
        // Position, 7 + 2 blanks; dark time, 12 − 4 blanks; two blanks for
        // " keiner", 14 − 4 blanks.
        expected += "0." + QByteArray::number(k) + QByteArray(9, ' ');
        expected += QByteArray::number(0.2 * k, 'f', 2) + QByteArray(8, ' ');
        expected += QByteArray(2, ' ') + QByteArray(10, ' ') + "\r\n";
    }
    EXPECT_EQ(pasted({}), expected);

    // v-t at 1 ms with dt on and v, a off: six columns, empty ones filled.
    Store.SeriesResolution[0] = 1;
    Form1->Auswertenvt1Click();
    Form6->CB1->setChecked(true);
    Form6->CopySG();
    const QByteArray text = pasted({});
    const QList<QByteArray> lines = text.split('\n');
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[0], "Ort (m)  Zeit aus (s)  Zeit an (s)  dt (s)  v (m/s)  a (m/s²)  \r");
    EXPECT_EQ(lines[3], "0.2" + QByteArray(9, ' ') + "0.400" + QByteArray(9, ' ') + "0.420" +
                            QByteArray(8, ' ') + "0.020" + QByteArray(3, ' ') + QByteArray(4, ' ') +
                            QByteArray(5, ' ') + "\r");
}
