// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/config_u.h"

#include "acquisition/inputrouting.h"
#include "drawing/rounding.h"
#include "settings/signalview.h"
#include "store/configfile.h"
#include "store/measurementstore.h"
#include "store/programsettings.h"
#include "widgets/controls.h"
#include "widgets/errorreport.h"
#include "widgets/screenfit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

namespace kelmot {

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

TForm8::TForm8(MeasurementStore& store, TAudioMixer& mixer, CaptureInUse& capture,
               SeriesSelector& selector, QWidget* parent)
    : QDialog(parent), store_(store), mixer_(mixer), capture_(capture), selector_(selector) {
    setObjectName("Form8");
    setWindowTitle(tr("   Einstellungen der Soundkarte"));
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    // Taller than the bare settings: the live signal has its own group.
    setFixedSize(568, 679);

    createSoundCardGroup();
    createOutputGroup();
    createSignalGroup();
    createButtons();
    waitForTheRun();
    showSignal();
    connectControls();
}

void TForm8::createSoundCardGroup() {
    GroupBox1 = place<QGroupBox>(this, "GroupBox1", {16, 12, 536, 250},
                                 tr("   Soundkarteneinstellungen   "));
    L_mixer = place<QLabel>(GroupBox1, "L_mixer", {16, 24, 400, 20});
    L_geraet = place<QLabel>(GroupBox1, "L_geraet", {16, 56, 120, 20}, tr("Gerät :"));
    ComboBox1 = editableList(GroupBox1, "ComboBox1", {140, 52, 370, 24});
    L_geraet->setBuddy(ComboBox1);
    L_eingang = place<QLabel>(GroupBox1, "L_eingang", {16, 96, 120, 20}, tr("Eingabekanal"));
    ComboBox2 = editableList(GroupBox1, "ComboBox2", {140, 92, 240, 24});
    L_eingang->setBuddy(ComboBox2);
    CB2 = place<QCheckBox>(GroupBox1, "CB2", {390, 94, 140, 20}, tr("Gewählt / Ton aus"));
    L_signal =
        place<QLabel>(GroupBox1, "L_signal", {16, 132, 200, 20}, tr("Signal der Lichtschranke:"));
    CB_signal = place<QComboBox>(GroupBox1, "CB_signal", {220, 128, 290, 24});
    // In the order of SignalKind.
    CB_signal->addItems({tr("Ton"), tr("Gleichspannung (Flanken)")});
    L_signal->setBuddy(CB_signal);
    Label1 =
        place<QLabel>(GroupBox1, "Label1", {16, 162, 200, 20}, tr("Empfindlichkeitsschwelle:"));
    ScrollBar1 = place<QScrollBar>(GroupBox1, "ScrollBar1", {16, 188, 494, 20}, Qt::Horizontal);
    ScrollBar1->setRange(0, 30000);
    ScrollBar1->setPageStep(0);
    ScrollBar1->setValue(5000);
    ScrollBar1->setAccessibleName(tr("Empfindlichkeitsschwelle"));
}

void TForm8::createOutputGroup() {
    GroupBox2 = place<QGroupBox>(this, "GroupBox2", {16, 276, 536, 100}, tr("   Ausgabeformat   "));
    RB_einzel = place<QRadioButton>(GroupBox2, "RB_einzel", {16, 30, 500, 22},
                                    tr("Für jede Einzelmessung neu ausgeben / zeichnen"));
    RB_drei = place<QRadioButton>(GroupBox2, "RB_drei", {16, 62, 500, 22},
                                  tr("Drei Listen / Diagramme zur Auswahl anzeigen"));
}

void TForm8::createSignalGroup() {
    GroupBox3 =
        place<QGroupBox>(this, "GroupBox3", {16, 388, 536, 226}, tr("   Signal am Eingang   "));
    PB_signal = place<SignalView>(GroupBox3, "PB_signal", {16, 28, 320, 180});
    PB_signal->setAccessibleName(tr("Signal der letzten zwei Sekunden"));
    PB_signal->setToolTip(tr("Blau: das Signal der letzten zwei Sekunden; rot: die Schwelle"));
    L_lampe = place<QLabel>(GroupBox3, "L_lampe", {352, 28, 170, 26});
    L_lampe->setAlignment(Qt::AlignCenter);
    L_lampe->setAutoFillBackground(true);
    L_rauschen = place<QLabel>(GroupBox3, "L_rauschen", {352, 68, 170, 20});
    L_spitze = place<QLabel>(GroupBox3, "L_spitze", {352, 92, 170, 20});
    L_vorschlag = place<QLabel>(GroupBox3, "L_vorschlag", {352, 116, 170, 20});
    Button3 =
        place<QPushButton>(GroupBox3, "Button3", {352, 146, 170, 28}, tr("Vorschlag übernehmen"));
}

void TForm8::createButtons() {
    Button1 = place<QPushButton>(this, "Button1", {150, 630, 110, 30}, tr("Speichern"));
    Button2 = place<QPushButton>(this, "Button2", {308, 630, 110, 30}, tr("Abbrechen"));
    // Enter in a list or field must not save by accident.
    for (QPushButton* b : {Button1, Button2, Button3}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
}

void TForm8::waitForTheRun() {
    waitForRun_ = new QTimer(this);
    waitForRun_->setInterval(200);
    connect(waitForRun_, &QTimer::timeout, this, &TForm8::startSignalMonitor);
}

void TForm8::connectControls() {
    // Only the user's choice runs the list handlers; selecting in code does not.
    connect(ComboBox1, &QComboBox::activated, this, &TForm8::ComboBox1Change);
    connect(ComboBox2, &QComboBox::activated, this, &TForm8::ComboBox2Change);
    connect(CB_signal, &QComboBox::activated, this, &TForm8::SignalKindChange);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm8::ScrollBar1Change);
    connect(RB_einzel, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RB_einzelClick();
    });
    connect(RB_drei, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RB_dreiClick();
    });
    connect(Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm8::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm8::Button3Click);
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this,
            [this] { followTypedText(ComboBox1, &TForm8::ComboBox1Change); });
    connect(ComboBox2->lineEdit(), &QLineEdit::textEdited, this,
            [this] { followTypedText(ComboBox2, &TForm8::ComboBox2Change); });
}

TForm8::~TForm8() {
    // No buffer may reach a half-destroyed dialog.
    capture_.stopListening();
}

void TForm8::followTypedText(QComboBox* box, void (TForm8::*change)()) {
    QLineEdit* edit = box->lineEdit();
    const QString text = edit->text();
    const int cursor = edit->cursorPosition();
    const int index = box->findText(text);
    if (index == box->currentIndex()) return;
    {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(index);
        edit->setText(text); // choosing no item would empty the field
        edit->setCursorPosition(cursor);
    }
    if (index >= 0) (this->*change)();
}

void TForm8::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    startSignalMonitor();
}

void TForm8::hideEvent(QHideEvent* event) {
    stopSignalMonitor();
    QDialog::hideEvent(event);
}

void TForm8::startSignalMonitor() {
    if (capture_.listening()) return;
    // A run has the source to itself, until its capture has closed.
    runHasSource_ = capture_.captureOpen();
    if (runHasSource_) {
        if (!waitForRun_->isActive()) {
            monitor_.clear();
            showSignal();
            waitForRun_->start();
        }
        return;
    }
    waitForRun_->stop();
    monitor_.clear();
    showSignal();
    QString error;
    const bool listening = capture_.listen(
        [this](const std::int16_t* samples, std::size_t count) {
            monitor_.setRule(store_.Signal, ScrollBar1->value());
            monitor_.add(samples, count);
            showSignal();
        },
        error);
    if (!listening && !error.isEmpty()) L_lampe->setText(tr("kein Signal: %1").arg(error));
}

void TForm8::stopSignalMonitor() {
    waitForRun_->stop();
    runHasSource_ = false;
    capture_.stopListening();
}

void TForm8::showSignal() {
    const int threshold = ScrollBar1 ? ScrollBar1->value() : store_.Threshold;
    monitor_.setRule(store_.Signal, threshold);
    PB_signal->show(monitor_, threshold);
    const bool blocked = monitor_.dark(threshold);
    L_lampe->setText(runHasSource_      ? tr("Messung läuft")
                     : monitor_.empty() ? tr("kein Signal")
                     : blocked          ? tr("Strahl unterbrochen")
                                        : tr("Strahl frei"));
    QPalette lamp = L_lampe->palette();
    lamp.setColor(QPalette::Window, blocked ? QColor(255, 0, 0) : QColor(0, 128, 0));
    lamp.setColor(QPalette::WindowText, Qt::white);
    L_lampe->setPalette(lamp);
    L_lampe->setAccessibleName(L_lampe->text());
    if (monitor_.empty()) {
        L_rauschen->setText(tr("Rauschen: -"));
        L_spitze->setText(tr("Spitze: -"));
    } else {
        L_rauschen->setText(tr("Rauschen: %1").arg(monitor_.noise()));
        L_spitze->setText(tr("Spitze: %1").arg(monitor_.peak()));
    }
    const auto suggestion = monitor_.suggestedThreshold();
    L_vorschlag->setText(suggestion ? tr("Vorschlag: %1").arg(*suggestion) : tr("Vorschlag: -"));
    Button3->setEnabled(suggestion.has_value());
    for (QLabel* l : {L_rauschen, L_spitze, L_vorschlag})
        l->setAccessibleName(l->text());
}

void TForm8::Button3Click() {
    if (const auto suggestion = monitor_.suggestedThreshold()) ScrollBar1->setValue(*suggestion);
}

void TForm8::selectItem(QComboBox* box, int index, const QString& placeholder) {
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
    if (box->currentIndex() < 0) box->lineEdit()->setText(placeholder);
}

void TForm8::placeOnScreen() {
    const QWidget* main = parentWidget();
    const QRect screen = availableArea(main ? main : this);
    const QRect withFrame = main ? main->frameGeometry() : geometry();
    const int decoration = main ? withFrame.height() - main->height() : 0;
    // The groups' tops and heights, the signal view's height, the buttons'
    // top and the dialog's height: as designed, or closed up.
    struct Layout {
        int top1, height1, top2, height2, top3, height3, signal, buttons, dialog;
    };
    constexpr Layout Full{12, 250, 276, 100, 388, 226, 180, 630, 679};
    constexpr Layout Compact{8, 220, 236, 90, 334, 186, 150, 528, 566};
    const Layout& l = screen.height() - decoration >= Full.dialog ? Full : Compact;
    GroupBox1->setGeometry(16, l.top1, 536, l.height1);
    GroupBox2->setGeometry(16, l.top2, 536, l.height2);
    GroupBox3->setGeometry(16, l.top3, 536, l.height3);
    PB_signal->resize(PB_signal->width(), l.signal);
    Button1->move(Button1->x(), l.buttons);
    Button2->move(Button2->x(), l.buttons);
    setFixedSize(568, l.dialog);
    const QPoint centre = main ? main->geometry().center() : geometry().center();
    setGeometry(fittedGeometry(
        {centre.x() - width() / 2, centre.y() - height() / 2, width(), height()}, this, main));
}

void TForm8::FormCreate() {
    placeOnScreen();
    TAudioMixer* mixer = &mixer_;
    L_mixer->setText(tr("%n Schnittstelle(n) im System", nullptr, mixer->DeviceCount()));
    for (int d = 0; d < mixer->DeviceCount(); ++d) {
        mixer->setMixerId(d);
        ComboBox1->addItem(mixer->ProductName());
    }
    if (ComboBox1->count() >= 1) {
        selectItem(ComboBox1, store_.MixerDevice, QStringLiteral("ComboBox1"));
        ComboBox1Change();
        selectItem(ComboBox2, store_.InputLine, QStringLiteral("ComboBox2"));
    }
    // The scroll bar clamps to 0..30000 and, when that moves it, hands the
    // clamped value back to the threshold.
    ScrollBar1->setValue(store_.Threshold);
    {
        const QSignalBlocker quiet(CB_signal);
        CB_signal->setCurrentIndex(store_.Signal == SignalKind::Edges ? 1 : 0);
    }
    showSignal();
}

void TForm8::SignalKindChange() {
    const SignalKind kind = CB_signal->currentIndex() == 1 ? SignalKind::Edges : SignalKind::Tone;
    if (kind == store_.Signal) return;
    // From the next "Messen" on; the signal view reads by the new rule at once.
    store_.Signal = kind;
    monitor_.setRule(kind, ScrollBar1->value());
    showSignal();
    if (const auto failure = rememberSignalKind(kind)) reportError(this, *failure);
}

void TForm8::ComboBox1Change() {
    TAudioMixer* mixer = &mixer_;
    const int index = ComboBox1->currentIndex();
    if (index >= 0 && index < mixer->DeviceCount()) mixer->setMixerId(index);
    store_.MixerDevice = index;
    ComboBox2->clear();
    selectItem(ComboBox2, -1, QStringLiteral("ComboBox2"));
    if (mixer->DeviceCount() == 0) return;
    if (const TMixerDestination* rec = mixer->Destinations()[RecordingDestination]) {
        for (int i = 0; i < rec->Connections->Count(); ++i)
            ComboBox2->addItem(rec->Connections->Items(i)->Name().left(64));
        selectItem(ComboBox2, -1, QStringLiteral("ComboBox2"));
    }
}

void TForm8::ComboBox2Change() {
    TAudioMixer* mixer = &mixer_;
    const int chosen = ComboBox2->currentIndex();
    for (int d = 0; d < mixer->DeviceCount(); ++d) {
        mixer->setMixerId(d);
        if (d != store_.MixerDevice) continue;
        store_.InputLineSelected = routeRecordingInput(*mixer, chosen, ComboBox2->count());
        CB2->setChecked(store_.InputLineSelected == 1);
    }
    // Leave the chosen device open, so that names shown later are its own.
    if (store_.MixerDevice >= 0 && store_.MixerDevice < mixer->DeviceCount())
        mixer->setMixerId(store_.MixerDevice);
}

void TForm8::ScrollBar1Change() {
    store_.Threshold = ScrollBar1->value();
    showSignal(); // the threshold line follows the scroll bar
}

void TForm8::RB_einzelClick() {
    store_.switchOutputFormat(false, selector_);
    RB_einzel->setChecked(true);
}

void TForm8::RB_dreiClick() {
    store_.switchOutputFormat(true, selector_);
    RB_drei->setChecked(true);
}

void TForm8::Button1Click() {
    ConfigValues values;
    values.mixerDevice = ComboBox1->currentIndex();
    values.inputLine = ComboBox2->currentIndex();
    values.threshold = ScrollBar1->value();
    values.outputMode = store_.OutputMode;
    if (const auto error = writeConfigFile(ConfigFileName, values)) {
        reportError(this, *error); // the dialog stays open, the store unchanged
        return;
    }
    store_.MixerDevice = values.mixerDevice;
    store_.InputLine = values.inputLine;
    store_.Threshold = values.threshold;
    if (RB_einzel->isChecked())
        store_.OutputMode = 0;
    else if (RB_drei->isChecked())
        store_.OutputMode = 1;
    accept();
}

void TForm8::Button2Click() {
    reject();
}

void TForm8::reject() {
    store_.SeriesCounter = 0;
    QDialog::reject();
}

} // namespace kelmot
