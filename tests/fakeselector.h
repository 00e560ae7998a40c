// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/seriesselector.h"

#include <QStringList>

namespace kelmot::test {

// A series selector that is just a list, as the combo box would hold it.
class ListSelector : public SeriesSelector {
public:
    void clear() override {
        items.clear();
        index = -1;
    }
    void insertItem(int position, const QString& text) override {
        items.insert(std::min<qsizetype>(position, items.size()), text);
    }
    int count() const override { return static_cast<int>(items.size()); }
    int itemIndex() const override { return index; }
    void setItemIndex(int i) override { index = (i >= 0 && i < count()) ? i : -1; }
    void setShown(bool s) override { shown = s; }

    QStringList items;
    int index = -1;
    bool shown = false;
};

} // namespace kelmot::test
