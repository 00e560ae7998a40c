// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/fileio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmot {

QString withExtension(const QString& path, const QString& extension) {
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype dot = path.lastIndexOf(u'.');
    const QString stem = dot > slash ? path.left(dot) : path;
    return stem + extension;
}

FileFailure fileFailure(int code) {
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        return FileFailure::Missing;
    case EACCES:
    case EPERM:
    case EROFS:
        return FileFailure::Denied;
    case ENOSPC:
    case EFBIG:
    case EDQUOT:
        return FileFailure::Full;
    case EISDIR:
        return FileFailure::Folder;
    default:
        return FileFailure::Other;
    }
}

QString fileAccessText(int code) {
    if (fileFailure(code) == FileFailure::Denied)
        return QCoreApplication::translate("FileErrors", "Dateizugriff verweigert");
    return QCoreApplication::translate("FileErrors", "E/A-Fehler %1").arg(code);
}

namespace {

// The reason a file could not be saved, as a whole sentence.
QString ioReason(int code) {
    switch (fileFailure(code)) {
    case FileFailure::Missing:
        return QCoreApplication::translate("FileErrors", "Der Ordner ist nicht vorhanden.");
    case FileFailure::Denied:
        return QCoreApplication::translate("FileErrors", "Zugriff verweigert.");
    case FileFailure::Full:
        return QCoreApplication::translate("FileErrors", "Der Datenträger ist voll.");
    case FileFailure::Folder:
        return QCoreApplication::translate("FileErrors", "Unter diesem Namen steht ein Ordner.");
    case FileFailure::Other:
        break;
    }
    return QCoreApplication::translate("FileErrors", "E/A-Fehler %1.").arg(code);
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

namespace {

// A device or pipe (/dev/null, /dev/full, a FIFO) is written as it is:
// renaming a new file over it would replace the device.
int writeInPlace(const QByteArray& target, const QByteArray& content) {
    errno = 0;
    const int fd = ::open(target.constData(), O_WRONLY | O_TRUNC);
    if (fd < 0) return errno;
    int code = writeAll(fd, content) ? 0 : (errno != 0 ? errno : EIO);
    if (::close(fd) != 0 && code == 0) code = errno;
    return code;
}

} // namespace

int writeFileAtomically(const QString& path, const QByteArray& content) {
    QByteArray target = QFile::encodeName(path);
    // Through a link the file it names is replaced, not the link.
    if (char* real = ::realpath(target.constData(), nullptr)) {
        target = real;
        std::free(real);
    }
    struct stat existing {};
    const bool exists = ::stat(target.constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) return EISDIR;
    if (exists && !S_ISREG(existing.st_mode)) return writeInPlace(target, content);

    // Never written in place: a failure half-way would leave a truncated
    // file. A temporary file in the same folder replaces the target only
    // once it is complete and on the disk.
    QByteArray temporary = target + ".XXXXXX";
    errno = 0;
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return errno;
    mode_t mode = existing.st_mode & 07777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    int code = 0;
    if (!(::fchmod(fd, mode) == 0 && writeAll(fd, content) && ::fsync(fd) == 0))
        code = errno != 0 ? errno : EIO;
    if (::close(fd) != 0 && code == 0) code = errno;
    if (code == 0 && ::rename(temporary.constData(), target.constData()) != 0) code = errno;
    if (code != 0) ::unlink(temporary.constData());
    return code;
}

std::optional<QString> saveFileAtomically(const QString& path, const QByteArray& content) {
    const int code = writeFileAtomically(path, content);
    if (code == 0) return std::nullopt;
    return QCoreApplication::translate("FileErrors", "Die Datei \"%1\" wurde nicht gespeichert. %2")
        .arg(QDir::toNativeSeparators(path), ioReason(code));
}

FileRead readSmallFile(const QString& path, qint64 maxBytes) {
    FileRead result;
    std::FILE* f = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!f) {
        const int code = errno;
        result.error = fileFailure(code) == FileFailure::Missing
                           ? QCoreApplication::translate("FileErrors", "Datei nicht gefunden")
                           : fileAccessText(code);
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
    if (failed) result.error = fileAccessText(code == EISDIR ? EACCES : code);
    return result;
}

} // namespace kelmot
