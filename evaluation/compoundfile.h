// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace kelmot {

// A compound document (the container of Excel 97-2003 files) holding one
// stream: version 3, 512-byte sectors; a stream under 4096 bytes goes into
// the mini stream in 64-byte pieces, as readers expect.
QByteArray compoundFileWithStream(const QString& streamName, const QByteArray& stream);

} // namespace kelmot
