#include "diagrams/stdiagramm_u.h"
#include "diagrams/vtdiagramm_u.h"
#include "evaluation/tabelle_u.h"
#include "tests/app/gui_fixture.h"

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
