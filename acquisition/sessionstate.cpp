// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/sessionstate.h"

#include <QCoreApplication>

namespace kelmot {

QString sessionStateText(const SessionState& state) {
    switch (state.phase) {
    case SessionPhase::Idle:
        return {};
    case SessionPhase::Waiting:
        return QCoreApplication::translate("SessionState", "  Warte auf Start  ");
    case SessionPhase::Running:
        return QCoreApplication::translate("SessionState", "  Messung gestartet  ");
    case SessionPhase::Ended:
        return QCoreApplication::translate("SessionState", "  Messung beendet  ");
    case SessionPhase::Incomplete:
        return QStringLiteral("  %1  ").arg(state.detail);
    case SessionPhase::Aborted:
        return QCoreApplication::translate("SessionState", "   Abgebrochen   ");
    case SessionPhase::DataLost:
        return QCoreApplication::translate("SessionState", "  Daten verloren - bitte neu messen  ");
    case SessionPhase::NoDevice:
        return QCoreApplication::translate(
            "SessionState", "  Keine Daten vom Aufnahmegerät - bitte prüfen und neu messen  ");
    case SessionPhase::CannotOpen:
        //: %1 why the sound card could not be opened
        return QCoreApplication::translate("SessionState", "  Aufnahme nicht möglich: %1  ")
            .arg(state.detail);
    }
    return {};
}

Rgb sessionStateColour(const SessionState& state) {
    return state.phase == SessionPhase::Running ? Green : Red;
}

QString statusWaiting() {
    return sessionStateText({SessionPhase::Waiting, {}});
}

QString statusRunning() {
    return sessionStateText({SessionPhase::Running, {}});
}

QString statusEnded() {
    return sessionStateText({SessionPhase::Ended, {}});
}

} // namespace kelmot
