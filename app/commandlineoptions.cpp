// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandlineoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace kelmot {

namespace {

// An option whose texts are looked up in the language loaded; the texts
// stand where the option is named, marked for translation there.
QCommandLineOption described(const QStringList& names, const char* description,
                             const char* valueName = nullptr, const QString& defaultValue = {}) {
    return QCommandLineOption(names, QCoreApplication::translate("StartOptions", description),
                              valueName ? QCoreApplication::translate("StartOptions", valueName)
                                        : QString(),
                              defaultValue);
}

WorkOptionSet workOptions() {
    return {
        described({"h", "help"}, QT_TRANSLATE_NOOP("StartOptions", "Diese Hilfe anzeigen.")),
        described({"v", "version"}, QT_TRANSLATE_NOOP("StartOptions", "Die Version anzeigen.")),
        described({"analyse"},
                  QT_TRANSLATE_NOOP("StartOptions",
                                    "Ohne Fenster alle vollständigen Messungen in der Aufnahme "
                                    "DATEI (WAV) auswerten und als Messdaten ausgeben."),
                  QT_TRANSLATE_NOOP("StartOptions", "DATEI")),
        described(
            {"output"},
            QT_TRANSLATE_NOOP(
                "StartOptions",
                "Mit --analyse: jede Messung als NAME-1.kmd, NAME-2.kmd ... in ORDNER schreiben."),
            QT_TRANSLATE_NOOP("StartOptions", "ORDNER")),
        described(
            {"threshold"},
            QT_TRANSLATE_NOOP("StartOptions",
                              "Mit --analyse: Schwelle statt der aus kelmot.cfg (Vorgabe 5000)."),
            QT_TRANSLATE_NOOP("StartOptions", "WERT")),
        described({"language"},
                  QT_TRANSLATE_NOOP("StartOptions",
                                    "Sprache der Texte: de (Deutsch) oder en (Englisch); "
                                    "ohne die Option die des Desktops."),
                  QT_TRANSLATE_NOOP("StartOptions", "SPRACHE")),
        described({"classroom"}, QT_TRANSLATE_NOOP("StartOptions",
                                                   "Die Klassenansicht beim Start einschalten und "
                                                   "jede Adresse mit ihrem Zugangscode ausgeben.")),
        described({"runs"},
                  QT_TRANSLATE_NOOP(
                      "StartOptions",
                      "Ohne Fenster jede aufbewahrte Messung als Zeile ausgeben (Tabulator "
                      "zwischen den Feldern, Dezimalpunkt); mit --output jede als .kmd-Datei.")),
        described({"since"},
                  QT_TRANSLATE_NOOP("StartOptions",
                                    "Mit --runs: nur Messungen ab diesem Tag (JJJJ-MM-TT)."),
                  QT_TRANSLATE_NOOP("StartOptions", "DATUM")),
        described({"backup"},
                  QT_TRANSLATE_NOOP("StartOptions",
                                    "Ohne Fenster das ganze Messungsjournal in die eine Datei "
                                    "DATEI sichern."),
                  QT_TRANSLATE_NOOP("StartOptions", "DATEI")),
    };
}

CaptureOptionSet captureOptions() {
    CaptureOptionSet set{
        described(
            {"simulate"},
            QT_TRANSLATE_NOOP(
                "StartOptions",
                "Statt der Soundkarte die virtuelle Fahrbahn messen (Vorführung ohne Geräte).")),
        described({"replay"},
                  QT_TRANSLATE_NOOP("StartOptions",
                                    "Statt der Soundkarte die WAV-Datei DATEI abspielen."),
                  QT_TRANSLATE_NOOP("StartOptions", "DATEI")),
        described(
            {"mixer"},
            QT_TRANSLATE_NOOP("StartOptions",
                              "Mischpult: alsa (Vorgabe) oder simulated (simuliertes Mischpult)."),
            QT_TRANSLATE_NOOP("StartOptions", "ART"), "alsa"),
        described({"simulate-speed"},
                  QT_TRANSLATE_NOOP("StartOptions", "Zeitraffer der Simulation."),
                  QT_TRANSLATE_NOOP("StartOptions", "FAKTOR"), "1"),
        described({"signal"},
                  QT_TRANSLATE_NOOP(
                      "StartOptions",
                      "Signal der Lichtschranken: tone (ein Ton, solange ein Strahl unterbrochen "
                      "ist) oder edges (eine Gleichspannung, von der die Soundkarte nur die "
                      "Flanken durchlässt); ohne die Option die in den Einstellungen gewählte. Mit "
                      "--simulate: die Lichtschranken der Simulation."),
                  QT_TRANSLATE_NOOP("StartOptions", "ART")),
    };
    // A factor for demonstrations and tests, not for a lesson.
    set.speed.setFlags(QCommandLineOption::HiddenFromHelp);
    return set;
}

ExperimentOptionSet experimentOptions() {
    return {
        described(
            {"experiment"},
            QT_TRANSLATE_NOOP(
                "StartOptions",
                "Mit --analyse: fall (ein Lattenzaun fällt durch eine Lichtschranke), pendulum "
                "(ein Pendel schwingt durch eine Lichtschranke) oder pulley (ein Speichenrad dreht "
                "sich durch eine Lichtschranke) statt der Fahrbahn mit zehn Lichtschranken."),
            QT_TRANSLATE_NOOP("StartOptions", "VERSUCH")),
        described(
            {"bands"},
            QT_TRANSLATE_NOOP("StartOptions", "Mit --experiment fall: Zahl der Latten (2 bis 30)."),
            QT_TRANSLATE_NOOP("StartOptions", "ZAHL")),
        described(
            {"pitch"},
            QT_TRANSLATE_NOOP(
                "StartOptions",
                "Mit --experiment fall: Abstand von einer Lattenvorderkante zur nächsten in mm."),
            QT_TRANSLATE_NOOP("StartOptions", "MM")),
        described(
            {"band-width"},
            QT_TRANSLATE_NOOP("StartOptions",
                              "Mit --experiment fall: Breite einer Latte in Fallrichtung in mm."),
            QT_TRANSLATE_NOOP("StartOptions", "MM")),
        described({"length"},
                  QT_TRANSLATE_NOOP("StartOptions",
                                    "Mit --experiment pendulum: Länge vom Aufhängepunkt "
                                    "zur Mitte des Pendelkörpers in mm (500)."),
                  QT_TRANSLATE_NOOP("StartOptions", "MM")),
        described({"bob-width"},
                  QT_TRANSLATE_NOOP(
                      "StartOptions",
                      "Mit --experiment pendulum: Breite des Pendelkörpers im Strahl in mm (20)."),
                  QT_TRANSLATE_NOOP("StartOptions", "MM")),
        described({"periods"},
                  QT_TRANSLATE_NOOP("StartOptions",
                                    "Mit --experiment pendulum: Perioden je Messung (1 "
                                    "bis 200, 10); 0: bis das Pendel steht."),
                  QT_TRANSLATE_NOOP("StartOptions", "ZAHL")),
        described({"spokes"},
                  QT_TRANSLATE_NOOP("StartOptions",
                                    "Mit --experiment pulley: Zahl der Speichen (2 bis 36, 10)."),
                  QT_TRANSLATE_NOOP("StartOptions", "ZAHL")),
        described(
            {"radius"},
            QT_TRANSLATE_NOOP(
                "StartOptions",
                "Mit --experiment pulley: Radius der Rille, in der der Faden läuft, in mm (25)."),
            QT_TRANSLATE_NOOP("StartOptions", "MM")),
        described(
            {"turns"},
            QT_TRANSLATE_NOOP("StartOptions",
                              "Mit --experiment pulley: Umdrehungen je Messung (1 bis 20, 2)."),
            QT_TRANSLATE_NOOP("StartOptions", "ZAHL")),
    };
}

} // namespace

OptionSet declareOptions(QCommandLineParser& parser) {
    parser.addPositionalArgument(
        QCoreApplication::translate("StartOptions", "DATEI.kmd"),
        QCoreApplication::translate("StartOptions",
                                    "Diese Messdatei beim Start als s-t-Tabelle zeigen."),
        QCoreApplication::translate("StartOptions", "[DATEI.kmd]"));
    parser.setApplicationDescription(QCoreApplication::translate(
        "StartOptions",
        "Kelmot: Messung von Weg und Geschwindigkeit mit zehn Lichtschranken an der Soundkarte."));
    OptionSet set{workOptions(), captureOptions(), experimentOptions()};
    // In the order the help lists them.
    parser.addOptions({set.help,       set.version, set.simulate,  set.replay,    set.mixer,
                       set.analyse,    set.output,  set.threshold, set.speed,     set.language,
                       set.classroom,  set.runs,    set.since,     set.backup,    set.signal,
                       set.experiment, set.bands,   set.pitch,     set.bandWidth, set.length,
                       set.bobWidth,   set.periods, set.spokes,    set.radius,    set.turns});
    return set;
}

} // namespace kelmot
