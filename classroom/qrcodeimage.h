// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

namespace kelmot {

// `text` as a QR code (error correction M, which a phone camera reads off a
// projector), `moduleSize` pixels a module, with the four-module quiet zone
// readers need around it. A null image when the text cannot be encoded.
QImage qrCodeImage(const QString& text, int moduleSize);

} // namespace kelmot
