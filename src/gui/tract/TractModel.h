#pragma once

#include "core/tract/StandVerdict.h"
#include "core/tract/TractColumns.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <string>
#include <unordered_map>
#include <vector>

namespace timbra {
struct ProgramProfile;
}

// The stands of the Stands window as a table: one row per stand in the order they were judged,
// the tract columns of the chosen objective. The verdicts are the core's; this only shows them.
class TractModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The cell's number for sorting, or its text where it has none; invalid for "n/a" and blanks.
    static constexpr int SortRole = Qt::UserRole;

    explicit TractModel(const timbra::ProgramProfile& profile, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int objective() const { return objective_; }
    void setObjective(int objective);
    int columnOf(timbra::TractColumn column) const;

    const timbra::StandVerdict& verdict(int row) const { return verdicts_[static_cast<std::size_t>(row)]; }
    // The row of a tally file, -1 when the tract does not hold it.
    int rowOf(const std::string& file) const;
    std::vector<std::string> files() const;

    void append(std::vector<timbra::StandVerdict> verdicts);
    // A stand judged again (its file changed) or found missing takes its row's place.
    void replace(int row, timbra::StandVerdict verdict);
    void setMissing(int row);
    void removeRowsOf(std::vector<int> rows);
    void clear();

private:
    const timbra::ProgramProfile& profile_;
    std::vector<timbra::TractColumn> columns_;
    std::vector<timbra::StandVerdict> verdicts_;
    std::unordered_map<std::string, int> rows_; // file, row
    int objective_ = 1;
};

// Sorts every column by its value, numbers as numbers, with "n/a" and blanks last whichever way
// the column is sorted; the filter keeps the stands whose file, stand name or location holds the
// filter text.
class TractSortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setFilterText(const QString& text);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString filter_;
};
