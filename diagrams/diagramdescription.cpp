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
        series << store.SeriesName[k] + QStringLiteral(": ") +
                      (relation.isEmpty()
                           ? QCoreApplication::translate("RelationNames", "kein Zusammenhang")
                           : relation);
    }
    QString text = series.join(QStringLiteral("; "));
    if (!label.isEmpty()) text += QStringLiteral(", ") + label;
    if (!fitText.isEmpty()) text += QStringLiteral("; ") + fitText;
    return text;
}

} // namespace kelmot
