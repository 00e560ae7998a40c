// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kelmot {

// The series selector of the evaluation window ("Auswahl Daten"), as the store
// sees it: a list of series names whose item index is the slot number of the
// chosen series. The window's combo box implements it; tests use a plain list.
class SeriesSelector {
public:
    virtual ~SeriesSelector() = default;
    virtual void clear() = 0;
    virtual void insertItem(int position, const QString& text) = 0;
    virtual int count() const = 0;
    // -1 while no item is chosen (the edit field may have been typed into).
    virtual int itemIndex() const = 0;
    virtual void setItemIndex(int index) = 0;
    virtual void setShown(bool shown) = 0;
};

// A selector that lists nothing: for a detection without a window (the
// offline analysis, benchmarks), whose committed series go nowhere else.
class NullSeriesSelector : public SeriesSelector {
public:
    void clear() override {}
    void insertItem(int, const QString&) override {}
    int count() const override { return 0; }
    int itemIndex() const override { return -1; }
    void setItemIndex(int) override {}
    void setShown(bool) override {}
};

} // namespace kelmot
