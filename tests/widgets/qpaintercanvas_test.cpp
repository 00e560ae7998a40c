// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/qpaintercanvas.h"

#include "drawing/clippedcanvas.h"

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

// A line from (10, 10) to (210, 10) in pieces of `pieceLength`, each
// piece moved to first where `clipped` (as the clipped canvas of the
// experiments' diagrams draws every piece), or through the clipped canvas
// itself.
QImage lineInPieces(int pieceLength, bool dashed, bool clipped = false) {
    QImage image(220, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, PenState{});
    ClippedCanvas plot(canvas, 0, 0, 220, 20);
    Canvas& target = clipped ? static_cast<Canvas&>(plot) : canvas;
    target.setPenColour(Black);
    target.setPenDashed(dashed);
    target.moveTo(10, 10);
    for (int x = 10 + pieceLength; x <= 210; x += pieceLength)
        target.lineTo(x, 10);
    return image;
}

} // namespace

// A fitted curve is drawn as a hundred short pieces: dashed, it shows its
// gaps however short the pieces, as one long line does; solid, it has none.
TEST(QPainterCanvas, ADashedCurveOfShortPiecesKeepsItsGaps) {
    const int whole = gapsAlong(lineInPieces(200, true), 10, 10, 210);
    EXPECT_GT(whole, 40) << "a dashed line is about a third gap";
    for (int piece : {2, 3, 5, 8})
        for (bool clipped : {false, true}) {
            const int gaps = gapsAlong(lineInPieces(piece, true, clipped), 10, 10, 210);
            EXPECT_NEAR(gaps, whole, 12) << "pieces of " << piece << " px, clipped " << clipped;
        }
    EXPECT_EQ(gapsAlong(lineInPieces(2, false), 10, 10, 210), 0);
}
