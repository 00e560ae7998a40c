#include "app/startoptions.h"

#include "platform/alsa_mixer.h"
#include "platform/paced_wavein.h"
#include "platform/portaudio_wavein.h"
#include "platform/simulated_mixer.h"
#include "platform/simulatedtrack.h"
#include "platform/wavfilesource.h"
#include "store/numberconversion.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace kelmot {

ParsedOptions parseStartOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(
        QStringLiteral("DATEI.kmd"),
        QStringLiteral("Diese Messdatei beim Start als s-t-Tabelle zeigen."),
        QStringLiteral("[DATEI.kmd]"));
    parser.setApplicationDescription(
        "Kelmot: Messung von Weg und Geschwindigkeit mit zehn Lichtschranken an der Soundkarte.");
    const QCommandLineOption help({"h", "help"}, "Diese Hilfe anzeigen.");
    const QCommandLineOption version({"v", "version"}, "Die Version anzeigen.");
    const QCommandLineOption simulate(
        "simulate", "Statt der Soundkarte die virtuelle Fahrbahn messen (Vorführung ohne Geräte).");
    const QCommandLineOption replay("replay", "Statt der Soundkarte die WAV-Datei DATEI abspielen.",
                                    "DATEI");
    const QCommandLineOption mixer(
        "mixer", "Mischpult: alsa (Vorgabe) oder simulated (simuliertes Mischpult).", "ART",
        "alsa");
    const QCommandLineOption analyse(
        "analyse",
        "Ohne Fenster alle vollständigen Messungen in der Aufnahme DATEI (WAV) auswerten und als "
        "Messdaten ausgeben.",
        "DATEI");
    const QCommandLineOption output(
        "output", "Mit --analyse: jede Messung als NAME-1.kmd, NAME-2.kmd ... in ORDNER schreiben.",
        "ORDNER");
    const QCommandLineOption threshold(
        "threshold", "Mit --analyse: Schwelle statt der aus kelmot.cfg (Vorgabe 5000).", "WERT");
    QCommandLineOption speed("simulate-speed", "Zeitraffer der Simulation.", "FAKTOR", "1");
    speed.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({help, version, simulate, replay, mixer, analyse, output, threshold, speed});

    ParsedOptions result;
    const auto fail = [&result](const QString& message) {
        result.output = "kelmot: " + message + "\n";
        result.exitCode = 2;
        return result;
    };
    if (!parser.parse(arguments)) return fail(parser.errorText());
    if (parser.isSet(help)) {
        result.output = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.output = "Kelmot 3.0\n";
        return result;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1 || (files.size() == 1 && parser.isSet("analyse")))
        return fail("unbekanntes Argument: " + files.back());
    StartOptions o;
    if (!files.isEmpty()) o.openFile = files.front();
    if (parser.isSet(simulate) && parser.isSet(replay)) {
        return fail(QStringLiteral("--simulate und --replay schließen einander aus."));
    }
    if (parser.isSet(analyse)) {
        if (parser.isSet(simulate) || parser.isSet(replay))
            return fail(QStringLiteral("--analyse liest eine Aufnahme; --simulate und --replay "
                                       "passen nicht dazu."));
        o.analyseFile = parser.value(analyse);
        o.outputFolder = parser.value(output);
        if (parser.isSet(threshold)) {
            bool ok = false;
            const int value = parser.value(threshold).toInt(&ok);
            if (!ok) return fail("ungültige Schwelle '" + parser.value(threshold) + "'.");
            o.threshold = value;
        }
    } else if (parser.isSet(output) || parser.isSet(threshold)) {
        return fail(QStringLiteral("--output und --threshold gehören zu --analyse."));
    }
    if (parser.isSet(simulate)) o.capture = StartOptions::Capture::Simulation;
    if (parser.isSet(replay)) {
        o.capture = StartOptions::Capture::Replay;
        o.replayFile = parser.value(replay);
    }
    const QString m = parser.value(mixer);
    if (m == "alsa") {
        o.mixer = StartOptions::Mixer::Alsa;
    } else if (m == "simulated") {
        o.mixer = StartOptions::Mixer::Simulated;
    } else {
        return fail("unbekanntes Mischpult '" + m + "' (alsa oder simulated).");
    }
    // "1,5" as typed on a German desktop or "1.5" as in a script.
    const auto factor = parseFloatEitherSeparator(parser.value(speed));
    o.simulationSpeed = factor.value_or(0);
    if (!factor || o.simulationSpeed <= 0 || o.simulationSpeed > 1000) {
        return fail("ungültiger Zeitraffer '" + parser.value(speed) + "'.");
    }
    result.options = o;
    return result;
}

std::shared_ptr<platform::WaveInBackend> makeCaptureBackend(const StartOptions& options) {
    using namespace platform;
    switch (options.capture) {
    case StartOptions::Capture::Simulation:
        return std::make_shared<PacedBackend>(
            "Simulation",
            [](int rate, std::string&) {
                return std::make_unique<SimulatedTrack>(TrackParameters{}, rate);
            },
            options.simulationSpeed, "virtuelle Fahrbahn");
    case StartOptions::Capture::Replay: {
        const std::string path = options.replayFile.toStdString();
        return std::make_shared<PacedBackend>(
            "Wiedergabe",
            [path](int rate, std::string& error) -> std::unique_ptr<SampleSource> {
                return WavFileSource::load(path, rate, error);
            },
            options.simulationSpeed, QFileInfo(options.replayFile).fileName().toStdString());
    }
    case StartOptions::Capture::SoundCard:
        break;
    }
    return std::make_shared<PortAudioBackend>();
}

std::shared_ptr<platform::MixerApi> makeMixerApi(const StartOptions& options) {
    if (options.mixer == StartOptions::Mixer::Simulated)
        return std::make_shared<platform::SimulatedMixerApi>(
            platform::SimulatedMixerApi::demonstrationDevices());
    return std::make_shared<platform::AlsaMixerApi>();
}

} // namespace kelmot
