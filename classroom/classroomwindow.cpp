// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/classroomwindow.h"

#include "classroom/classroomservice.h"
#include "classroom/qrcodeimage.h"
#include "widgets/controls.h"
#include "widgets/screenfit.h"
#include "widgets/windowplaces.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelmot {

namespace {

// "123456" as "123 456": easier to read off a projector and to type.
QString spacedCode(const QString& code) {
    return code.size() == 6 ? code.left(3) + u' ' + code.mid(3) : code;
}

QLabel* label(QWidget* parent, const char* name, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    return l;
}

} // namespace

ClassroomWindow::ClassroomWindow(ClassroomService& service, const QString& language,
                                 const QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window), service_(service), language_(language), mainWindow_(mainWindow) {
    setObjectName("FormKlassenansicht");
    setWindowTitle(tr("   Klassenansicht"));
    auto* layout = new QVBoxLayout(this);
    L_hinweis = label(this, "L_hinweis", tr("Im Browser eines Geräts im selben Netz öffnen:"));
    layout->addWidget(L_hinweis);
    addressBox = new QWidget(this);
    addressBox->setObjectName("addressBox");
    addresses_ = new QVBoxLayout(addressBox);
    addresses_->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(addressBox);
    L_qr = label(this, "L_qr");
    L_qr->setAlignment(Qt::AlignCenter);
    L_qr->setAccessibleName(tr("QR-Code der Adresse mit dem Zugangscode"));
    layout->addWidget(L_qr);
    L_codetitel = label(this, "L_codetitel", tr("Zugangscode:"));
    layout->addWidget(L_codetitel);
    L_code = label(this, "L_code");
    L_code->setFont(sizedFont(L_code->font(), 56, true));
    L_code->setAlignment(Qt::AlignCenter);
    L_code->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    L_codetitel->setBuddy(L_code);
    layout->addWidget(L_code);
    L_geraete = label(this, "L_geraete");
    layout->addWidget(L_geraete);
    L_nurlesen = label(this, "L_nurlesen",
                       tr("Die Seite zeigt die Messung nur an: von dort lässt sich im "
                          "Programm nichts starten, anhalten oder ändern."));
    layout->addWidget(L_nurlesen);
    L_fehler = label(this, "L_fehler");
    setTextColour(L_fehler, toQColor(Red));
    layout->addWidget(L_fehler);
    B_beenden = new QPushButton(tr("Beenden"), this);
    B_beenden->setObjectName("B_beenden");
    layout->addWidget(B_beenden, 0, Qt::AlignHCenter);

    connect(B_beenden, &QPushButton::clicked, this, &ClassroomWindow::B_beendenClick);
    connect(&service_, &ClassroomService::devicesChanged, this, &ClassroomWindow::showDevices);
    connect(&service_, &ClassroomService::runningChanged, this, [this] { showState(); });
    showState();
}

bool ClassroomWindow::switchOn() {
    failure_.clear();
    if (!service_.running() && !service_.start(classroomTexts(language_)))
        failure_ = tr("Die Klassenansicht konnte nicht starten: kein freier Port von %1 bis %2.")
                       .arg(ClassroomService::FirstPort)
                       .arg(ClassroomService::LastPort);
    showState();
    return service_.running();
}

void ClassroomWindow::open() {
    switchOn();
    if (!isVisible() && mainWindow_) {
        adjustSize();
        setGeometry(
            fittedGeometry({mainWindow_->x() + std::max(0, mainWindow_->width() - width() - 20),
                            mainWindow_->y() + ClientTop, width(), height()},
                           this, mainWindow_));
    }
    show();
    raise();
    activateWindow();
}

void ClassroomWindow::B_beendenClick() {
    service_.stop();
    hide();
}

void ClassroomWindow::showState() {
    while (QLayoutItem* item = addresses_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const bool on = service_.running();
    for (const QString& address : service_.addresses()) {
        QLabel* l = label(addressBox, "L_adresse", address);
        l->setWordWrap(false); // an address broken in two is typed wrong
        l->setFont(sizedFont(l->font(), 20, true));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        l->setAccessibleName(tr("Adresse: %1").arg(address));
        addresses_->addWidget(l);
    }
    const QImage qr = on && !service_.addresses().isEmpty()
                          ? qrCodeImage(service_.addresses().front(), 6)
                          : QImage();
    L_qr->setPixmap(qr.isNull() ? QPixmap() : QPixmap::fromImage(qr));
    L_qr->setVisible(on);
    L_code->setText(on ? spacedCode(service_.code()) : QString());
    L_code->setAccessibleName(on ? tr("Zugangscode: %1").arg(service_.code()) : QString());
    L_codetitel->setVisible(on);
    L_code->setVisible(on);
    L_geraete->setVisible(on);
    L_nurlesen->setVisible(on);
    L_fehler->setText(failure_);
    L_fehler->setVisible(!failure_.isEmpty());
    B_beenden->setEnabled(on);
    showDevices(service_.devices());
}

void ClassroomWindow::showDevices(int devices) {
    L_geraete->setText(tr("Verbundene Geräte: %n", nullptr, devices));
}

} // namespace kelmot
