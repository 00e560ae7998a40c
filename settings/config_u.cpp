#include "settings/config_u.h"

#include "app/controls.h"
#include "app/kelmot_u.h"
#include "app/program.h"
#include "evaluation/tabelle_u.h"
#include "store/configfile.h"
#include "store/measurementstore.h"
#include "store/rounding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace kelmot {

TForm8* Form8 = nullptr;

namespace {

// A drop-down list that can be typed into and shows its placeholder text
// until an item is chosen.
QComboBox* editableList(QWidget* parent, const char* name, const QRect& geometry) {
    auto* list = place<QComboBox>(parent, name, geometry);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->lineEdit()->setText(QString::fromLatin1(name));
    return list;
}

} // namespace

TForm8::TForm8(QWidget* parent) : QDialog(parent) {
    setObjectName("Form8");
    setWindowTitle(QStringLiteral("   Einstellungen der Soundkarte"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    setFixedSize(568, 479);

    GroupBox1 = place<QGroupBox>(this, "GroupBox1", {16, 12, 536, 250},
                                 QStringLiteral("   Soundkarteneinstellungen   "));
    L_mixer = place<QLabel>(GroupBox1, "L_mixer", {16, 24, 400, 20});
    L_geraet = place<QLabel>(GroupBox1, "L_geraet", {16, 56, 120, 20}, QStringLiteral("Gerät :"));
    ComboBox1 = editableList(GroupBox1, "ComboBox1", {140, 52, 370, 24});
    L_geraet->setBuddy(ComboBox1);
    L_eingang =
        place<QLabel>(GroupBox1, "L_eingang", {16, 96, 120, 20}, QStringLiteral("Eingabekanal"));
    ComboBox2 = editableList(GroupBox1, "ComboBox2", {140, 92, 240, 24});
    L_eingang->setBuddy(ComboBox2);
    CB2 =
        place<QCheckBox>(GroupBox1, "CB2", {390, 94, 140, 20}, QStringLiteral("Gewählt / Ton aus"));
    Label1 = place<QLabel>(GroupBox1, "Label1", {16, 150, 200, 20},
                           QStringLiteral("Empfindlichkeitsschwelle:"));
    ScrollBar1 = place<QScrollBar>(GroupBox1, "ScrollBar1", {16, 180, 494, 20}, Qt::Horizontal);
    ScrollBar1->setRange(0, 30000);
    ScrollBar1->setPageStep(0);
    ScrollBar1->setValue(5000);
    ScrollBar1->setAccessibleName(QStringLiteral("Empfindlichkeitsschwelle"));

    GroupBox2 = place<QGroupBox>(this, "GroupBox2", {16, 276, 536, 100},
                                 QStringLiteral("   Ausgabeformat   "));
    RB_einzel =
        place<QRadioButton>(GroupBox2, "RB_einzel", {16, 30, 500, 22},
                            QStringLiteral("Für jede Einzelmessung neu ausgeben / zeichnen"));
    RB_drei = place<QRadioButton>(GroupBox2, "RB_drei", {16, 62, 500, 22},
                                  QStringLiteral("Drei Listen / Diagramme zur Auswahl anzeigen"));
    Button1 = place<QPushButton>(this, "Button1", {150, 410, 110, 30}, QStringLiteral("Speichern"));
    Button2 = place<QPushButton>(this, "Button2", {308, 410, 110, 30}, QStringLiteral("Abbrechen"));

    // Only the user's choice runs the list handlers; selecting in code does not.
    connect(ComboBox1, &QComboBox::activated, this, &TForm8::ComboBox1Change);
    connect(ComboBox2, &QComboBox::activated, this, &TForm8::ComboBox2Change);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm8::ScrollBar1Change);
    connect(RB_einzel, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RB_einzelClick();
    });
    connect(RB_drei, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RB_dreiClick();
    });
    connect(Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm8::Button2Click);
}

void TForm8::selectItem(QComboBox* box, int index, const QString& placeholder) {
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
    if (box->currentIndex() < 0) box->lineEdit()->setText(placeholder);
}

void TForm8::FormCreate() {
    if (Form1)
        move(nearest(Form1->width() / 2.0) - nearest(width() / 2.0),
             nearest(Form1->height() / 2.0) - nearest(height() / 2.0));
    TAudioMixer* mixer = Form1->Mixer;
    L_mixer->setText(QString::number(mixer->DeviceCount()) +
                     QStringLiteral(" Schnittstelle(n) im System"));
    for (int d = 0; d < mixer->DeviceCount(); ++d) {
        mixer->setMixerId(d);
        ComboBox1->addItem(mixer->ProductName());
    }
    if (ComboBox1->count() >= 1) {
        selectItem(ComboBox1, Store.MixerDevice, QStringLiteral("ComboBox1"));
        ComboBox1Change();
        selectItem(ComboBox2, Store.InputLine, QStringLiteral("ComboBox2"));
    }
    // The scroll bar clamps to 0..30000 and, when that moves it, hands the
    // clamped value back to the threshold.
    ScrollBar1->setValue(Store.Threshold);
}

void TForm8::ComboBox1Change() {
    TAudioMixer* mixer = Form1->Mixer;
    const int index = ComboBox1->currentIndex();
    if (index >= 0 && index < mixer->DeviceCount()) mixer->setMixerId(index);
    Store.MixerDevice = index;
    ComboBox2->clear();
    selectItem(ComboBox2, -1, QStringLiteral("ComboBox2"));
    if (mixer->DeviceCount() == 0) return;
    if (const TMixerDestination* rec = mixer->Destinations()[1]) {
        for (int i = 0; i < rec->Connections->Count(); ++i)
            ComboBox2->addItem(rec->Connections->Items(i)->Name().left(64));
        selectItem(ComboBox2, -1, QStringLiteral("ComboBox2"));
    }
}

void TForm8::ComboBox2Change() {
    TAudioMixer* mixer = Form1->Mixer;
    const int chosen = ComboBox2->currentIndex();
    for (int d = 0; d < mixer->DeviceCount(); ++d) {
        mixer->setMixerId(d);
        if (d != Store.MixerDevice) continue;
        // The other lines first: on a recording selector a later write of 0
        // would clear the entry just chosen.
        for (int i = 0; i < ComboBox2->count(); ++i)
            if (i != chosen) mixer->WriteLineState(1, i, 0, 0, 0);
        TLineState s;
        mixer->ReadLineState(1, chosen, s);
        Store.InputLineSelected = s.Selectable ? 1 : 0;
        CB2->setChecked(Store.InputLineSelected == 1);
        mixer->WriteLineState(1, chosen, 0xFFFF, 0xFFFF, Store.InputLineSelected);
    }
    // Leave the chosen device open, so that names shown later are its own.
    if (Store.MixerDevice >= 0 && Store.MixerDevice < mixer->DeviceCount())
        mixer->setMixerId(Store.MixerDevice);
}

void TForm8::ScrollBar1Change() {
    Store.Threshold = ScrollBar1->value();
}

void TForm8::RB_einzelClick() {
    Store.switchOutputFormat(false, Form6->selector());
    RB_einzel->setChecked(true);
}

void TForm8::RB_dreiClick() {
    Store.switchOutputFormat(true, Form6->selector());
    RB_drei->setChecked(true);
}

void TForm8::Button1Click() {
    ConfigValues values;
    values.mixerDevice = ComboBox1->currentIndex();
    values.inputLine = ComboBox2->currentIndex();
    values.threshold = ScrollBar1->value();
    values.outputMode = Store.OutputMode;
    if (const auto error = writeConfigFile(ConfigFileName, values)) {
        reportError(this, *error); // the dialog stays open, the store unchanged
        return;
    }
    Store.MixerDevice = values.mixerDevice;
    Store.InputLine = values.inputLine;
    Store.Threshold = values.threshold;
    if (RB_einzel->isChecked())
        Store.OutputMode = 0;
    else if (RB_drei->isChecked())
        Store.OutputMode = 1;
    accept();
}

void TForm8::Button2Click() {
    Store.SeriesCounter = 0;
    reject();
}

} // namespace kelmot
