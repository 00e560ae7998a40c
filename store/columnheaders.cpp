// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/columnheaders.h"

#include <QCoreApplication>
namespace kelmot {

QString columnHeader(TableColumn column) {
    switch (column) {
    case TableColumn::Position:
        return QCoreApplication::translate("ColumnHeaders", "Ort (m)");
    case TableColumn::DarkTime:
        return QCoreApplication::translate("ColumnHeaders", "Zeit aus (s)");
    case TableColumn::BrightTime:
        return QCoreApplication::translate("ColumnHeaders", "Zeit an (s)");
    case TableColumn::Quotient:
        return QCoreApplication::translate("ColumnHeaders", "Quotient (m/s)");
    case TableColumn::DarkInterval:
        return QCoreApplication::translate("ColumnHeaders", "dt (s)");
    case TableColumn::Speed:
        return QCoreApplication::translate("ColumnHeaders", "v (m/s)");
    case TableColumn::Acceleration:
        return QCoreApplication::translate("ColumnHeaders", "a (m/s²)");
    }
    return {};
}

} // namespace kelmot
