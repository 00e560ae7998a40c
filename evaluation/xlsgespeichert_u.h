// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kelmot {

// Confirms a spreadsheet export.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
    void FormCreate() {}
    void Button1Click() { close(); }

    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;
};

} // namespace kelmot
