// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagrams/diagramdescription.h"

#include "evaluation/evaluationtable.h"

#include <QCoreApplication>
#include <QStringList>

namespace kelmot {

QString stRelationName(int relation) {
    switch (relation) {
    case StProportional:
        return QCoreApplication::translate("RelationNames", "s ~ t");
    case StSquare:
        return QCoreApplication::translate("RelationNames", "s ~ t²");
    case StSquareDistance:
        return QCoreApplication::translate("RelationNames", "s² ~ t");
    default:
        return {};
    }
}

QString vtRelationName(int relation) {
    switch (relation) {
    case VtConstant:
        return QCoreApplication::translate("RelationNames", "v konstant");
    case VtProportional:
        return QCoreApplication::translate("RelationNames", "v ~ t");
    default:
        return {};
    }
}

QString diagramDescription(const MeasurementStore& store, int seriesDrawn, bool velocity,
                           const QString& label, const QString& fitText) {
    QStringList series;
    for (int k = 0; k < seriesDrawn && k < SeriesSlots; ++k) {
        const QString relation = velocity ? vtRelationName(store.SeriesVtRelation[k])
                                          : stRelationName(store.SeriesStRelation[k]);
        //: %1 a series' name, %2 its suspected relationship
        series << QCoreApplication::translate("RelationNames", "%1: %2")
                      .arg(store.SeriesName[k],
                           relation.isEmpty()
                               ? QCoreApplication::translate("RelationNames", "kein Zusammenhang")
                               : relation);
    }
    //: between the series a diagram shows, each with its relationship
    QString text = series.join(QCoreApplication::translate("RelationNames", "; "));
    //: %1 the series, %2 the value the diagram's label gives
    if (!label.isEmpty())
        text = QCoreApplication::translate("RelationNames", "%1, %2").arg(text, label);
    //: %1 the series and value, %2 the fitted curve's caption
    if (!fitText.isEmpty())
        text = QCoreApplication::translate("RelationNames", "%1; %2").arg(text, fitText);
    return text;
}

} // namespace kelmot
