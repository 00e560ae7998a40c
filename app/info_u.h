// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace kelmot {

// The info box: program icon, name and version.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    void FormCreate();

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QPushButton* OKButton = nullptr;
};

} // namespace kelmot
