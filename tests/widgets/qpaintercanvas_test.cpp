// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/qpaintercanvas.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace kelmot;

namespace {

// How many of the row's pixels from `from` to `to` the line left white.
int gapsAlong(const QImage& image, int y, int from, int to) {
    int white = 0;
    for (int x = from; x < to; ++x)
        if (image.pixel(x, y) == qRgb(255, 255, 255)) ++white;
    return white;
}

QImage lineInPieces(int pieceLength, bool dashed) {
    QImage image(220, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, PenState{});
    canvas.setPenColour(Black);
    canvas.setPenDashed(dashed);
    canvas.moveTo(10, 10);
    for (int x = 10 + pieceLength; x <= 210; x += pieceLength)
        canvas.lineTo(x, 10);
    return image;
}

} // namespace

// A fitted curve is drawn as a hundred short pieces: dashed, it shows its
// gaps however short the pieces, as one long line does; solid, it has none.
TEST(QPainterCanvas, ADashedCurveOfShortPiecesKeepsItsGaps) {
    const int whole = gapsAlong(lineInPieces(200, true), 10, 10, 210);
    EXPECT_GT(whole, 40) << "a dashed line is about a third gap";
    for (int piece : {2, 3, 5, 8}) {
        const int gaps = gapsAlong(lineInPieces(piece, true), 10, 10, 210);
        EXPECT_NEAR(gaps, whole, 12) << "pieces of " << piece << " px";
    }
    EXPECT_EQ(gapsAlong(lineInPieces(2, false), 10, 10, 210), 0);
}
