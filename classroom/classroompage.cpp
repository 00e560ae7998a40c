// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/classroompage.h"

#include <QCoreApplication>

namespace kelmot {

PageTexts classroomPageTexts() {
    return {
        {"title", QCoreApplication::translate("ClassroomPage", "Kelmot – Klassenansicht")},
        {"heading", QCoreApplication::translate("ClassroomPage", "Kelmot – Klassenansicht")},
        {"connecting", QCoreApplication::translate("ClassroomPage", "Verbindung wird aufgebaut …")},
        {"reconnecting",
         QCoreApplication::translate("ClassroomPage", "Verbindung unterbrochen – neuer Versuch …")},
        {"connected", QCoreApplication::translate("ClassroomPage", "Verbunden")},
        {"tooManyTries",
         QCoreApplication::translate("ClassroomPage",
                                     "Zu viele falsche Zugangscodes aus diesem Netz: die Seite "
                                     "versucht es gleich wieder.")},
        {"codeInvalid",
         QCoreApplication::translate(
             "ClassroomPage", "Der Zugangscode gilt nicht mehr. Bitte die neue Adresse öffnen.")},
        {"statusHeading", QCoreApplication::translate("ClassroomPage", "Stand der Messung")},
        {"liveHeading", QCoreApplication::translate("ClassroomPage", "Laufende Messung")},
        {"liveCaption", QCoreApplication::translate("ClassroomPage", "Messtabelle")},
        {"seriesHeading", QCoreApplication::translate("ClassroomPage", "Ausgewertete Messungen")},
        {"noSeries",
         QCoreApplication::translate("ClassroomPage", "Noch keine Messung gespeichert.")},
        {"diagramsHeading", QCoreApplication::translate("ClassroomPage", "Diagramme")},
        {"relation", QCoreApplication::translate("ClassroomPage", "Vermuteter Zusammenhang: %1")},
        {"noRelation", QCoreApplication::translate("ClassroomPage", "keiner")},
        {"flagWidth", QCoreApplication::translate("ClassroomPage", "Streifenbreite: %1 mm")},
        {"downloads", QCoreApplication::translate("ClassroomPage", "Herunterladen:")},
        {"dataFile", QCoreApplication::translate("ClassroomPage", "Datendatei (.kmd)")},
        {"spreadsheet", QCoreApplication::translate("ClassroomPage", "Tabelle (.xls)")},
        {"csv", QCoreApplication::translate("ClassroomPage", "CSV-Datei (.csv)")},
        {"todaysRuns",
         QCoreApplication::translate("ClassroomPage",
                                     "Alle heutigen Messungen (%1) als CSV-Datei herunterladen")},
        {"readOnly",
         QCoreApplication::translate("ClassroomPage",
                                     "Diese Seite zeigt nur an: sie steuert das Programm nicht.")},
    };
}

RefusalTexts refusalTexts() {
    RefusalTexts texts;
    for (const int status : {400, 403, 404, 405, 408, 426, 429, 431, 503})
        texts.insert(status, refusalText(status));
    return texts;
}

QString refusalText(int status) {
    switch (status) {
    case 400:
        return QCoreApplication::translate("ClassroomPage", "Die Anfrage ist fehlerhaft.");
    case 403:
        return QCoreApplication::translate(
            "ClassroomPage", "Zugang verweigert: falscher oder fehlender Zugangscode.");
    case 404:
        return QCoreApplication::translate("ClassroomPage", "Diese Seite gibt es nicht.");
    case 405:
        return QCoreApplication::translate("ClassroomPage",
                                           "Die Klassenansicht kann nur gelesen werden.");
    case 408:
        return QCoreApplication::translate("ClassroomPage",
                                           "Die Anfrage kam nicht rechtzeitig an.");
    case 426:
        return QCoreApplication::translate(
            "ClassroomPage", "Diese Adresse ist nur für die Live-Verbindung der Seite.");
    case 429:
        return QCoreApplication::translate(
            "ClassroomPage", "Zu viele falsche Zugangscodes: bitte eine Minute warten.");
    case 431:
        return QCoreApplication::translate("ClassroomPage", "Die Anfrage ist zu groß.");
    case 503:
        return QCoreApplication::translate(
            "ClassroomPage", "Zu viele Verbindungen: bitte später noch einmal versuchen.");
    default:
        return {};
    }
}

QByteArray reasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 408:
        return "Request Timeout";
    case 426:
        return "Upgrade Required";
    case 429:
        return "Too Many Requests";
    case 431:
        return "Request Header Fields Too Large";
    case 503:
        return "Service Unavailable";
    default:
        return "Error";
    }
}

QByteArray fillPage(const QByteArray& html, const PageTexts& texts, const QString& code) {
    QByteArray page = html;
    for (const auto& [name, text] : texts)
        page.replace("{{" + name + "}}", text.toHtmlEscaped().toUtf8());
    page.replace("{{code}}", code.toHtmlEscaped().toUtf8());
    return page;
}

QByteArray httpAnswer(int status, const QByteArray& reason,
                      const QList<QPair<QByteArray, QByteArray>>& headers, const QByteArray& body,
                      bool close) {
    QByteArray a = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n";
    a += "Content-Security-Policy: default-src 'none'; script-src 'self'; style-src 'self'; "
         "img-src 'self'; connect-src 'self'; base-uri 'none'; form-action 'none'; "
         "frame-ancestors 'none'\r\n"
         "X-Content-Type-Options: nosniff\r\n"
         "Referrer-Policy: no-referrer\r\n"
         "Cache-Control: no-store\r\n";
    for (const auto& [name, value] : headers)
        a += name + ": " + value + "\r\n";
    a += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    if (close) a += "Connection: close\r\n";
    a += "\r\n";
    a += body;
    return a;
}

QByteArray refusalAnswer(int status, const QString& text, bool close) {
    QList<QPair<QByteArray, QByteArray>> headers{{"Content-Type", "text/plain; charset=utf-8"}};
    using Header = QPair<QByteArray, QByteArray>;
    if (status == 405) headers.append(Header("Allow", "GET"));
    if (status == 429) headers.append(Header("Retry-After", "60"));
    if (status == 426) headers.append(Header("Upgrade", "websocket"));
    return httpAnswer(status, reasonPhrase(status), headers, (text + u'\n').toUtf8(), close);
}

} // namespace kelmot
