// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineOption>

class QCommandLineParser;

namespace kelmot {

// The options that choose what the program does.
struct WorkOptionSet {
    QCommandLineOption help, version, analyse, output, threshold, language, classroom, runs, since,
        backup;
};

// The options that choose where it measures.
struct CaptureOptionSet {
    QCommandLineOption simulate, replay, mixer, speed, signal;
};

// The options of an experiment analysed from a recording.
struct ExperimentOptionSet {
    QCommandLineOption experiment, bands, pitch, bandWidth, length, bobWidth, periods, spokes,
        radius, turns;
};

// Every option the program knows, as the parser was told of them.
struct OptionSet : WorkOptionSet, CaptureOptionSet, ExperimentOptionSet {};

// Tells the parser of every option, the data file argument and the
// program's description, in the language of the texts loaded.
OptionSet declareOptions(QCommandLineParser& parser);

} // namespace kelmot
