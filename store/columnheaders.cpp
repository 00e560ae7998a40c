#include "store/columnheaders.h"

namespace kelmot {

QString columnHeader(TableColumn column) {
    switch (column) {
    case TableColumn::Position:
        return QStringLiteral("Ort (m)");
    case TableColumn::DarkTime:
        return QStringLiteral("Zeit aus (s)");
    case TableColumn::BrightTime:
        return QStringLiteral("Zeit an (s)");
    case TableColumn::Quotient:
        return QStringLiteral("Quotient (m/s)");
    case TableColumn::DarkInterval:
        return QStringLiteral("dt (s)");
    case TableColumn::Speed:
        return QStringLiteral("v (m/s)");
    case TableColumn::Acceleration:
        return QStringLiteral("a (m/s²)");
    }
    return {};
}

} // namespace kelmot
