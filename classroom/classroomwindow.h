// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace kelmot {

class ClassroomService;

// The classroom view's window: the address pupils type, its QR code, the
// access code in large digits, the devices connected, and "Beenden", which
// switches the view off. Closing the window leaves the view on; the
// command opens it again.
class ClassroomWindow : public QWidget {
    Q_OBJECT
public:
    // `language` is the program's ("de" or "en"); `mainWindow` gives the place.
    ClassroomWindow(ClassroomService& service, const QString& language,
                    const QWidget* mainWindow = nullptr, QWidget* parent = nullptr);

    // "Klassenansicht": switches the view on if it is off, and shows this window.
    void open();
    // Switches the view on without showing the window (at start with
    // --classroom): true when it listens.
    bool switchOn();
    // "Beenden".
    void B_beendenClick();

    QLabel* L_hinweis = nullptr;
    QWidget* addressBox = nullptr;
    QLabel* L_qr = nullptr;
    QLabel* L_codetitel = nullptr;
    QLabel* L_code = nullptr;
    QLabel* L_geraete = nullptr;
    QLabel* L_nurlesen = nullptr;
    QLabel* L_fehler = nullptr;
    QPushButton* B_beenden = nullptr;

private:
    void showState();
    void showDevices(int devices);

    ClassroomService& service_;
    QString language_;
    const QWidget* mainWindow_;
    QVBoxLayout* addresses_ = nullptr;
    QString failure_;
};

} // namespace kelmot
