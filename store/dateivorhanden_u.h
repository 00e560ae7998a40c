#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kelmot {

// "Die Datei besteht schon": asks before a data file is overwritten.
// "Ja" accepts, "Nein" rejects; the caller saves on acceptance.
class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
    void FormCreate() {}

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};

extern TForm7* Form7;

} // namespace kelmot
