// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace kelmot {

// Decodes a JPEG file with libjpeg. A missing or corrupt file gives a null
// image and one line on stderr; it never stops the program.
QImage loadJpegPicture(const QString& path);

} // namespace kelmot
