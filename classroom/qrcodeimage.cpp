// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/qrcodeimage.h"

#include <QPainter>
#include <memory>
#include <qrencode.h>

namespace kelmot {

QImage qrCodeImage(const QString& text, int moduleSize) {
    const QByteArray utf8 = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(utf8.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    if (!code || moduleSize < 1) return {};
    constexpr int QuietZone = 4;
    const int modules = code->width + 2 * QuietZone;
    QImage image(modules * moduleSize, modules * moduleSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < code->width; ++y)
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1)
                painter.fillRect((x + QuietZone) * moduleSize, (y + QuietZone) * moduleSize,
                                 moduleSize, moduleSize, Qt::black);
    return image;
}

} // namespace kelmot
