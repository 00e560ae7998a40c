// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/diagramsvg.h"

#include "diagrams/diagramdescription.h"
#include "diagrams/stdiagram.h"
#include "diagrams/vtdiagram.h"
#include "widgets/qpaintercanvas.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>

namespace kelmot {

namespace {

// The page's diagrams draw with the wide pen of a large diagram window, as a
// main window of this width gives it: thin lines vanish when a phone
// scales the picture down.
constexpr int NotionalMainWindowWidth = 1000;

// A drawing's texts on the page: 12 CSS pixels, the smallest a phone's
// reader is asked to read.
constexpr int TextPixels = 12;

DiagramGeometry areaFor(int width) {
    const int w = width > 0 ? width : SvgDiagramWidth;
    return {0, 0, w, svgDiagramHeight(w)};
}

// The recording of a drawing onto an SVG of the area's size.
QByteArray svgOf(const RecordingCanvas& recording, const DiagramGeometry& area,
                 const QString& title, const QString& name) {
    QByteArray svg;
    QBuffer buffer(&svg);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(area.width, area.height));
    generator.setViewBox(QRect(0, 0, area.width, area.height));
    generator.setResolution(96);
    // The generator writes both as they are: a series named "<b>" would
    // end the picture's XML, and the diagram with it.
    generator.setTitle(title.toHtmlEscaped());
    generator.setDescription(name.toHtmlEscaped());
    QPainter painter(&generator);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(TextPixels);
    painter.setFont(font);
    QPainterCanvas canvas(painter, recording.startState());
    recording.replayOn(canvas);
    painter.end();
    return svg;
}

template <typename Draw>
DiagramPicture render(const ClassroomSnapshot& s, const QString& name, const QLocale& locale,
                      bool velocity, bool fit, int width, Draw draw) {
    DiagramInput input{s.store, s.seriesCount, NotionalMainWindowWidth, locale};
    input.fitCurve = fit;
    const DiagramGeometry area = areaFor(width);

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
        svgOf(recording, area, picture.description.isEmpty() ? name : picture.description, name);
    return picture;
}

} // namespace

int svgDiagramHeight(int width) {
    return std::max(240, width * SvgDiagramHeight / SvgDiagramWidth);
}

DiagramPicture stDiagramPicture(const ClassroomSnapshot& s, const ClassroomTexts& texts,
                                int width) {
    return render(s, texts.stDiagram, texts.locale, false, s.stFit, width,
                  [](Canvas& c, const DiagramGeometry& g, const DiagramInput& in, QString& fit) {
                      StDiagram diagram;
                      auto label = diagram.Zeichne(c, g, in);
                      fit = diagram.FitText;
                      return label;
                  });
}

DiagramPicture vtDiagramPicture(const ClassroomSnapshot& s, const ClassroomTexts& texts,
                                int width) {
    return render(s, texts.vtDiagram, texts.locale, true, s.vtFit, width,
                  [&s](Canvas& c, const DiagramGeometry& g, const DiagramInput& in, QString& fit) {
                      VtDiagram diagram;
                      auto label = diagram.Zeichne(c, g, in, s.flagWidthText);
                      fit = diagram.FitText;
                      return label;
                  });
}

DiagramPicture experimentDiagramPicture(const LiveDrawing& drawing, const QString& name,
                                        int width) {
    const DiagramGeometry area = areaFor(width);
    RecordingCanvas recording;
    DiagramPicture picture;
    picture.label = drawing.draw(recording, area.width, area.height);
    picture.description = drawing.description();
    picture.svg = svgOf(recording, area, picture.description, name);
    return picture;
}

} // namespace kelmot
