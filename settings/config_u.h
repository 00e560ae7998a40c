// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "acquisition/AMixer.h"
#include "acquisition/captureinuse.h"
#include "acquisition/signalmonitor.h"
#include "store/measurementstore.h"
#include "store/seriesselector.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace kelmot {

class SignalView;

// "Einstellungen der Soundkarte": mixer device, input line, threshold and
// output format; changes take effect at once, "Speichern" writes kelmot.cfg.
class TForm8 : public QDialog {
    Q_OBJECT
public:
    // The live signal view listens through `capture`, the measurement's, while
    // no run holds it. The dialog opens centred on `parent`, the main window.
    TForm8(MeasurementStore& store, TAudioMixer& mixer, CaptureInUse& capture,
           SeriesSelector& selector, QWidget* parent = nullptr);
    ~TForm8() override;
    void FormCreate();
    // Centred on the main window and whole on the screen: where the screen
    // is too low for the dialog (800 x 600), its groups close up and the
    // signal view gets lower, so that nothing lies below the screen's edge.
    void placeOnScreen();

    void ComboBox1Change();
    void ComboBox2Change();
    // "Signal der Lichtschranke": the rule runs and the signal view read
    // the light barriers by, remembered in the program's own settings.
    void SignalKindChange();
    void ScrollBar1Change();
    void RB_einzelClick();
    void RB_dreiClick();
    void Button1Click();
    void Button2Click();
    // "Vorschlag übernehmen": the suggested threshold to the scroll bar.
    void Button3Click();
    // Escape, the close box and "Abbrechen" alike restart the colour cycle.
    void reject() override;

    // The live view listens while the dialog is shown and no run measures.
    void startSignalMonitor();
    void stopSignalMonitor();
    const SignalMonitor& monitor() const { return monitor_; }

    QGroupBox* GroupBox1 = nullptr;
    QLabel* L_mixer = nullptr;
    QLabel* L_geraet = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* L_eingang = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QCheckBox* CB2 = nullptr;
    QLabel* L_signal = nullptr;
    QComboBox* CB_signal = nullptr;
    QLabel* Label1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QRadioButton* RB_einzel = nullptr;
    QRadioButton* RB_drei = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    SignalView* PB_signal = nullptr;
    QLabel* L_lampe = nullptr;
    QLabel* L_rauschen = nullptr;
    QLabel* L_spitze = nullptr;
    QLabel* L_vorschlag = nullptr;
    QPushButton* Button3 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The dialog's parts, made in the order Tab visits them.
    void createSoundCardGroup();
    void createOutputGroup();
    void createSignalGroup();
    void createButtons();
    // The signal view starts listening once no run has the card.
    void waitForTheRun();
    void connectControls();
    static void selectItem(QComboBox* box, int index, const QString& placeholder);
    // Typed text that names no item selects nothing; the name of an item
    // selects it as choosing it would.
    void followTypedText(QComboBox* box, void (TForm8::*change)());
    void showSignal();

    MeasurementStore& store_;
    TAudioMixer& mixer_;
    CaptureInUse& capture_;
    SeriesSelector& selector_;
    SignalMonitor monitor_;
    // A run has the source: the view waits for its capture to close (after
    // "Abbrechen" it still hands back its buffers) and starts then.
    bool runHasSource_ = false;
    QTimer* waitForRun_ = nullptr;
};

} // namespace kelmot
