#include "store/dateivorhanden_u.h"

#include "app/pictures.h"

#include <QLabel>
#include <QPushButton>

namespace kelmot {

TForm7* Form7 = nullptr;

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    setObjectName("Form7");
    setWindowTitle(QStringLiteral("   Die Datei besteht schon"));
    setFixedSize(434, 269);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setPixmap(questionPicture());
    Image1->setScaledContents(true);
    Image1->setGeometry(24, 40, 39, 46);
    Image1->setAccessibleName(QStringLiteral("Frage"));
    Label1 = new QLabel(QStringLiteral("Die Datei gibt es schon."), this);
    Label1->setObjectName("Label1");
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(13);
    Label1->setFont(bold);
    Label1->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    Label1->setGeometry(88, 44, 320, 20);
    Label2 = new QLabel(QStringLiteral("Soll sie überschrieben werden ?"), this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(88, 80, 320, 20);
    Button1 = new QPushButton(QStringLiteral("Ja"), this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(110, 190, 90, 28);
    Button2 = new QPushButton(QStringLiteral("Nein"), this);
    Button2->setObjectName("Button2");
    Button2->setGeometry(234, 190, 90, 28);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace kelmot
