#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace kelmot {

// "Einstellungen der Soundkarte": mixer device, input line, threshold and
// output format; changes take effect at once, "Speichern" writes kelmot.cfg.
class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
    void FormCreate();

    void ComboBox1Change();
    void ComboBox2Change();
    void ScrollBar1Change();
    void RB_einzelClick();
    void RB_dreiClick();
    void Button1Click();
    void Button2Click();

    QGroupBox* GroupBox1 = nullptr;
    QLabel* L_mixer = nullptr;
    QLabel* L_geraet = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* L_eingang = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QCheckBox* CB2 = nullptr;
    QLabel* Label1 = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QRadioButton* RB_einzel = nullptr;
    QRadioButton* RB_drei = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    static void selectItem(QComboBox* box, int index, const QString& placeholder);
};

extern TForm8* Form8;

} // namespace kelmot
