// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/runlistmodel.h"

#include "store/numberformat.h"

#include <QLocale>

namespace kelmot {

RunListModel::RunListModel(std::function<bool(qint64, const QString&)> rename, QObject* parent)
    : QAbstractTableModel(parent), rename_(std::move(rename)), today_(QDate::currentDate()) {}

void RunListModel::setRuns(std::vector<RunSummary> runs) {
    beginResetModel();
    runs_ = std::move(runs);
    refilter();
    endResetModel();
}

void RunListModel::setFilter(Span span, const QString& search, QDate today) {
    beginResetModel();
    span_ = span;
    search_ = search.trimmed();
    today_ = today;
    refilter();
    endResetModel();
}

bool RunListModel::passes(const RunSummary& run) const {
    const QDate day = run.startedLocal.date();
    if (span_ == Span::Today && day != today_) return false;
    if (span_ == Span::ThisWeek) {
        // Monday to Sunday, as a school week is reckoned.
        const QDate monday = today_.addDays(1 - today_.dayOfWeek());
        if (day < monday || day > monday.addDays(6)) return false;
    }
    if (search_.isEmpty()) return true;
    for (const QString& field : {run.name, run.source, run.kind})
        if (field.contains(search_, Qt::CaseInsensitive)) return true;
    return false;
}

void RunListModel::refilter() {
    shown_.clear();
    shown_.reserve(runs_.size());
    for (std::size_t i = 0; i < runs_.size(); ++i)
        if (passes(runs_[i])) shown_.push_back(i);
}

int RunListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(shown_.size());
}

int RunListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RunListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const RunSummary& run = runAt(index.row());
    if (role == Qt::UserRole) return run.id;
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::AccessibleTextRole)
        return {};
    const QLocale locale;
    switch (index.column()) {
    case Date:
        return locale.toString(run.startedLocal.date(), QLocale::ShortFormat);
    case Time:
        return run.startedLocal.time().toString(QStringLiteral("HH:mm:ss"));
    case Name:
        return run.name;
    case Kind:
        return run.kind;
    case Resolution:
        return run.resolution == 1 ? tr("1 ms") : tr("10 ms");
    case FlagWidth:
        return run.flagWidthMm.isEmpty() ? QString() : tr("%1 mm").arg(run.flagWidthMm);
    case Source:
        return run.source;
    case Duration:
        return tr("%1 s").arg(formatFixed(run.durationSeconds, 3, locale));
    default:
        return {};
    }
}

QVariant RunListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case Date:
        return tr("Datum");
    case Time:
        return tr("Uhrzeit");
    case Name:
        return tr("Name");
    case Kind:
        return tr("Art");
    case Resolution:
        return tr("Auflösung");
    case FlagWidth:
        return tr("Fahnenbreite");
    case Source:
        return tr("Quelle");
    case Duration:
        return tr("Dauer");
    default:
        return {};
    }
}

Qt::ItemFlags RunListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == Name && rename_) f |= Qt::ItemIsEditable;
    return f;
}

bool RunListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() != Name || !rename_)
        return false;
    const QString name = value.toString().trimmed();
    if (name.isEmpty()) return false; // an empty name would mark an empty slot once loaded
    RunSummary& run = runs_[shown_[std::size_t(index.row())]];
    if (name == run.name) return true;
    if (!rename_(run.id, name)) return false;
    run.name = name;
    emit dataChanged(index, index);
    return true;
}

} // namespace kelmot
