// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/fileio.h"
#include "store/measurementstore.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <optional>

namespace kelmot {

// The measurement data file (".kmd"): 11 lines ended by CR LF. The header
// "Ort ; Zeit dunkel; Zeit hell;" followed by the resolution digit, then
// one line "position;dark;bright" per barrier, in the general number format
// with the locale's decimal separator.
inline constexpr char DataFileHeader[] = "Ort ; Zeit dunkel; Zeit hell;";
inline constexpr char DataFileExtension[] = ".kmd";

QByteArray dataFileText(int resolution, const double (&runTimes)[2][TimeSlots],
                        const QLocale& locale = QLocale());

// The file's lines, read into the store as a load does: the header's last
// character becomes the resolution of series 0; in every data line the
// fields after the first are dark times, the last field is the bright time.
// The field counter carries over from line to line, so a row that ends in
// ";" shifts the next one. Values read before a bad field stay; the result
// is then the conversion message. Lines after the eleventh are not read.
// Numbers are read with "," or "." as the decimal separator, whatever the
// locale: a file written by a script under C.UTF-8 loads on a German desktop
// and the other way round.
std::optional<QString> readDataFileLines(const QList<QByteArray>& lines, MeasurementStore& store);

// A file's lines as a text file is read: CR LF, LF or CR end a line, and a
// last line without an end counts too. At most `maxLines` lines are taken.
QList<QByteArray> splitTextLines(const QByteArray& content, int maxLines);

// "lauf.txt" -> "lauf.kmd", "lauf" -> "lauf.kmd".
inline QString withDataFileExtension(const QString& path) {
    return withExtension(path, QString::fromLatin1(DataFileExtension));
}

} // namespace kelmot
