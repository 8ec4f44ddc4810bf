#include "gui/tract/TractModel.h"

#include "core/app/ProgramProfile.h"
#include "gui/common/QtString.h"

#include <QBrush>
#include <QColor>
#include <QFileInfo>

#include <algorithm>

using timbra::TractColumn;

TractModel::TractModel(const timbra::ProgramProfile& profile, QObject* parent)
    : QAbstractTableModel(parent), profile_(profile), columns_(timbra::tractColumns(profile)) {}

int TractModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(verdicts_.size());
}

int TractModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

int TractModel::columnOf(TractColumn column) const {
    const auto at = std::find(columns_.begin(), columns_.end(), column);
    return at == columns_.end() ? -1 : static_cast<int>(at - columns_.begin());
}

QVariant TractModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const timbra::StandVerdict& v = verdict(index.row());
    const TractColumn column = columns_[static_cast<std::size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole: {
        if (column == TractColumn::File) return QFileInfo(QString::fromStdString(v.file)).fileName();
        return qs(timbra::tractCell(v, objective_, column).text);
    }
    case SortRole: {
        const timbra::TractCell cell = timbra::tractCell(v, objective_, column);
        if (cell.number) return *cell.number;
        if (cell.text.empty() || cell.text == "n/a") return {};
        if (column == TractColumn::File) return QFileInfo(qs(cell.text)).fileName();
        return qs(cell.text);
    }
    case Qt::ToolTipRole:
        if (column == TractColumn::File) return qs(v.file);
        if (column == TractColumn::Problem && !v.problem().empty()) return qs(v.problem());
        return {};
    case Qt::TextAlignmentRole: {
        const bool number = timbra::tractCell(v, objective_, column).number.has_value();
        return QVariant::fromValue((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    case Qt::ForegroundRole:
        if (column == TractColumn::Problem) return QBrush(QColor(170, 0, 0));
        return {};
    default:
        return {};
    }
}

QVariant TractModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(columns_.size()))
        return {};
    return qs(timbra::tractHeading(columns_[static_cast<std::size_t>(section)]));
}

void TractModel::setObjective(int objective) {
    if (objective == objective_) return;
    objective_ = objective;
    if (!verdicts_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int TractModel::rowOf(const std::string& file) const {
    const auto at = rows_.find(file);
    return at == rows_.end() ? -1 : at->second;
}

std::vector<std::string> TractModel::files() const {
    std::vector<std::string> all;
    for (const timbra::StandVerdict& v : verdicts_)
        all.push_back(v.file);
    return all;
}

void TractModel::append(std::vector<timbra::StandVerdict> verdicts) {
    if (verdicts.empty()) return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(verdicts.size()) - 1);
    for (timbra::StandVerdict& v : verdicts) {
        rows_[v.file] = static_cast<int>(verdicts_.size());
        verdicts_.push_back(std::move(v));
    }
    endInsertRows();
}

void TractModel::replace(int row, timbra::StandVerdict verdict) {
    verdicts_[static_cast<std::size_t>(row)] = std::move(verdict);
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TractModel::setMissing(int row) {
    timbra::StandVerdict& v = verdicts_[static_cast<std::size_t>(row)];
    if (v.missing) return;
    // The figures last judged stay in view; the row says the file is gone.
    v.missing = true;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void TractModel::removeRowsOf(std::vector<int> rows) {
    std::sort(rows.rbegin(), rows.rend());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (int row : rows) {
        beginRemoveRows({}, row, row);
        verdicts_.erase(verdicts_.begin() + row);
        endRemoveRows();
    }
    rows_.clear();
    for (std::size_t r = 0; r < verdicts_.size(); ++r)
        rows_[verdicts_[r].file] = static_cast<int>(r);
}

void TractModel::clear() {
    beginResetModel();
    verdicts_.clear();
    rows_.clear();
    endResetModel();
}

bool TractSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(TractModel::SortRole);
    const QVariant b = right.data(TractModel::SortRole);
    // Values first, then "n/a", then blanks (a stand not read), in either order: the view
    // reverses lessThan for a descending sort, so the ranks are reversed with it.
    auto rank = [](const QVariant& v, const QModelIndex& index) {
        return v.isValid() ? 0 : index.data().toString().isEmpty() ? 2 : 1;
    };
    const int ra = rank(a, left), rb = rank(b, right);
    if (ra != rb || ra > 0) return sortOrder() == Qt::AscendingOrder ? ra < rb : ra > rb;
    const bool numbers = a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double;
    if (numbers) return a.toDouble() < b.toDouble();
    if (a.typeId() == QMetaType::Double) return true; // numbers before texts
    if (b.typeId() == QMetaType::Double) return false;
    return QString::localeAwareCompare(a.toString().toCaseFolded(), b.toString().toCaseFolded()) < 0;
}

bool TractSortModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    if (filter_.isEmpty()) return true;
    const auto* model = qobject_cast<const TractModel*>(sourceModel());
    const timbra::StandVerdict& v = model->verdict(sourceRow);
    for (const std::string& field : {v.file, v.standName, v.standLocation})
        if (qs(field).contains(filter_, Qt::CaseInsensitive)) return true;
    return false;
}

void TractSortModel::setFilterText(const QString& text) {
    filter_ = text.trimmed();
    invalidateFilter();
}
