#include "evaluation/xlsgespeichert_u.h"

#include <QLabel>
#include <QPushButton>

namespace kelmot {

TForm9* Form9 = nullptr;

TForm9::TForm9(QWidget* parent) : QDialog(parent) {
    setObjectName("Form9");
    setWindowTitle(QStringLiteral("   Datei gespeichert"));
    setFixedSize(400, 160);
    Label1 = new QLabel(QStringLiteral("Inhalt der Tabelle als EXCEL-Datei gespeichert."), this);
    Label1->setObjectName("Label1");
    QFont f = font();
    f.setPixelSize(13);
    Label1->setFont(f);
    Label1->setStyleSheet(QStringLiteral("color: rgb(0, 128, 0);"));
    Label1->setGeometry(24, 36, 360, 24);
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName("Button1");
    Button1->setGeometry(155, 100, 90, 28);
    connect(Button1, &QPushButton::clicked, this, &TForm9::Button1Click);
}

} // namespace kelmot
