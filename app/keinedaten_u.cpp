#include "app/keinedaten_u.h"

#include "app/pictures.h"

#include <QLabel>
#include <QPushButton>

namespace kelmot {

TForm5* Form5 = nullptr;

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName("Form5");
    setWindowTitle(QStringLiteral("   Keine Messdaten"));
    setFixedSize(411, 257);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setPixmap(warningPicture());
    Image1->setGeometry(24, 40, 36, 37);
    Image1->setAccessibleName(QStringLiteral("Warnung"));

    Label1 = new QLabel(QStringLiteral("Keine Messdaten vorhanden."), this);
    Label1->setObjectName("Label1");
    QFont bold = font();
    bold.setBold(true);
    bold.setPixelSize(16);
    Label1->setFont(bold);
    Label1->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    Label1->setGeometry(80, 40, 310, 24);

    Label2 = new QLabel(QStringLiteral("Bitte Messung durchführen (\"Messen\") oder Datei laden."),
                        this);
    Label2->setObjectName("Label2");
    QFont normal = font();
    normal.setPixelSize(13);
    Label2->setFont(normal);
    Label2->setWordWrap(true);
    Label2->setGeometry(80, 90, 310, 44);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    Button1->setGeometry(160, 180, 90, 28);
    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
}

} // namespace kelmot
