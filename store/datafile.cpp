#include "store/datafile.h"

#include "store/numberconversion.h"
#include "store/numberformat.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmot {

namespace {

QChar decimalSeparator(const QLocale& locale) {
    const QString point = locale.decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.front();
}

} // namespace

QByteArray dataFileText(int resolution, const double (&runTimes)[2][TimeSlots],
                        const QLocale& locale) {
    QString text = QString::fromLatin1(DataFileHeader) + QString::number(resolution) + "\r\n";
    for (int k = 0; k < BarrierCount; ++k)
        text += formatGeneral(k * 0.1, locale) + u';' + formatGeneral(runTimes[0][k], locale) +
                u';' + formatGeneral(runTimes[1][k], locale) + "\r\n";
    return text.toLatin1();
}

QList<QByteArray> splitTextLines(const QByteArray& content, int maxLines) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < content.size() && lines.size() < maxLines) {
        qsizetype end = start;
        while (end < content.size() && content[end] != '\r' && content[end] != '\n')
            ++end;
        lines << content.mid(start, end - start);
        if (end < content.size() && content[end] == '\r') ++end;
        if (end < content.size() && content[end] == '\n') ++end;
        start = end;
    }
    return lines;
}

std::optional<QString> readDataFileLines(const QList<QByteArray>& lines, MeasurementStore& store,
                                         const QLocale& locale) {
    const QChar separator = decimalSeparator(locale);
    int fields = 0; // carries over from line to line
    for (int r = 0; r < lines.size() && r <= BarrierCount; ++r) {
        // A data file is ANSI text: every byte stands for one character.
        QString rest = QString::fromLatin1(lines[r]);
        if (r == 0) {
            const QString last = rest.isEmpty() ? QString() : rest.right(1);
            const auto resolution = parseInteger(last);
            if (!resolution) return notAnIntegerMessage(last);
            store.SeriesResolution[0] = *resolution;
            continue;
        }
        const int k = r - 1;
        while (!rest.isEmpty()) {
            const qsizetype semicolon = rest.indexOf(u';');
            if (semicolon >= 0) {
                if (fields > 0) {
                    const QString field = rest.left(semicolon);
                    const auto x = parseFloat(field, separator);
                    if (!x) return notAFloatMessage(field);
                    store.RunTimes[0][k] = *x;
                    store.SeriesDarkTimes[0][k] = *x;
                }
                rest.remove(0, semicolon + 1);
                ++fields;
            } else {
                const auto x = parseFloat(rest, separator);
                if (!x) return notAFloatMessage(rest);
                store.RunTimes[1][k] = *x;
                store.SeriesBrightTimes[0][k] = *x;
                rest.clear();
                fields = 0;
            }
        }
    }
    return std::nullopt;
}

QString withDataFileExtension(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    const QString stem = dot > slash ? path.left(dot) : path;
    return stem + QString::fromLatin1(DataFileExtension);
}

namespace {

// The German reason for a failed system call.
QString ioReason(int code) {
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Der Ordner ist nicht vorhanden.");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("Zugriff verweigert.");
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return QStringLiteral("Der Datenträger ist voll.");
    case EISDIR:
        return QStringLiteral("Unter diesem Namen steht ein Ordner.");
    default:
        return QStringLiteral("E/A-Fehler %1.").arg(code);
    }
}

bool writeAll(int fd, const QByteArray& content) {
    qsizetype done = 0;
    while (done < content.size()) {
        const ssize_t n =
            ::write(fd, content.constData() + done, std::size_t(content.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

} // namespace

std::optional<QString> saveTextFileAtomically(const QString& path, const QByteArray& content) {
    // Never written in place: a failure half-way would leave a truncated
    // file. A temporary file in the same folder replaces the target only
    // once it is complete and on the disk.
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary = target + ".XXXXXX";
    int code = 0;
    errno = 0;
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        code = errno;
    } else {
        struct stat existing {};
        mode_t mode = 0;
        if (::stat(target.constData(), &existing) == 0) {
            mode = existing.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, content) && ::fsync(fd) == 0;
        if (!ok) code = errno != 0 ? errno : EIO;
        if (::close(fd) != 0 && ok) {
            ok = false;
            code = errno;
        }
        if (ok && ::rename(temporary.constData(), target.constData()) != 0) {
            ok = false;
            code = errno;
        }
        if (!ok) ::unlink(temporary.constData());
    }
    if (code == 0) return std::nullopt;
    return QStringLiteral("Die Datei \"%1\" wurde nicht gespeichert. %2")
        .arg(QDir::toNativeSeparators(path), ioReason(code));
}

FileRead readSmallFile(const QString& path, qint64 maxBytes) {
    FileRead result;
    std::FILE* f = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!f) {
        const int code = errno;
        if (code == ENOENT || code == ENOTDIR)
            result.error = QStringLiteral("Datei nicht gefunden");
        else if (code == EACCES || code == EPERM)
            result.error = QStringLiteral("Dateizugriff verweigert");
        else
            result.error = QStringLiteral("E/A-Fehler %1").arg(code);
        return result;
    }
    result.content.resize(maxBytes);
    const std::size_t got = std::fread(result.content.data(), 1, std::size_t(maxBytes), f);
    const bool failed = std::ferror(f) != 0;
    const int code = errno;
    std::fclose(f);
    result.content.resize(qsizetype(got));
    if (got == std::size_t(maxBytes)) {
        // Larger than any data file: keep whole lines only, so that no
        // number is read cut short.
        const qsizetype end =
            std::max(result.content.lastIndexOf('\n'), result.content.lastIndexOf('\r'));
        result.content.truncate(end + 1);
    }
    // A folder opens but cannot be read.
    if (failed)
        result.error = code == EISDIR ? QStringLiteral("Dateizugriff verweigert")
                                      : QStringLiteral("E/A-Fehler %1").arg(code);
    return result;
}

} // namespace kelmot
