#pragma once

#include "core/grid/Sheet.h"
#include "core/model/TreeClasses.h"

#include <string_view>
#include <vector>

namespace timbra {

// One tallied tree as Run reads it from its row; the texts point into the sheet, which stays
// unchanged while Run reads it, and `classes` holds the four class texts read once.
struct TreeRow {
    int row = 0;      // grid row
    int plot = 0;     // plot number of this row
    int nextPlot = 0; // plot number of the row below
    int dbh = 0;
    int grade = 0;
    double height = 0;
    std::string_view crownClass, speciesClass, vigor, treeClass, speciesCode;
    RowClasses classes;
};

TreeRow readTreeRow(const Sheet& tally, int row);

// A tree given by its inputs rather than read from a row, as a tree record's Evaluate takes them.
TreeRow treeRowOf(int dbh, double height, int grade, std::string_view speciesClass, std::string_view vigor,
                  std::string_view crownClass, std::string_view treeClass);

// Stores a tree's inputs in the fields both models' tree records keep them in.
template <typename Record> void storeTreeInputs(Record& record, const TreeRow& tree) {
    record.dbh = tree.dbh;
    record.height = tree.height;
    record.grade = tree.grade;
    record.speciesClass = tree.speciesClass;
    record.vigor = tree.vigor;
    record.crownClass = tree.crownClass;
    record.treeClass = tree.treeClass;
}

// The tree rows of a tally as Run reads them: row 6 always, then every row up to the first whose
// plot number is 0, at most to row 1500. A summary reads them once and runs them under every
// objective, each objective's rewrite pass (forEachRewriteRow) made on them and its rows put back.
class TreeRows {
public:
    TreeRows() = default;
    explicit TreeRows(const Sheet& tally) { read(tally); }
    // Reads the rows of `tally` in place of those held, in the room they took.
    void read(const Sheet& tally);
    // Puts back these grid rows as `from` holds them: the same tally's rows before a rewrite pass.
    void putBack(const TreeRows& from, const std::vector<int>& rows);

    // The tally's trees, as Run counts them.
    std::size_t size() const { return rows_.size(); }
    auto begin() const { return rows_.begin(); }
    auto end() const { return rows_.end(); }
    auto begin() { return rows_.begin(); }
    auto end() { return rows_.end(); }

private:
    std::vector<TreeRow> rows_;
};

} // namespace timbra
