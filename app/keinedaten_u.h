// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kelmot {

// "Keine Messdaten": shown instead of a command that needs data.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
    void FormCreate() {}
    void Button1Click() { close(); }

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* Button1 = nullptr;
};

} // namespace kelmot
