// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/diagramsvg.h"

#include "diagrams/diagramdescription.h"
#include "diagrams/stdiagram.h"
#include "diagrams/vtdiagram.h"
#include "experiments/falldiagram.h"
#include "widgets/qpaintercanvas.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

namespace kelmot {

namespace {

// The page's diagrams draw with the wide pen of a large diagram window, as a
// main window of this width gives it: thin lines vanish when a phone
// scales the picture down.
constexpr int NotionalMainWindowWidth = 1000;

// The recording of a drawing onto an SVG of the diagrams' size.
QByteArray svgOf(const RecordingCanvas& recording, const QString& title, const QString& name) {
    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(SvgDiagramWidth, SvgDiagramHeight));
    generator.setViewBox(QRect(0, 0, SvgDiagramWidth, SvgDiagramHeight));
    generator.setResolution(96);
    generator.setTitle(title);
    generator.setDescription(name);
    QPainter painter(&generator);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    painter.setFont(font);
    QPainterCanvas canvas(painter, recording.startState());
    recording.replayOn(canvas);
    painter.end();
    return svg;
}

template <typename Draw>
DiagramPicture render(const ClassroomSnapshot& s, const QString& name, const QLocale& locale,
                      bool velocity, bool fit, Draw draw) {
    DiagramInput input{s.store, s.seriesCount, NotionalMainWindowWidth, locale};
    input.fitCurve = fit;
    const DiagramGeometry area{0, 0, SvgDiagramWidth, SvgDiagramHeight};

    DiagramPicture picture;
    // The description needs the label, which the drawing computes: the
    // drawing goes into a recording first, then onto the SVG.
    RecordingCanvas recording;
    QString fitText;
    picture.label = draw(recording, area, input, fitText).value_or(QString());
    picture.description =
        diagramDescription(s.store, input.series(), velocity, picture.label, fitText);
    // A diagram without series still says what it is.
    picture.svg =
        svgOf(recording, picture.description.isEmpty() ? name : picture.description, name);
    return picture;
}

} // namespace

DiagramPicture stDiagramPicture(const ClassroomSnapshot& s, const ClassroomTexts& texts) {
    return render(s, texts.stDiagram, texts.locale, false, s.stFit,
                  [](Canvas& c, const DiagramGeometry& g, const DiagramInput& in, QString& fit) {
                      StDiagram diagram;
                      auto label = diagram.Zeichne(c, g, in);
                      fit = diagram.FitText;
                      return label;
                  });
}

DiagramPicture vtDiagramPicture(const ClassroomSnapshot& s, const ClassroomTexts& texts) {
    return render(s, texts.vtDiagram, texts.locale, true, s.vtFit,
                  [&s](Canvas& c, const DiagramGeometry& g, const DiagramInput& in, QString& fit) {
                      VtDiagram diagram;
                      auto label = diagram.Zeichne(c, g, in, s.flagWidthText);
                      fit = diagram.FitText;
                      return label;
                  });
}

DiagramPicture fallDiagramPicture(const FallLive& fall, bool velocity,
                                  const ClassroomTexts& texts) {
    FenceGeometry fence;
    fence.bands = int(fall.darkTimes.size());
    fence.pitchMm = fall.pitchMm;
    fence.bandWidthMm = fall.bandWidthMm;
    FallDrop drop;
    drop.darkTimes = fall.darkTimes;
    drop.brightTimes = fall.brightTimes;
    FallDiagramInput input;
    input.quantity = velocity ? FallQuantity::Speed : FallQuantity::Distance;
    input.points = fallPoints(drop, fence);
    if (fall.ended) input.result = fitFall(drop, fence);
    input.locale = texts.locale;

    RecordingCanvas recording;
    DiagramPicture picture;
    picture.label = drawFallDiagram(recording, SvgDiagramWidth, SvgDiagramHeight, 1, input);
    picture.description = fallDiagramDescription(input);
    const QString name = velocity ? texts.fallVtDiagram : texts.fallStDiagram;
    picture.svg = svgOf(recording, picture.description, name);
    return picture;
}

} // namespace kelmot
