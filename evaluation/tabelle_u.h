#pragma once

#include "store/seriesselector.h"

#include <QWidget>

class QComboBox;

namespace kelmot {

// The series selector as the store sees it, over the window's combo box.
class ComboSeriesSelector : public SeriesSelector {
public:
    explicit ComboSeriesSelector(QComboBox* combo) : combo_(combo) {}
    void clear() override;
    void insertItem(int position, const QString& text) override;
    int count() const override;
    int itemIndex() const override;
    void setItemIndex(int index) override;
    void setShown(bool shown) override;

private:
    QComboBox* combo_;
};

// The evaluation table window. The table and its evaluations come with the
// evaluation work; the series selector Combo1 is here from the start, since
// every run and load refills it.
class TForm6 : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    void FormCreate();

    SeriesSelector& selector() { return selector_; }

    QComboBox* Combo1 = nullptr;

private:
    ComboSeriesSelector selector_;
};

extern TForm6* Form6;

} // namespace kelmot
