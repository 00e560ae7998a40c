// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "evaluation/evaluationview.h"
#include "store/seriesselector.h"
#include "widgets/dateivorhanden_u.h"

#include <functional>

namespace kelmot {

class TForm6;

// Windows created earlier in the fixed order than the ones they call (the
// measurement and diagram windows call the evaluation table, which comes
// later; the table asks the overwrite question, which comes later still)
// are handed these: each answers through the window once it exists.

// The evaluation table's series selector; lists nothing before the table.
class TableSelectorLink : public SeriesSelector {
public:
    explicit TableSelectorLink(std::function<TForm6*()> table) : table_(std::move(table)) {}
    void clear() override;
    void insertItem(int position, const QString& text) override;
    int count() const override;
    int itemIndex() const override;
    void setItemIndex(int index) override;
    void setShown(bool shown) override;

private:
    SeriesSelector& target() const;
    std::function<TForm6*()> table_;
    mutable NullSeriesSelector none_;
};

// The evaluation table as the diagrams read it; before the table exists
// one series and the field's initial flag width.
class TableViewLink : public EvaluationView {
public:
    explicit TableViewLink(std::function<TForm6*()> table)
        : table_(table), selector_(std::move(table)) {}
    SeriesSelector& selector() override { return selector_; }
    QString flagWidthText() const override;

private:
    std::function<TForm6*()> table_;
    TableSelectorLink selector_;
};

// "Die Datei besteht schon"; without the dialog nothing is replaced.
class OverwriteQuestionLink : public OverwriteQuestion {
public:
    explicit OverwriteQuestionLink(std::function<OverwriteQuestion*()> dialog)
        : dialog_(std::move(dialog)) {}
    bool allowOverwrite() override;

private:
    std::function<OverwriteQuestion*()> dialog_;
};

} // namespace kelmot
