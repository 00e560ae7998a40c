// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startoptions.h"
#include "app/commandlineoptions.h"
#include "app/language.h"

#include "platform/alsa_mixer.h"
#include "platform/paced_wavein.h"
#include "platform/portaudio_wavein.h"
#include "platform/simulated_mixer.h"
#include "platform/simulatedfence.h"
#include "platform/simulatedtrack.h"
#include "platform/wavfilesource.h"
#include "store/numberconversion.h"
#include "store/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace kelmot {

namespace {

ParsedOptions failure(const QString& message) {
    ParsedOptions result;
    result.output = "kelmot: " + message + "\n";
    result.exitCode = 2;
    return result;
}

// Lengths in mm given as options, each into its field: "50,0" as typed on a
// German desktop or "50.0" as in a script. The failure names the option.
template <std::size_t N>
std::optional<ParsedOptions>
readLengths(const QCommandLineParser& parser,
            const std::pair<const QCommandLineOption*, double*> (&lengths)[N]) {
    for (const auto& [option, field] : lengths) {
        if (!parser.isSet(*option)) continue;
        const auto value = parseFloatEitherSeparator(parser.value(*option));
        if (!value)
            return failure(
                QCoreApplication::translate("StartOptions", "ungültige Länge '%1' für --%2.")
                    .arg(parser.value(*option), option->names().constFirst()));
        *field = *value;
    }
    return std::nullopt;
}

// The pendulum's length, bob and periods from the command line, each in its
// range (the message says which is not).
std::optional<ParsedOptions> readPendulum(const QCommandLineParser& parser, const OptionSet& opt,
                                          StartOptions& o) {
    o.pendulum = true;
    if (parser.isSet(opt.periods)) {
        const auto value = parseInteger(parser.value(opt.periods));
        if (!value)
            return failure(
                QCoreApplication::translate("StartOptions", "ungültige Zahl der Perioden '%1'.")
                    .arg(parser.value(opt.periods)));
        o.pendulumSetup.periods = *value;
    }
    const std::pair<const QCommandLineOption*, double*> lengths[] = {
        {&opt.length, &o.pendulumSetup.lengthMm}, {&opt.bobWidth, &o.pendulumSetup.bobWidthMm}};
    if (auto failed = readLengths(parser, lengths)) return failed;
    if (const auto problem = pendulumSetupProblem(o.pendulumSetup)) return failure(*problem);
    return std::nullopt;
}

// A count given as an option into its field; the failure names the option.
std::optional<ParsedOptions> readCount(const QCommandLineParser& parser,
                                       const QCommandLineOption& option, int& field) {
    if (!parser.isSet(option)) return std::nullopt;
    const auto value = parseInteger(parser.value(option));
    if (!value)
        return failure(QCoreApplication::translate("StartOptions", "ungültige Zahl '%1' für --%2.")
                           .arg(parser.value(option), option.names().constFirst()));
    field = *value;
    return std::nullopt;
}

// The pulley's spokes, radius and turns from the command line, each in its
// range (the message says which is not).
std::optional<ParsedOptions> readPulley(const QCommandLineParser& parser, const OptionSet& opt,
                                        StartOptions& o) {
    o.pulley = true;
    o.pulleySetup = rememberedPulley();
    if (auto failed = readCount(parser, opt.spokes, o.pulleySetup.spokes)) return failed;
    if (auto failed = readCount(parser, opt.turns, o.pulleySetup.turns)) return failed;
    const std::pair<const QCommandLineOption*, double*> lengths[] = {
        {&opt.radius, &o.pulleySetup.radiusMm}};
    if (auto failed = readLengths(parser, lengths)) return failed;
    if (const auto problem = pulleySetupProblem(o.pulleySetup)) return failure(*problem);
    return std::nullopt;
}

// --experiment and the fence's geometry: only with --analyse for now, each
// value a number in its range (the message says which is not).
std::optional<ParsedOptions> readExperiment(const QCommandLineParser& parser, const OptionSet& opt,
                                            StartOptions& o) {
    const bool geometry =
        parser.isSet(opt.bands) || parser.isSet(opt.pitch) || parser.isSet(opt.bandWidth);
    const bool swing =
        parser.isSet(opt.length) || parser.isSet(opt.bobWidth) || parser.isSet(opt.periods);
    const bool wheel =
        parser.isSet(opt.spokes) || parser.isSet(opt.radius) || parser.isSet(opt.turns);
    const QString which = parser.isSet(opt.experiment) ? parser.value(opt.experiment) : QString();
    if (wheel && which != QLatin1String("pulley"))
        return failure(QCoreApplication::translate(
            "StartOptions", "--spokes, --radius und --turns gehören zu --experiment pulley."));
    if (geometry && which != QLatin1String("fall"))
        return failure(QCoreApplication::translate(
            "StartOptions", "--bands, --pitch und --band-width gehören zu --experiment fall."));
    if (swing && which != QLatin1String("pendulum"))
        return failure(QCoreApplication::translate(
            "StartOptions",
            "--length, --bob-width und --periods gehören zu --experiment pendulum."));
    if (!parser.isSet(opt.experiment)) return std::nullopt;
    if (which != QLatin1String("fall") && which != QLatin1String("pendulum") &&
        which != QLatin1String("pulley"))
        return failure(QCoreApplication::translate(
                           "StartOptions", "unbekannter Versuch '%1' (fall, pendulum, pulley).")
                           .arg(which));
    if (!parser.isSet(opt.analyse))
        return failure(
            QCoreApplication::translate("StartOptions", "--experiment gehört zu --analyse."));
    if (which == QLatin1String("pendulum")) return readPendulum(parser, opt, o);
    if (which == QLatin1String("pulley")) return readPulley(parser, opt, o);
    o.fall = true;
    o.fence = rememberedFence();
    if (parser.isSet(opt.bands)) {
        const auto value = parseInteger(parser.value(opt.bands));
        if (!value)
            return failure(
                QCoreApplication::translate("StartOptions", "ungültige Zahl der Latten '%1'.")
                    .arg(parser.value(opt.bands)));
        o.fence.bands = *value;
    }
    // "50,0" as typed on a German desktop or "50.0" as in a script.
    const std::pair<const QCommandLineOption*, double*> lengths[] = {
        {&opt.pitch, &o.fence.pitchMm}, {&opt.bandWidth, &o.fence.bandWidthMm}};
    if (auto failed = readLengths(parser, lengths)) return failed;
    if (const auto problem = fenceGeometryProblem(o.fence)) return failure(*problem);
    return std::nullopt;
}

// --runs with --since and --output: the journal listed without a window.
std::optional<ParsedOptions> readRunList(const QCommandLineParser& parser, const OptionSet& opt,
                                         bool fileGiven, StartOptions& o) {
    if (parser.isSet(opt.analyse) || parser.isSet(opt.simulate) || parser.isSet(opt.replay) ||
        parser.isSet(opt.classroom) || parser.isSet(opt.threshold) || parser.isSet(opt.signal) ||
        fileGiven)
        return failure(QCoreApplication::translate(
            "StartOptions", "--runs liest das Journal; nur --since und --output passen dazu."));
    o.listRuns = true;
    o.outputFolder = parser.value(opt.output);
    if (parser.isSet(opt.since)) {
        o.since = QDate::fromString(parser.value(opt.since), Qt::ISODate);
        if (!o.since.isValid())
            return failure(
                QCoreApplication::translate("StartOptions", "ungültiges Datum '%1' (JJJJ-MM-TT).")
                    .arg(parser.value(opt.since)));
    }
    return std::nullopt;
}

// --backup FILE, alone: the journal copied without a window.
std::optional<ParsedOptions> readBackup(const QCommandLineParser& parser, const OptionSet& opt,
                                        bool fileGiven, StartOptions& o) {
    bool clash = fileGiven;
    for (const QCommandLineOption* other :
         {&opt.analyse, &opt.simulate, &opt.replay, &opt.classroom, &opt.runs, &opt.since,
          &opt.output, &opt.threshold, &opt.signal})
        clash = clash || parser.isSet(*other);
    if (clash || parser.value(opt.backup).isEmpty())
        return failure(QCoreApplication::translate(
            "StartOptions", "--backup sichert das Journal in eine Datei; nichts passt dazu."));
    o.backupFile = parser.value(opt.backup);
    return std::nullopt;
}

// --analyse with --output and --threshold: a recording evaluated without a
// window.
std::optional<ParsedOptions> readAnalysis(const QCommandLineParser& parser, const OptionSet& opt,
                                          StartOptions& o) {
    if (parser.isSet(opt.simulate) || parser.isSet(opt.replay))
        return failure(QCoreApplication::translate(
            "StartOptions",
            "--analyse liest eine Aufnahme; --simulate und --replay passen nicht dazu."));
    o.analyseFile = parser.value(opt.analyse);
    o.outputFolder = parser.value(opt.output);
    if (parser.isSet(opt.threshold)) {
        const auto value = parseInteger(parser.value(opt.threshold));
        if (!value)
            return failure(QCoreApplication::translate("StartOptions", "ungültige Schwelle '%1'.")
                               .arg(parser.value(opt.threshold)));
        o.threshold = *value;
    }
    return std::nullopt;
}

// What the program does: open a file, list the journal, analyse a
// recording or show the windows, with or without the classroom view.
std::optional<ParsedOptions> readWork(const QCommandLineParser& parser, const OptionSet& opt,
                                      StartOptions& o) {
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1 || (files.size() == 1 && parser.isSet("analyse")))
        return failure(QCoreApplication::translate("StartOptions", "unbekanntes Argument: %1")
                           .arg(files.back()));
    if (!files.isEmpty()) o.openFile = files.front();
    if (parser.isSet(opt.simulate) && parser.isSet(opt.replay))
        return failure(QCoreApplication::translate(
            "StartOptions", "--simulate und --replay schließen einander aus."));
    if (parser.isSet(opt.backup)) {
        if (auto failed = readBackup(parser, opt, !files.isEmpty(), o)) return failed;
    } else if (parser.isSet(opt.runs)) {
        if (auto failed = readRunList(parser, opt, !files.isEmpty(), o)) return failed;
    } else if (parser.isSet(opt.since)) {
        return failure(QCoreApplication::translate("StartOptions", "--since gehört zu --runs."));
    } else if (parser.isSet(opt.analyse)) {
        if (auto failed = readAnalysis(parser, opt, o)) return failed;
    } else if (parser.isSet(opt.output) || parser.isSet(opt.threshold)) {
        return failure(QCoreApplication::translate(
            "StartOptions", "--output und --threshold gehören zu --analyse."));
    }
    if (parser.isSet(opt.classroom)) {
        if (parser.isSet(opt.analyse))
            return failure(QCoreApplication::translate(
                "StartOptions", "--classroom braucht das Fenster; --analyse passt nicht dazu."));
        o.classroom = true;
    }
    return std::nullopt;
}

// Where it measures: the signal, the sound card, the simulation or a
// replayed file, the mixer and the simulation's speed.
std::optional<ParsedOptions> readCapture(const QCommandLineParser& parser, const OptionSet& opt,
                                         StartOptions& o) {
    if (parser.isSet(opt.signal)) {
        const QByteArray word = parser.value(opt.signal).toLatin1();
        o.signal = signalKindFromWord(std::string_view(word.constData(), std::size_t(word.size())));
        if (!o.signal)
            return failure(QCoreApplication::translate("StartOptions",
                                                       "unbekanntes Signal '%1' (tone oder edges).")
                               .arg(parser.value(opt.signal)));
    }
    if (parser.isSet(opt.simulate)) o.capture = StartOptions::Capture::Simulation;
    if (parser.isSet(opt.replay)) {
        o.capture = StartOptions::Capture::Replay;
        o.replayFile = parser.value(opt.replay);
    }
    const QString m = parser.value(opt.mixer);
    if (m == "alsa") {
        o.mixer = StartOptions::Mixer::Alsa;
    } else if (m == "simulated") {
        o.mixer = StartOptions::Mixer::Simulated;
    } else {
        return failure(QCoreApplication::translate(
                           "StartOptions", "unbekanntes Mischpult '%1' (alsa oder simulated).")
                           .arg(m));
    }
    // "1,5" as typed on a German desktop or "1.5" as in a script.
    const auto factor = parseFloatEitherSeparator(parser.value(opt.speed));
    o.simulationSpeed = factor.value_or(0);
    if (!factor || o.simulationSpeed <= 0 || o.simulationSpeed > 1000)
        return failure(QCoreApplication::translate("StartOptions", "ungültiger Zeitraffer '%1'.")
                           .arg(parser.value(opt.speed)));
    return std::nullopt;
}

// The options that start the windows, checked against each other.
ParsedOptions readOptions(const QCommandLineParser& parser, const OptionSet& opt) {
    StartOptions o;
    if (auto failed = readWork(parser, opt, o)) return *failed;
    if (auto failed = readExperiment(parser, opt, o)) return *failed;
    if (auto failed = readCapture(parser, opt, o)) return *failed;
    if (parser.isSet(opt.language)) {
        o.language = parser.value(opt.language);
        if (!isKnownLanguage(o.language))
            return failure(
                QCoreApplication::translate("StartOptions", "unbekannte Sprache '%1' (de oder en).")
                    .arg(o.language));
    }
    ParsedOptions result;
    result.options = o;
    return result;
}

} // namespace

ParsedOptions parseStartOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    const OptionSet opt = declareOptions(parser);
    ParsedOptions result;
    if (!parser.parse(arguments)) return failure(parser.errorText());
    if (parser.isSet(opt.help)) {
        result.output = parser.helpText();
        return result;
    }
    if (parser.isSet(opt.version)) {
        result.output = QStringLiteral("Kelmot %1\n").arg(QString::fromLatin1(ProgramVersion)) +
                        QCoreApplication::translate(
                            "StartOptions",
                            "Lizenz GPL-3.0-or-later: GNU GPL Version 3 oder neuer "
                            "<https://www.gnu.org/licenses/gpl.html>.\nDies ist freie Software: "
                            "Sie dürfen sie ändern und weitergeben. Es gibt keine Garantie, soweit "
                            "das Gesetz es zulässt.\n");
        return result;
    }
    return readOptions(parser, opt);
}

std::shared_ptr<platform::WaveInBackend> makeCaptureBackend(const StartOptions& options) {
    using namespace platform;
    switch (options.capture) {
    case StartOptions::Capture::Simulation:
        return std::make_shared<PacedBackend>(
            QCoreApplication::translate("StartOptions", "Simulation").toStdString(),
            demonstrationRuns(options.signal == SignalKind::Edges ? steadyVoltageBarrier()
                                                                  : TrackParameters{}),
            options.simulationSpeed,
            QCoreApplication::translate("StartOptions", "virtuelle Fahrbahn").toStdString());
    case StartOptions::Capture::Replay: {
        const std::string path = options.replayFile.toStdString();
        return std::make_shared<PacedBackend>(
            QCoreApplication::translate("StartOptions", "Wiedergabe").toStdString(),
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

namespace {

// An experiment's demonstration: "Simulation" at the start's speed, its
// virtual object named as the input.
std::shared_ptr<platform::WaveInBackend>
demonstration(const StartOptions& options, platform::PacedBackend::SourceFactory objects,
              const QString& input) {
    return std::make_shared<platform::PacedBackend>(
        QCoreApplication::translate("StartOptions", "Simulation").toStdString(), std::move(objects),
        options.simulationSpeed, input.toStdString());
}

} // namespace

std::shared_ptr<platform::WaveInBackend> makeFallSimulationBackend(const StartOptions& options) {
    return demonstration(options, platform::demonstrationDrops(),
                         QCoreApplication::translate("StartOptions", "virtueller Lattenzaun"));
}

std::shared_ptr<platform::WaveInBackend>
makePendulumSimulationBackend(const StartOptions& options,
                              std::function<platform::PendulumParameters()> typed) {
    return demonstration(options, platform::demonstrationSwings(std::move(typed)),
                         QCoreApplication::translate("StartOptions", "virtuelles Pendel"));
}

std::shared_ptr<platform::WaveInBackend>
makePulleySimulationBackend(const StartOptions& options,
                            std::function<platform::PulleyParameters()> typed) {
    return demonstration(options, platform::demonstrationTurns(std::move(typed)),
                         QCoreApplication::translate("StartOptions", "virtuelles Speichenrad"));
}

platform::PulleyParameters simulatedPulleyOf(const PulleySetup& setup) {
    platform::PulleyParameters p;
    p.spokes = setup.spokes;
    p.radiusMm = setup.radiusMm;
    p.turns = setup.turns;
    if (setup.massesGiven()) {
        p.mass1G = setup.mass1G;
        p.mass2G = setup.mass2G;
    }
    return p;
}

std::shared_ptr<platform::MixerApi> makeMixerApi(const StartOptions& options) {
    if (options.mixer == StartOptions::Mixer::Simulated)
        return std::make_shared<platform::SimulatedMixerApi>(
            platform::SimulatedMixerApi::demonstrationDevices());
    return std::make_shared<platform::AlsaMixerApi>();
}

} // namespace kelmot
