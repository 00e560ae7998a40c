// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/chartaccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace kelmot {

namespace {

const char* const ChartProperty = "kelmotAccessibleChart";

QAccessibleInterface* chartFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->property(ChartProperty).toBool()) return nullptr;
    // Name and description are the widget's own accessible texts.
    return new QAccessibleWidget(widget, QAccessible::Chart);
}

} // namespace

void exposeAsChart(QWidget* widget) {
    widget->setProperty(ChartProperty, true);
}

void installChartAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(&chartFactory);
}

} // namespace kelmot
