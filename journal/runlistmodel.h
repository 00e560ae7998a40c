// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "journal/runrecord.h"

#include <QAbstractTableModel>
#include <QDate>
#include <functional>
#include <vector>

namespace kelmot {

// The list of all runs as a table model: newest first, narrowed to a span
// of days and a search text. One model over the query's rows, not a widget
// per run, so that ten thousand runs open at once.
class RunListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Date, Time, Name, Kind, Resolution, FlagWidth, Source, Duration, ColumnCount };
    enum class Span { Today, ThisWeek, All };

    // `rename` keeps a new name (false: it was not kept).
    explicit RunListModel(std::function<bool(qint64, const QString&)> rename = {},
                          QObject* parent = nullptr);

    void setRuns(std::vector<RunSummary> runs);
    // `today` is the local date the span counts from.
    void setFilter(Span span, const QString& search, QDate today = QDate::currentDate());

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    const RunSummary& runAt(int row) const { return runs_[shown_[std::size_t(row)]]; }
    int totalCount() const { return int(runs_.size()); }

private:
    bool passes(const RunSummary& run) const;
    void refilter();

    std::function<bool(qint64, const QString&)> rename_;
    std::vector<RunSummary> runs_;
    std::vector<std::size_t> shown_;
    Span span_ = Span::All;
    QString search_;
    QDate today_;
};

} // namespace kelmot
