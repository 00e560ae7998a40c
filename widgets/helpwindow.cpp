// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/helpwindow.h"

#include "store/manualtext.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kelmot {

namespace {

QString manualInTheProgramsLanguage() {
    //: the manual page shown by F1: kelmot.1 is the English one
    QFile page(QStringLiteral(":/kelmot/") +
               QCoreApplication::translate("HelpWindow", "kelmot.de.1"));
    if (!page.open(QIODevice::ReadOnly)) return {};
    return manualText(QString::fromUtf8(page.readAll()));
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle(tr("Kelmot – Hilfe"));
    resize(720, 640);
    auto* layout = new QVBoxLayout(this);
    TB_hilfe = new QTextBrowser(this);
    TB_hilfe->setObjectName("TB_hilfe");
    TB_hilfe->setAccessibleName(tr("Handbuch"));
    TB_hilfe->setOpenLinks(false); // plain text: nothing to follow, nothing loaded
    layout->addWidget(TB_hilfe);
    // Escape closes it, as a help window does.
    auto* close = new QAction(this);
    close->setShortcut(Qt::Key_Escape);
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
}

void HelpWindow::showManual() {
    if (TB_hilfe->document()->isEmpty()) TB_hilfe->setPlainText(manualInTheProgramsLanguage());
    show();
    raise();
    activateWindow();
    TB_hilfe->setFocus();
}

} // namespace kelmot
