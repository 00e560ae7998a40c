// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/xlsgespeichert_u.h"

#include "widgets/controls.h"

#include <QLabel>
#include <QPushButton>

namespace kelmot {

TForm9::TForm9(QWidget* parent) : QDialog(parent) {
    setObjectName("Form9");
    setWindowTitle(tr("   Datei gespeichert"));
    setFixedSize(400, 160);
    Label1 = place<QLabel>(this, "Label1", {24, 36, 360, 24},
                           tr("Inhalt der Tabelle als EXCEL-Datei gespeichert."));
    Label1->setFont(sizedFont(font(), 13, false));
    Label1->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
    Button1 = place<QPushButton>(this, "Button1", {155, 100, 90, 28}, tr("OK"));
    connect(Button1, &QPushButton::clicked, this, &TForm9::Button1Click);
}

} // namespace kelmot
