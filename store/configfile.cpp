// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/configfile.h"

#include "store/fileio.h"
#include "store/numberconversion.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <limits>

namespace kelmot {

std::optional<QString> readConfigFile(const QString& path, MeasurementStore& store) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        store.MixerDevice = 0;
        store.InputLine = 0;
        store.Threshold = 5000;
        store.OutputMode = 0;
        return std::nullopt;
    }
    return readConfig(file, store);
}

std::optional<QString> readConfig(QIODevice& file, MeasurementStore& store) {
    std::int32_t* targets[] = {&store.MixerDevice, &store.InputLine, &store.Threshold,
                               &store.OutputMode};
    for (std::int32_t* target : targets) {
        // Past the end of the file a read gives an empty line.
        QByteArray line = file.atEnd() ? QByteArray() : file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        QString error;
        const auto value = parseStrictInt(QString::fromLocal8Bit(line), &error);
        if (!value) {
            // The bad value and the ones not reached keep their defaults: a
            // threshold of 0 would take every noise sample for a dark edge.
            const ConfigValues defaults;
            const std::int32_t fallback[] = {defaults.mixerDevice, defaults.inputLine,
                                             defaults.threshold, defaults.outputMode};
            bool after = false;
            for (std::size_t i = 0; i < std::size(targets); ++i) {
                if (targets[i] == target) after = true;
                if (after) *targets[i] = fallback[i];
            }
            return error;
        }
        *target = *value;
    }
    return std::nullopt;
}

std::optional<QString> writeConfigFile(const QString& path, const ConfigValues& values) {
    QByteArray text;
    for (std::int32_t v :
         {values.mixerDevice, values.inputLine, values.threshold, values.outputMode})
        text += QByteArray::number(v) + "\r\n";
    // A failed write leaves the earlier file as it was.
    if (const int code = writeFileAtomically(path, text)) return fileAccessText(code);
    return std::nullopt;
}

} // namespace kelmot
