// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dateivorhanden_u.h"

#include "widgets/controls.h"
#include "widgets/pictures.h"

#include <QLabel>
#include <QPushButton>

namespace kelmot {

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    setObjectName("Form7");
    setWindowTitle(tr("   Die Datei besteht schon"));
    setFixedSize(434, 269);
    Image1 = place<QLabel>(this, "Image1", {24, 40, 39, 46});
    Image1->setPixmap(questionPicture());
    Image1->setScaledContents(true);
    Image1->setAccessibleName(tr("Frage"));
    Label1 = place<QLabel>(this, "Label1", {88, 44, 320, 20}, tr("Die Datei gibt es schon."));
    Label1->setFont(sizedFont(font(), 13, true));
    Label1->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    Label2 =
        place<QLabel>(this, "Label2", {88, 80, 320, 20}, tr("Soll sie überschrieben werden ?"));
    Button1 = place<QPushButton>(this, "Button1", {110, 190, 90, 28}, tr("Ja"));
    Button2 = place<QPushButton>(this, "Button2", {234, 190, 90, 28}, tr("Nein"));
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace kelmot
