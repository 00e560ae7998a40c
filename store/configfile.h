// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/measurementstore.h"

#include <QIODevice>
#include <QString>
#include <optional>

namespace kelmot {

inline const QString ConfigFileName = QStringLiteral("kelmot.cfg");

// The four settings kept between runs of the program, one integer a line.
struct ConfigValues {
    std::int32_t mixerDevice = 0;
    std::int32_t inputLine = 0;
    std::int32_t threshold = 5000;
    std::int32_t outputMode = 0;
};

// Reads the file into MixerDevice, InputLine, Threshold and OutputMode of the
// store. A missing or unreadable file gives the defaults and creates nothing.
// A malformed line stops the reading: the values before it are kept, the
// later ones take their defaults, and the conversion message is returned.
std::optional<QString> readConfigFile(const QString& path, MeasurementStore& store);
// The same from an open device (the file's contents).
std::optional<QString> readConfig(QIODevice& file, MeasurementStore& store);

// Writes the four lines (CR LF) through a temporary file that replaces the
// old one only when complete. Returns the I/O error message when any step
// fails; the earlier file then stays as it was.
std::optional<QString> writeConfigFile(const QString& path, const ConfigValues& values);

} // namespace kelmot
