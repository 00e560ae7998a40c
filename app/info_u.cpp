#include "app/info_u.h"

#include "app/pictures.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace kelmot {

TAboutBox* AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(393, 213);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Panel1->setGeometry(8, 8, 377, 153);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setPixmap(programIcon().pixmap(40, 16));
    ProgramIcon->setScaledContents(true); // stretched, as the box always showed it
    ProgramIcon->setGeometry(16, 16, 65, 57);
    ProgramIcon->setAccessibleName(QStringLiteral("Kelmot"));

    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(13);
    ProductName = new QLabel(QStringLiteral("Kelmot"), Panel1);
    ProductName->setObjectName("ProductName");
    ProductName->setFont(bold);
    ProductName->setGeometry(104, 24, 200, 20);
    Version = new QLabel(QStringLiteral("Version 3.0"), Panel1);
    Version->setObjectName("Version");
    Version->setFont(bold);
    Version->setGeometry(104, 56, 200, 20);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    OKButton->setGeometry(159, 172, 75, 28);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::FormCreate() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace kelmot
