// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace kelmot {

// The drawn pictures (see scripts/render-pictures.sh), built into the program.
QPixmap toolImage(int index); // 0..12, 36 x 36
QIcon programIcon();          // 40 x 16
QByteArray programIconPng();  // the same as a PNG file
QPixmap warningPicture();     // 36 x 37
QPixmap questionPicture();
// The photograph of the set-up, a JPEG file next to the program.
QString photographPath();

} // namespace kelmot
