// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "experiments/pendulum.h"
#include "experiments/picketfence.h"
#include "experiments/pulley.h"
#include "platform/mixerapi.h"
#include "platform/simulatedpendulum.h"
#include "platform/simulatedpulley.h"
#include "platform/wavein.h"
#include "store/signalkind.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace kelmot {

// What the command line chose: where the signal comes from and which mixer
// is configured.
struct StartOptions {
    enum class Capture { SoundCard, Simulation, Replay };
    enum class Mixer { Alsa, Simulated };
    Capture capture = Capture::SoundCard;
    QString replayFile;
    Mixer mixer = Mixer::Alsa;
    double simulationSpeed = 1.0;
    // A data file given on the command line (a double click on it): shown
    // as an s-t table at start.
    QString openFile;
    // --analyse: every run in a recording, without a window.
    QString analyseFile;
    QString outputFolder;
    std::optional<std::int32_t> threshold;
    // --signal: the light barriers' kind of signal for this start (the
    // simulation's barrier too); without it the remembered choice.
    std::optional<SignalKind> signal;
    // --experiment fall (with --analyse): drops of a picket fence through
    // one barrier instead of the track's runs, with the fence's geometry
    // (--bands, --pitch, --band-width; else the one last used).
    bool fall = false;
    FenceGeometry fence;
    // --experiment pendulum (with --analyse): swings of a pendulum through
    // one barrier, with its --length, --bob-width and --periods.
    bool pendulum = false;
    PendulumSetup pendulumSetup;
    // --experiment pulley (with --analyse): turns of a spoked pulley through
    // one barrier, with its --spokes, --radius and --turns (else the last used).
    bool pulley = false;
    PulleySetup pulleySetup;
    // --language: "de" or "en"; empty: the desktop's.
    QString language;
    // --classroom: the classroom view switched on at start.
    bool classroom = false;
    // --runs: the journal's runs as lines for scripts, without a window;
    // --since: only those begun on or after that day.
    bool listRuns = false;
    QDate since;
    // --backup: the whole journal copied into this file, without a window.
    QString backupFile;
};

// Parses the arguments (argv[0] first). On --help or --version the text to
// print goes to `output` with exit code 0; on bad options the message goes
// to `output` with exit code 2. Otherwise the options.
struct ParsedOptions {
    std::optional<StartOptions> options;
    QString output;
    int exitCode = 0;
};
ParsedOptions parseStartOptions(const QStringList& arguments);

std::shared_ptr<platform::WaveInBackend> makeCaptureBackend(const StartOptions& options);
std::shared_ptr<platform::MixerApi> makeMixerApi(const StartOptions& options);
// The demonstration's picket fence, dropped anew at every "Messen".
std::shared_ptr<platform::WaveInBackend> makeFallSimulationBackend(const StartOptions& options);
// The demonstration's pendulum, let go anew at every "Messen" with the
// length and bob `typed` gives then: 10° out, dying away with τ = 60 s.
std::shared_ptr<platform::WaveInBackend>
makePendulumSimulationBackend(const StartOptions& options,
                              std::function<platform::PendulumParameters()> typed);
// The demonstration's pulley, its masses let go anew at every "Messen",
// with the wheel `typed` gives then.
std::shared_ptr<platform::WaveInBackend>
makePulleySimulationBackend(const StartOptions& options,
                            std::function<platform::PulleyParameters()> typed);
// The virtual pulley of a setup: its spokes, radius and turns; its masses,
// or the demonstration's 60 g and 50 g where none are typed.
platform::PulleyParameters simulatedPulleyOf(const PulleySetup& setup);

} // namespace kelmot
