// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/info_u.h"

#include "store/version.h"
#include "widgets/controls.h"
#include "widgets/pictures.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace kelmot {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle(tr("Info"));
    setFixedSize(393, 213);

    Panel1 = place<QFrame>(this, "Panel1", {8, 8, 377, 153});
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    ProgramIcon = place<QLabel>(Panel1, "ProgramIcon", {16, 16, 65, 57});
    ProgramIcon->setPixmap(programIcon().pixmap(40, 16));
    ProgramIcon->setScaledContents(true); // stretched, as the box always showed it
    ProgramIcon->setAccessibleName(QStringLiteral("Kelmot"));
    const QFont bold = sizedFont(font(), 13, true);
    ProductName =
        place<QLabel>(Panel1, "ProductName", {104, 24, 200, 20}, QStringLiteral("Kelmot"));
    ProductName->setFont(bold);
    Version = place<QLabel>(Panel1, "Version", {104, 56, 200, 20},
                            tr("Version %1").arg(QString::fromLatin1(kelmot::ProgramVersion)));
    Version->setFont(bold);
    OKButton = place<QPushButton>(this, "OKButton", {159, 172, 75, 28}, tr("OK"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::FormCreate() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace kelmot
