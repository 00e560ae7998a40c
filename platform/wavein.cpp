// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wavein.h"

#include "platform/platformtext.h"

namespace kelmot::platform {

std::string genericWaveInErrorText(int code) {
    switch (code) {
    case WaveOk:
        return platformText(QT_TRANSLATE_NOOP("Platform", "Kein Fehler."));
    case WaveErrBadDeviceId:
        return platformText(QT_TRANSLATE_NOOP(
            "Platform",
            "Es ist kein Aufnahmegerät vorhanden, oder die Gerätenummer ist ungültig."));
    case WaveErrAllocated:
        return platformText(QT_TRANSLATE_NOOP(
            "Platform", "Das Aufnahmegerät wird bereits von einem anderen Programm verwendet."));
    case WaveErrInvalidHandle:
        return platformText(QT_TRANSLATE_NOOP("Platform", "Das Gerät ist nicht geöffnet."));
    case WaveErrNoDriver:
        return platformText(QT_TRANSLATE_NOOP("Platform", "Es ist kein Treiber installiert."));
    case WaveErrNoMemory:
        return platformText(QT_TRANSLATE_NOOP("Platform", "Nicht genügend Speicher."));
    case WaveErrInvalidParam:
        return platformText(QT_TRANSLATE_NOOP("Platform", "Ungültiger Parameter."));
    case WaveErrBadFormat:
        return platformText(
            QT_TRANSLATE_NOOP("Platform", "Das Aufnahmeformat wird nicht unterstützt."));
    case WaveErrStillPlaying:
        return platformText(
            QT_TRANSLATE_NOOP("Platform", "Es sind noch Puffer in der Warteschlange."));
    case WaveErrUnprepared:
        return platformText(QT_TRANSLATE_NOOP("Platform", "Der Puffer ist nicht vorbereitet."));
    case WaveErrFile:
        return platformText(
            QT_TRANSLATE_NOOP("Platform", "Die Wiedergabedatei kann nicht gelesen werden."));
    default:
        return platformText(QT_TRANSLATE_NOOP("Platform", "Unbekannter Fehler %1."),
                            std::to_string(code));
    }
}

} // namespace kelmot::platform
