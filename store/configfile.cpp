#include "store/configfile.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <limits>

namespace kelmot {

std::optional<std::int32_t> parseStrictInt(const QString& text, QString* error) {
    const auto fail = [&]() -> std::optional<std::int32_t> {
        if (error) *error = QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text);
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
            // The bad value and the ones not reached are zero, as before start-up.
            bool after = false;
            for (std::int32_t* t : targets) {
                if (t == target) after = true;
                if (after) *t = 0;
            }
            return error;
        }
        *target = *value;
    }
    return std::nullopt;
}

QString ioErrorText(int code) {
    if (code == EACCES || code == EPERM || code == EROFS)
        return QStringLiteral("Dateizugriff verweigert");
    return QStringLiteral("E/A-Fehler %1").arg(code);
}

std::optional<QString> writeConfigFile(const QString& path, const ConfigValues& values) {
    errno = 0;
    std::FILE* f = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!f) return ioErrorText(errno);
    const std::int32_t lines[] = {values.mixerDevice, values.inputLine, values.threshold,
                                  values.outputMode};
    for (std::int32_t v : lines) {
        if (std::fprintf(f, "%d\r\n", v) < 0) {
            const int code = errno;
            std::fclose(f);
            return ioErrorText(code);
        }
    }
    // A full disk often shows only when the buffered lines are flushed.
    if (std::fclose(f) != 0) return ioErrorText(errno);
    return std::nullopt;
}

} // namespace kelmot
