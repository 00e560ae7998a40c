// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every picture of the program: the thirteen tool-button images, the
// program icon, the warning triangle, the question bubble and the photograph
// of the set-up. Deterministic: the same files on every run.
//   render_pictures <output folder>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <numbers>

namespace {

QImage canvas(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

QFont font(int px, bool bold = false) {
    QFont f("DejaVu Sans");
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QImage folder() {
    QImage img = canvas(36, 36);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 90, 0), 1.2));
    p.setBrush(QColor(230, 190, 40));
    p.drawPolygon(QPolygonF({{3, 9}, {13, 9}, {16, 12}, {30, 12}, {30, 29}, {3, 29}}));
    p.setBrush(QColor(255, 220, 80));
    p.drawPolygon(QPolygonF({{7, 16}, {34, 16}, {30, 29}, {3, 29}}));
    return img;
}

QImage floppy() {
    QImage img = canvas(36, 36);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 20, 60), 1.2));
    p.setBrush(QColor(40, 60, 140));
    p.drawRoundedRect(QRectF(4, 4, 28, 28), 2, 2);
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(10, 4, 16, 10));
    p.setBrush(QColor(40, 60, 140));
    p.drawRect(QRectF(20, 6, 4, 6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 19, 20, 13));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    for (int y = 23; y < 31; y += 3)
        p.drawLine(11, y, 25, y);
    return img;
}

QImage stopwatch() {
    QImage img = canvas(36, 36);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(15, 1, 6, 5));
    p.drawRect(QRectF(27, 6, 4, 4));
    QRadialGradient g(QPointF(16, 17), 16);
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(215, 215, 225));
    p.setBrush(g);
    p.drawEllipse(QPointF(18, 20), 14, 14);
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        p.drawLine(QPointF(18 + 11 * std::sin(a), 20 - 11 * std::cos(a)),
                   QPointF(18 + 13 * std::sin(a), 20 - 13 * std::cos(a)));
    }
    p.setPen(QPen(QColor(200, 0, 0), 2));
    p.drawLine(QPointF(18, 20), QPointF(25, 12));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(18, 20), QPointF(18, 10));
    return img;
}

QImage table(int columns) {
    QImage img = canvas(36, 36);
    QPainter p(&img);
    const int width = columns == 3 ? 20 : 32;
    const int left = (36 - width) / 2;
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::white);
    p.drawRect(left, 4, width, 28);
    p.fillRect(left + 1, 5, width - 1, 5, QColor(190, 200, 230));
    for (int y = 10; y < 32; y += 5)
        p.drawLine(left, y, left + width, y);
    for (int c = 1; c < columns; ++c) {
        const int x = left + c * width / columns;
        p.drawLine(x, 4, x, 32);
    }
    return img;
}

QImage axes(const QString& vertical, bool curve) {
    QImage img = canvas(36, 36);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.3));
    p.drawLine(QPointF(8, 30), QPointF(33, 30));
    p.drawLine(QPointF(8, 30), QPointF(8, 4));
    p.drawLine(QPointF(8, 4), QPointF(6, 8));
    p.drawLine(QPointF(8, 4), QPointF(10, 8));
    p.drawLine(QPointF(33, 30), QPointF(29, 28));
    p.drawLine(QPointF(33, 30), QPointF(29, 32));
    p.setFont(font(9, true));
    p.drawText(QRectF(0, 2, 7, 12), Qt::AlignCenter, vertical);
    p.drawText(QRectF(26, 22, 10, 9), Qt::AlignCenter, "t");
    p.setPen(QPen(QColor(0, 0, 128), 2));
    if (curve) {
        QPainterPath path(QPointF(9, 29));
        path.quadTo(QPointF(24, 29), QPointF(31, 7));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    } else {
        p.drawLine(QPointF(9, 26), QPointF(31, 9));
    }
    return img;
}

QImage spanner() {
    QImage img = canvas(36, 36);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(18, 18);
    p.rotate(-45);
    QLinearGradient g(0, -3, 0, 3);
    g.setColorAt(0, QColor(220, 220, 230));
    g.setColorAt(1, QColor(120, 120, 135));
    p.setPen(QPen(QColor(60, 60, 70), 1));
    p.setBrush(g);
    QPainterPath path;
    path.addRoundedRect(QRectF(-9, -3, 22, 6), 2, 2);
    path.addEllipse(QPointF(-11, 0), 6.5, 6.5);
    path.addEllipse(QPointF(14, 0), 5, 5);
    QPainterPath jaw;
    jaw.addRect(QRectF(-18, -2.5, 8, 5));
    QPainterPath ring;
    ring.addEllipse(QPointF(14, 0), 2.5, 2.5);
    p.drawPath(path.simplified().subtracted(jaw).subtracted(ring));
    return img;
}

// The classroom view: a projector screen with a chart, and a phone beside
// it that shows the same.
QImage classroom() {
    QImage img = canvas(36, 36);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 50), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2, 4, 24, 17)); // the screen
    p.drawLine(QPointF(14, 21), QPointF(14, 27));
    p.drawLine(QPointF(9, 29), QPointF(19, 29));
    p.setPen(QPen(QColor(0, 0, 128), 1.6));
    p.drawLine(QPointF(5, 18), QPointF(10, 14));
    p.drawLine(QPointF(10, 14), QPointF(16, 11));
    p.drawLine(QPointF(16, 11), QPointF(23, 7));
    p.setPen(QPen(QColor(40, 40, 50), 1.2));
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(QRectF(24, 14, 10, 19), 2, 2); // the phone
    p.setBrush(Qt::white);
    p.drawRect(QRectF(25.5, 16.5, 7, 13));
    p.setPen(QPen(QColor(0, 0, 128), 1.2));
    p.drawLine(QPointF(26.5, 27), QPointF(29, 24));
    p.drawLine(QPointF(29, 24), QPointF(31.5, 19));
    return img;
}

// "Alle Messungen": a card box of kept runs, each card a run with its curve.
QImage runArchive() {
    QImage img = canvas(36, 36);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 50), 1.1));
    for (int i = 0; i < 3; ++i) { // three cards standing in the box, the front one highest
        const double x = 6 + 3 * i, y = 4 + 4 * i;
        p.setBrush(i == 2 ? QColor(255, 255, 255) : QColor(235, 235, 240));
        p.drawRect(QRectF(x, y, 20, 14));
    }
    p.setPen(QPen(QColor(0, 0, 128), 1.6));
    p.drawLine(QPointF(14, 24), QPointF(19, 19));
    p.drawLine(QPointF(19, 19), QPointF(29, 14));
    p.setPen(QPen(QColor(60, 40, 20), 1.2));
    QLinearGradient wood(0, 22, 0, 34);
    wood.setColorAt(0, QColor(205, 150, 90));
    wood.setColorAt(1, QColor(150, 100, 50));
    p.setBrush(wood);
    p.drawRect(QRectF(3, 22, 30, 12)); // the box
    p.setBrush(QColor(240, 230, 210));
    p.drawRect(QRectF(14, 26, 8, 4)); // its label
    return img;
}

// "Freier Fall": a picket fence, its dark bands on clear plastic, falling
// through the fork of a light barrier.
QImage picketFence() {
    QImage img = canvas(36, 36);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 50), 1.0));
    p.setBrush(QColor(225, 235, 245));
    p.drawRect(QRectF(11, 1, 10, 31)); // the clear plate
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 40));
    for (int band = 0; band < 4; ++band) // its bands
        p.drawRect(QRectF(11.5, 3.5 + 7.5 * band, 9, 3.5));
    p.setPen(QPen(QColor(200, 0, 0), 1.4));
    p.drawLine(QPointF(5, 20), QPointF(31, 20)); // the beam
    p.setPen(QPen(QColor(40, 40, 50), 1.1));
    p.setBrush(QColor(90, 90, 100));
    p.drawRect(QRectF(1, 16, 5, 8)); // the barrier's two arms
    p.drawRect(QRectF(30, 16, 5, 8));
    p.setPen(QPen(QColor(0, 0, 128), 1.6));
    p.drawLine(QPointF(27, 3), QPointF(27, 12)); // falling
    p.drawLine(QPointF(24, 9), QPointF(27, 12));
    p.drawLine(QPointF(30, 9), QPointF(27, 12));
    return img;
}

// "Pendel": a bob on its thread, swung out from the pivot, swinging
// through the fork of a light barrier at its lowest point.
QImage pendulum() {
    QImage img = canvas(36, 36);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 50), 1.4));
    p.drawLine(QPointF(10, 2), QPointF(26, 2)); // the support
    p.setPen(QPen(QColor(0, 0, 128), 1.2, Qt::DotLine));
    p.drawArc(QRectF(-6, -22, 48, 48), 245 * 16, 50 * 16); // the bob's path, 24 from the pivot
    p.setPen(QPen(QColor(200, 0, 0), 1.4));
    p.drawLine(QPointF(5, 26), QPointF(31, 26)); // the beam at the lowest point
    p.setPen(QPen(QColor(40, 40, 50), 1.1));
    p.setBrush(QColor(90, 90, 100));
    p.drawRect(QRectF(1, 22, 5, 8)); // the barrier's two arms
    p.drawRect(QRectF(30, 22, 5, 8));
    const QPointF bob(18 + 24 * std::sin(0.3), 2 + 24 * std::cos(0.3)); // swung out 17°
    p.setPen(QPen(QColor(60, 60, 60), 1.0));
    p.drawLine(QPointF(18, 2), bob); // the thread
    p.setPen(QPen(QColor(20, 20, 30), 1.0));
    p.setBrush(QColor(200, 140, 30));
    p.drawEllipse(bob, 3.6, 3.6);
    return img;
}

// "Rad": a pulley with spokes on its axle, the string over its groove with a
// mass on each side, the beam of a light barrier crossing the spokes.
QImage pulley() {
    QImage img = canvas(36, 36);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(18, 13);
    p.setPen(QPen(QColor(40, 40, 50), 1.4));
    p.drawLine(QPointF(18, 1), centre); // the holder
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 10, 10); // the rim with its groove
    p.setPen(QPen(QColor(60, 60, 70), 1.0));
    for (int k = 0; k < 8; ++k) {
        const double angle = k * std::numbers::pi / 4 + 0.2;
        p.drawLine(centre, centre + QPointF(9.3 * std::cos(angle), 9.3 * std::sin(angle)));
    }
    p.setPen(QPen(QColor(60, 60, 60), 1.0)); // the string and its two masses
    p.drawLine(QPointF(8, 13), QPointF(8, 27));
    p.drawLine(QPointF(28, 13), QPointF(28, 22));
    p.setPen(QPen(QColor(20, 20, 30), 1.0));
    p.setBrush(QColor(200, 140, 30));
    p.drawRect(QRectF(5, 27, 6, 7));
    p.drawRect(QRectF(25, 22, 6, 5));
    p.setPen(QPen(QColor(200, 0, 0), 1.4));
    p.drawLine(QPointF(13, 19), QPointF(23, 19)); // the beam through the spokes
    return img;
}

QImage programIcon() {
    QImage img = canvas(40, 16);
    QPainter p(&img);
    p.fillRect(2, 13, 36, 3, QColor(90, 90, 90));   // base
    p.fillRect(0, 9, 40, 4, QColor(160, 160, 160)); // track
    p.fillRect(0, 9, 40, 1, QColor(210, 210, 210));
    for (int x : {8, 19, 30}) {
        p.fillRect(x, 1, 3, 8, QColor(220, 0, 0)); // light-barrier marks
        p.fillRect(x - 1, 1, 5, 2, QColor(150, 0, 0));
    }
    return img;
}

// The desktop icon, drawn in a 256 unit square at any size: a rounded
// cream tile, a track with three red light barriers, a cart with its flag,
// and a rising s-t curve behind them.
QImage desktopIcon(int size) {
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    p.setPen(QPen(QColor(0, 0, 128), 8));
    p.setBrush(QColor(255, 251, 240));
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 36, 36);
    p.setPen(QPen(QColor(0, 0, 128), 10, Qt::SolidLine, Qt::RoundCap));
    QPainterPath curve(QPointF(40, 150));
    curve.cubicTo(QPointF(120, 148), QPointF(170, 110), QPointF(216, 36));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(QRectF(28, 196, 200, 16)); // track
    for (int x : {60, 120, 180}) {
        p.setBrush(QColor(200, 0, 0));
        p.drawRect(QRectF(x, 150, 12, 46)); // light barriers
    }
    p.setBrush(QColor(0, 128, 0));
    p.drawRoundedRect(QRectF(86, 168, 64, 26), 6, 6); // cart
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(QRectF(114, 138, 8, 30)); // flag
    p.drawEllipse(QPointF(100, 196), 8, 8);
    p.drawEllipse(QPointF(136, 196), 8, 8);
    return img;
}

QImage warning() {
    QImage img = canvas(36, 37);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(255, 215, 0));
    p.drawPolygon(QPolygonF({{18, 2}, {34, 34}, {2, 34}}));
    p.setBrush(Qt::black);
    p.drawRoundedRect(QRectF(16.5, 12, 3, 13), 1.5, 1.5);
    p.drawEllipse(QPointF(18, 29.5), 1.8, 1.8);
    return img;
}

QImage question() {
    QImage img = canvas(36, 37);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 120), 1.5));
    p.setBrush(Qt::white);
    QPainterPath bubble;
    bubble.addEllipse(QRectF(2, 2, 32, 26));
    QPainterPath tail(QPointF(10, 24));
    tail.lineTo(6, 35);
    tail.lineTo(18, 27);
    p.drawPath(bubble.united(tail));
    p.setFont(font(20, true));
    p.setPen(QColor(0, 0, 160));
    p.drawText(QRectF(2, 2, 32, 26), Qt::AlignCenter, "?");
    return img;
}

// The wall and the bench with its wood grain.
void drawRoom(QPainter& p, QRandomGenerator& grain) {
    QLinearGradient wall(0, 0, 0, 170);
    wall.setColorAt(0, QColor(214, 208, 196));
    wall.setColorAt(1, QColor(186, 180, 168));
    p.fillRect(0, 0, 512, 170, wall);
    QLinearGradient bench(0, 170, 0, 315);
    bench.setColorAt(0, QColor(150, 108, 70));
    bench.setColorAt(1, QColor(96, 64, 38));
    p.fillRect(0, 170, 512, 145, bench);
    for (int i = 0; i < 260; ++i) {
        const int y = 172 + static_cast<int>(grain.bounded(143));
        p.setPen(QColor(80, 52, 30, 40));
        p.drawLine(0, y, 512, y + static_cast<int>(grain.bounded(5)) - 2);
    }
}

// The notebook at the back right, the s-t diagram on its screen.
void drawNotebook(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 45));
    p.drawRoundedRect(QRectF(350, 40, 140, 95), 4, 4);
    QLinearGradient screen(360, 48, 480, 128);
    screen.setColorAt(0, QColor(230, 236, 250));
    screen.setColorAt(1, QColor(170, 185, 215));
    p.setBrush(screen);
    p.drawRect(QRectF(358, 47, 124, 80));
    p.setPen(QPen(QColor(0, 0, 128), 1.5));
    for (int i = 0; i < 10; ++i)
        p.drawLine(QPointF(368 + i * 11, 118 - i * 6.5), QPointF(371 + i * 11, 118 - i * 6.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 66));
    p.drawPolygon(QPolygonF({{345, 135}, {495, 135}, {505, 160}, {335, 160}}));
}

// The interface box at the front left with a cable to the notebook.
void drawInterface(QPainter& p) {
    p.setBrush(QColor(30, 70, 150));
    p.drawRoundedRect(QRectF(40, 230, 110, 55), 5, 5);
    p.setBrush(QColor(20, 45, 100));
    p.drawRect(QRectF(40, 275, 110, 10));
    p.setBrush(QColor(240, 60, 40));
    p.drawEllipse(QPointF(60, 250), 5, 5);
    p.setBrush(QColor(60, 220, 60));
    p.drawEllipse(QPointF(78, 250), 5, 5);
    p.setPen(QColor(235, 235, 235));
    p.setFont(font(11, true));
    p.drawText(QRectF(90, 240, 60, 20), Qt::AlignCenter, "Interface");
    p.setPen(QPen(QColor(20, 20, 20), 3));
    p.setBrush(Qt::NoBrush);
    QPainterPath cable(QPointF(150, 255));
    cable.cubicTo(QPointF(260, 300), QPointF(300, 200), QPointF(370, 160));
    p.drawPath(cable);
}

// The track with its ten light barriers and the cart.
void drawTrack(QPainter& p) {
    QLinearGradient rail(0, 180, 0, 200);
    rail.setColorAt(0, QColor(225, 225, 230));
    rail.setColorAt(1, QColor(130, 130, 138));
    p.setPen(Qt::NoPen);
    p.setBrush(rail);
    p.drawRect(QRectF(20, 182, 470, 16));
    p.setBrush(QColor(70, 70, 75));
    p.drawRect(QRectF(30, 198, 10, 24));
    p.drawRect(QRectF(470, 198, 10, 24));
    for (int k = 0; k < 10; ++k) {
        const double x = 60 + k * 42;
        p.setBrush(QColor(30, 30, 30));
        p.drawRect(QRectF(x, 150, 5, 34));
        p.drawRect(QRectF(x + 17, 150, 5, 34));
        p.setBrush(QColor(200, 30, 30));
        p.drawRect(QRectF(x - 1, 146, 24, 6));
        p.setPen(QPen(QColor(255, 80, 80, 120), 1));
        p.drawLine(QPointF(x + 5, 165), QPointF(x + 17, 165));
        p.setPen(Qt::NoPen);
    }
    QLinearGradient cart(0, 160, 0, 184);
    cart.setColorAt(0, QColor(250, 200, 40));
    cart.setColorAt(1, QColor(190, 140, 10));
    p.setBrush(cart);
    p.drawRoundedRect(QRectF(100, 164, 46, 18), 3, 3);
    p.setBrush(QColor(20, 20, 20));
    p.drawRect(QRectF(118, 150, 10, 15)); // the flag
    p.drawEllipse(QPointF(110, 183), 4, 4);
    p.drawEllipse(QPointF(136, 183), 4, 4);
}

// A little sensor noise, so it reads as a photograph.
void addSensorNoise(QImage& img, QRandomGenerator& grain) {
    // A little sensor noise, so it reads as a photograph.
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int n = static_cast<int>(grain.bounded(9)) - 4;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
}

// A classroom bench seen from the front: track with ten light barriers,
// the interface box with its cable, a notebook computer.
QImage photograph() {
    QImage img(512, 315, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator grain(7); // wood grain and sensor noise, same every time
    drawRoom(p, grain);
    drawNotebook(p);
    drawInterface(p);
    drawTrack(p);
    p.end();
    addSensorNoise(img, grain);
    return img;
}

bool save(const QImage& img, const QString& path, const char* format, int quality = -1) {
    if (!img.save(path, format, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? argv[1] : "resources");
    QDir().mkpath(out.path());
    const QImage buttons[] = {folder(),   floppy(),    stopwatch(),     stopwatch(),
                              table(3),   table(6),    axes("s", true), axes("v", false),
                              spanner(),  classroom(), runArchive(),    picketFence(),
                              pendulum(), pulley()};
    bool ok = true;
    for (int i = 0; i < int(std::size(buttons)); ++i)
        ok &= save(buttons[i], out.filePath(QString("werkzeug%1.png").arg(i)), "PNG");
    ok &= save(programIcon(), out.filePath("kelmot_icon.png"), "PNG");
    QDir().mkpath(out.filePath("icons"));
    for (int size : {48, 128, 256})
        ok &=
            save(desktopIcon(size), out.filePath(QString("icons/kelmot-%1.png").arg(size)), "PNG");
    ok &= save(warning(), out.filePath("warnung.png"), "PNG");
    ok &= save(question(), out.filePath("frage.png"), "PNG");
    ok &= save(photograph(), out.filePath("aufbau.jpg"), "JPEG", 88);
    return ok ? 0 : 1;
}
