#pragma once

#include "core/grid/CellChanges.h"
#include "core/grid/Sheet.h"

#include <QAbstractTableModel>
#include <QFont>

#include <cstdint>
#include <utility>
#include <vector>

class SheetEditTarget;

// Presents a core Sheet to a table view without an item object per cell: texts, heading strips,
// fonts and the read-only state of label cells come straight from the sheet. Every write through
// setData is checked with Sheet::accept, so a value a cell's editor refuses never reaches the sheet.
class SheetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit SheetTableModel(QObject* parent = nullptr);

    timbra::Sheet& sheet() { return *sheet_; }
    const timbra::Sheet& sheet() const { return *sheet_; }

    // A new sheet: one reset, and no cell marked.
    void setSheet(timbra::Sheet sheet);
    // Presents a sheet that a document keeps (it must outlive the model), whose edits go to
    // `target`: one reset, and no cell marked.
    void attachSheet(timbra::Sheet& sheet, SheetEditTarget* target);
    SheetEditTarget* editTarget() const { return editTarget_; }
    // Shows what code wrote into the sheet: one reset when its size changed, else one range change
    // over every cell and both heading strips. Marks whose cell now holds acceptable text go.
    void refresh();
    // Announces a change of the block's cells, after which marks on acceptable text go.
    void blockChanged(const timbra::Sheet::Block& block);
    // Announces exactly the cells an edit changed: one range change per run of neighbouring rows.
    void cellsChanged(const timbra::CellChanges& cells);

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

    void mark(int col, int row);
    bool isMarked(int col, int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    std::size_t slot(int col, int row) const;
    const QFont& fontFor(const timbra::CellFormat& format) const;
    void dropStaleMarks(const timbra::Sheet::Block& block);
    void reset(timbra::Sheet* sheet);

    timbra::Sheet own_;
    timbra::Sheet* sheet_ = &own_; // own_, or a document's
    SheetEditTarget* editTarget_ = nullptr;
    int rows_ = 0, cols_ = 0; // the size last announced to views
    bool readOnly_ = false;
    std::vector<std::uint8_t> marks_; // one per cell, row-major
    int markCount_ = 0;
    mutable std::vector<std::pair<std::pair<bool, float>, QFont>> fonts_; // few distinct formats
};
