// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kelmot {

// Asked before a file is replaced: true when it may be.
class OverwriteQuestion {
public:
    virtual ~OverwriteQuestion() = default;
    virtual bool allowOverwrite() = 0;
};

// "Die Datei besteht schon": asks before a data file is overwritten.
// "Ja" accepts, "Nein" rejects; the caller saves on acceptance.
class TForm7 : public QDialog, public OverwriteQuestion {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
    void FormCreate() {}
    bool allowOverwrite() override { return exec() == QDialog::Accepted; }

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
};

} // namespace kelmot
