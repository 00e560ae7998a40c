// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/configfile.h"

#include "store/fileio.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <cstdio>
#include <limits>

namespace kelmot {

std::optional<std::int32_t> parseStrictInt(const QString& text, QString* error) {
    const auto fail = [&]() -> std::optional<std::int32_t> {
        if (error)
            *error = QCoreApplication::translate("FileErrors", "'%1' ist kein gültiger Integerwert")
                         .arg(text);
        return std::nullopt;
    };
    int pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    if (pos == text.size()) return fail();
    long long value = 0;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c < u'0' || c > u'9') return fail();
        value = value * 10 + (c.unicode() - u'0');
        if (value > static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1)
            return fail();
    }
    if (negative) value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return fail();
    return static_cast<std::int32_t>(value);
}

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

QString ioErrorText(int code) {
    if (code == EACCES || code == EPERM || code == EROFS)
        return QCoreApplication::translate("FileErrors", "Dateizugriff verweigert");
    return QCoreApplication::translate("FileErrors", "E/A-Fehler %1").arg(code);
}

std::optional<QString> writeConfigFile(const QString& path, const ConfigValues& values) {
    QByteArray text;
    for (std::int32_t v :
         {values.mixerDevice, values.inputLine, values.threshold, values.outputMode})
        text += QByteArray::number(v) + "\r\n";
    // A failed write leaves the earlier file as it was.
    if (const int code = writeFileAtomically(path, text)) return ioErrorText(code);
    return std::nullopt;
}

} // namespace kelmot
