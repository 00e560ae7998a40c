// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/windowlinks.h"

#include "evaluation/tabelle_u.h"
#include "platform/flagwidth.h"

namespace kelmot {

SeriesSelector& TableSelectorLink::target() const {
    if (TForm6* table = table_()) return table->selector();
    return none_;
}

void TableSelectorLink::clear() {
    target().clear();
}

void TableSelectorLink::insertItem(int position, const QString& text) {
    target().insertItem(position, text);
}

int TableSelectorLink::count() const {
    return target().count();
}

int TableSelectorLink::itemIndex() const {
    return target().itemIndex();
}

void TableSelectorLink::setItemIndex(int index) {
    target().setItemIndex(index);
}

void TableSelectorLink::setShown(bool shown) {
    target().setShown(shown);
}

QString TableViewLink::flagWidthText() const {
    if (const TForm6* table = table_()) return table->flagWidthText();
    return QString::number(UsualFlagWidthMm);
}

bool OverwriteQuestionLink::allowOverwrite() {
    OverwriteQuestion* dialog = dialog_();
    return dialog && dialog->allowOverwrite();
}

} // namespace kelmot
