#include "platform/wavein.h"

namespace kelmot::platform {

std::string genericWaveInErrorText(int code) {
    switch (code) {
    case WaveOk:
        return "Kein Fehler.";
    case WaveErrBadDeviceId:
        return "Es ist kein Aufnahmegerät vorhanden, oder die Gerätenummer ist ungültig.";
    case WaveErrAllocated:
        return "Das Aufnahmegerät wird bereits von einem anderen Programm verwendet.";
    case WaveErrInvalidHandle:
        return "Das Gerät ist nicht geöffnet.";
    case WaveErrNoDriver:
        return "Es ist kein Treiber installiert.";
    case WaveErrNoMemory:
        return "Nicht genügend Speicher.";
    case WaveErrInvalidParam:
        return "Ungültiger Parameter.";
    case WaveErrBadFormat:
        return "Das Aufnahmeformat wird nicht unterstützt.";
    case WaveErrStillPlaying:
        return "Es sind noch Puffer in der Warteschlange.";
    case WaveErrUnprepared:
        return "Der Puffer ist nicht vorbereitet.";
    case WaveErrFile:
        return "Die Wiedergabedatei kann nicht gelesen werden.";
    default:
        return "Unbekannter Fehler " + std::to_string(code) + ".";
    }
}

} // namespace kelmot::platform
