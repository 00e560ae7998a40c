#include "app/program.h"

#include "acquisition/tabellemess_u.h"
#include "app/info_u.h"
#include "app/keinedaten_u.h"
#include "app/kelmot_u.h"
#include "app/popupaccessibility.h"
#include "diagrams/stdiagramm_u.h"
#include "diagrams/vtdiagramm_u.h"
#include "evaluation/tabelle_u.h"
#include "evaluation/xlsgespeichert_u.h"
#include "settings/config_u.h"
#include "store/dateivorhanden_u.h"

#include <QMessageBox>

namespace kelmot {

ErrorReporter& errorReporter() {
    static ErrorReporter reporter = [](QWidget* parent, const QString& text) {
        QMessageBox::critical(parent, QStringLiteral("Kelmot"), text);
    };
    return reporter;
}

void reportError(QWidget* parent, const QString& text) {
    errorReporter()(parent, text);
}

namespace {

template <typename Window> Window* create(Window*& global, Window* window) {
    global = window;
    window->FormCreate();
    return window;
}

} // namespace

void createWindows(const StartOptions& options) {
    createWindows(options, makeMixerApi(options), makeCaptureBackend(options));
}

void createWindows(const StartOptions& options, std::shared_ptr<platform::MixerApi> mixer,
                   std::shared_ptr<platform::WaveInBackend> capture) {
    // Before any window exists: their accessible interfaces are made once.
    installPopupAccessibility();
    create(Form1, new TForm1(options, std::move(mixer)));
    create(Form2, new TForm2(capture));
    create(Form3, new TForm3);
    create(Form4, new TForm4);
    create(Form5, new TForm5(Form1));
    create(AboutBox, new TAboutBox(Form1));
    create(Form6, new TForm6);
    create(Form7, new TForm7(Form1));
    // The settings dialog listens to the same source as the measurement.
    create(Form8, new TForm8(Form1, std::move(capture)));
    create(Form9, new TForm9(Form1));
    // The table's relationship choices and flag width redraw the diagrams at
    // once, shown or not.
    QObject::connect(Form6, &TForm6::stDiagramChanged, Form3, &TForm3::PB1Paint);
    QObject::connect(Form6, &TForm6::vtDiagramChanged, Form4, &TForm4::PB2Paint);
}

void destroyWindows() {
    // In reverse order; the dialogs go with the main window, their parent.
    delete Form6;
    Form6 = nullptr;
    delete Form4;
    Form4 = nullptr;
    delete Form3;
    Form3 = nullptr;
    delete Form2;
    Form2 = nullptr;
    delete Form1;
    Form1 = nullptr;
    Form5 = nullptr;
    AboutBox = nullptr;
    Form7 = nullptr;
    Form8 = nullptr;
    Form9 = nullptr;
}

} // namespace kelmot
