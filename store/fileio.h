// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace kelmot {

// Files the program writes and reads in one go.

// "messung.txt" -> "messung.xls", "messung" -> "messung.xls": the extension
// is replaced, or appended when there is none. Dots in folder names do not
// count. `extension` includes its dot.
QString withExtension(const QString& path, const QString& extension);

// Saves into `path` through a temporary file in the same folder that
// replaces the target only once it is complete. The error names the file
// and the reason; an earlier file of that name is then left as it was.
std::optional<QString> saveFileAtomically(const QString& path, const QByteArray& content);
// The same, giving the system's error code (0 when saved). A folder of
// that name is refused; a device or pipe is written as it is.
int writeFileAtomically(const QString& path, const QByteArray& content);

// What a failed system call's error number means for a file.
enum class FileFailure { Missing, Denied, Full, Folder, Other };
FileFailure fileFailure(int code);
// The short reason the settings and data files give: "Dateizugriff
// verweigert" when access is denied, else "E/A-Fehler" and the number.
QString fileAccessText(int code);

// Reads at most `maxBytes` of a file, or a message in the program's language
// saying why not.
struct FileRead {
    QByteArray content;
    std::optional<QString> error;
};
FileRead readSmallFile(const QString& path, qint64 maxBytes);

} // namespace kelmot
