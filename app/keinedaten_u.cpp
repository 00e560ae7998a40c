// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/keinedaten_u.h"

#include "widgets/controls.h"
#include "widgets/pictures.h"

#include <QLabel>
#include <QPushButton>

namespace kelmot {

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName("Form5");
    setWindowTitle(tr("   Keine Messdaten"));
    setFixedSize(411, 257);

    Image1 = place<QLabel>(this, "Image1", {24, 40, 36, 37});
    Image1->setPixmap(warningPicture());
    Image1->setAccessibleName(tr("Warnung"));
    Label1 = place<QLabel>(this, "Label1", {80, 40, 310, 24}, tr("Keine Messdaten vorhanden."));
    Label1->setFont(sizedFont(font(), 16, true));
    Label1->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    Label2 = place<QLabel>(this, "Label2", {80, 90, 310, 44},
                           tr("Bitte Messung durchführen (\"Messen\") oder Datei laden."));
    Label2->setFont(sizedFont(font(), 13, false));
    Label2->setWordWrap(true);
    Button1 = place<QPushButton>(this, "Button1", {160, 180, 90, 28}, tr("OK"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
}

} // namespace kelmot
