// SPDX-License-Identifier: GPL-3.0-or-later
#include "classroom/diagramsvg.h"

#include "diagrams/diagramdescription.h"
#include "diagrams/stdiagram.h"
#include "diagrams/vtdiagram.h"
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

template <typename Draw>
DiagramPicture render(const ClassroomSnapshot& s, const QString& name, const QLocale& locale,
                      bool velocity, bool fit, Draw draw) {
    DiagramInput input{s.store, s.seriesCount, NotionalMainWindowWidth, locale};
    input.fitCurve = fit;
    const DiagramGeometry area{0, 0, SvgDiagramWidth, SvgDiagramHeight};

    DiagramPicture picture;
    QBuffer buffer(&picture.svg);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(area.width, area.height));
    svg.setViewBox(QRect(0, 0, area.width, area.height));
    svg.setResolution(96);

    // The description needs the label, which the drawing computes: the
    // drawing goes into a recording first, then onto the SVG.
    RecordingCanvas recording;
    QString fitText;
    picture.label = draw(recording, area, input, fitText).value_or(QString());
    picture.description =
        diagramDescription(s.store, input.series(), velocity, picture.label, fitText);
    // A diagram without series still says what it is.
    svg.setTitle(picture.description.isEmpty() ? name : picture.description);
    svg.setDescription(name);

    QPainter painter(&svg);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    painter.setFont(font);
    QPainterCanvas canvas(painter, recording.startState());
    recording.replayOn(canvas);
    painter.end();
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

} // namespace kelmot
