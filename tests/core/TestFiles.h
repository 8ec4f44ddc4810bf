#pragma once

// Shared by the core and command-line tests: a scratch folder, whole-file reads and writes, sheets
// compared cell by cell, and the case tables kept as data in tests/data/cases.

#include "core/TallyBuilder.h"
#include "core/input/TallyFile.h"
#include "core/model/StandModel.h"
#include "core/model/TreeFactors.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace timbra::test {

// A fresh folder under the system's temporary folder, removed with its content at the end.
class TempFolder {
public:
    TempFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "timbra-files-XXXXXX").string();
        path_ = ::mkdtemp(name.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The table `name` of tests/data/cases/<file>.json.
inline nlohmann::json cases(const std::string& file, const std::string& name) {
    return nlohmann::json::parse(readFile(TIMBRA_TEST_DATA "/cases/" + file + ".json")).at(name);
}

// A product of factors in the order the model multiplies them; "1/12" is the model's twelfth.
inline double productOf(const nlohmann::json& factors) {
    double p = 1;
    for (const auto& f : factors)
        p = f.is_string() ? p * OneTwelfth : p * f.get<double>();
    return p;
}

// A tree given as [plot, dbh, height, grade, species class, vigor, crown class, tree class, code].
inline Tree treeOf(const nlohmann::json& f) {
    return Tree{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]};
}

// Each case of the model's valuation table: [what, objective ticked (0: none), tree, tree value as
// factors, and optionally a plot size and the per-acre value as factors]. `value(objective, plot
// size, tree)` values the tree on a record that has just valued another, so a tree that no rule
// values shows 0 and not the value carried over.
template <typename Value>
void expectValuations(const std::string& model, const std::string& plotSize, double expansion, Value value) {
    for (const auto& c : cases(model, "valuation")) {
        const auto record =
            value(c[1].get<int>(), c.size() > 4 ? c[4].get<std::string>() : plotSize, treeOf(c[2]));
        EXPECT_DOUBLE_EQ(record.treeValue, productOf(c[3])) << c[0];
        EXPECT_DOUBLE_EQ(record.perAcreValue, c.size() > 4 ? productOf(c[5]) : productOf(c[3]) * expansion)
            << c[0];
    }
}

// Every cell's text in one string, so that two sheets compare in one EXPECT_EQ.
inline std::string cellsOf(const Sheet& sheet) {
    std::ostringstream out;
    for (int r = 1; r <= sheet.GetMaxRows(); ++r)
        for (int c = 1; c <= sheet.GetMaxCols(); ++c)
            out << '[' << sheet.GetText(c, r) << ']';
    return out.str();
}

// Each case [objective, code, species class, dbh, tree class, species class left, tree class left]:
// one tree rewritten by ticking the objective, in the first tree row, in the last rows and in the
// grid's last row, each after rows of plot number 0; a row past the pass's `lastRow` is left as it was.
// The pass gives the row as changed exactly when a class text changed. The same pass over the tree
// rows of a full tally of that tree, read before it, leaves each row as the pass over the cells does.
template <typename LastRow>
void expectRewrites(const StandModel& model, int rows, LastRow lastRow, const nlohmann::json& table) {
    for (const auto& c : table) {
        const int objective = c[0];
        const Tree tree{1, c[3], 2, 1, c[2], "High", "Dominant", c[4], c[1]};
        const auto expected = [&](int row) {
            const bool reached = row <= lastRow(objective);
            return c[reached ? 5 : 2].get<std::string>() + "|" + c[reached ? 6 : 4].get<std::string>();
        };
        for (int row : {6, 1499, 1500, rows}) {
            Sheet sheet = tally(rows, {.plotSize = "Tenth acre"});
            setTree(sheet, row, tree);
            const std::vector<int> changed = model.rewriteForObjective(sheet, objective);
            const std::string left = sheet.GetText(4, row) + "|" + sheet.GetText(10, row);
            EXPECT_EQ(left, expected(row)) << c.dump() << " in row " << row;
            const bool differs = left != c[2].get<std::string>() + "|" + c[4].get<std::string>();
            EXPECT_EQ(changed, differs ? std::vector<int>{row} : std::vector<int>{})
                << c.dump() << " in row " << row;
        }
        Sheet full = tally(rows, {.plotSize = "Tenth acre"});
        for (int row = 6; row <= rows; ++row)
            setTree(full, row, tree);
        const std::string before = cellsOf(full);
        TreeRows read(full);
        const std::vector<int> changed = model.rewriteForObjective(read, objective);
        EXPECT_EQ(cellsOf(full), before) << "the tally itself is left as it is";
        std::vector<int> differing;
        for (const TreeRow& t : read) {
            const std::string left = std::string(t.speciesClass) + "|" + std::string(t.treeClass);
            EXPECT_EQ(left, expected(t.row)) << c.dump() << " in tree row " << t.row;
            if (left != c[2].get<std::string>() + "|" + c[4].get<std::string>()) differing.push_back(t.row);
            EXPECT_EQ(t.classes.species, speciesClassOf(t.speciesClass)) << c.dump();
            EXPECT_EQ(t.classes.tree, treeClassOf(t.treeClass)) << c.dump();
        }
        EXPECT_EQ(changed, differing) << c.dump();
        read.putBack(TreeRows(full), changed);
        for (const TreeRow& t : read)
            EXPECT_EQ(std::string(t.speciesClass) + "|" + std::string(t.treeClass),
                      c[2].get<std::string>() + "|" + c[4].get<std::string>())
                << c.dump() << " put back in tree row " << t.row;
    }
}

// The sheet saved as tally text and opened again into the program's opening grid.
inline Sheet reopened(const ProgramProfile& profile, const Sheet& sheet, LoadResult* result = nullptr) {
    Sheet back = openingTally(profile);
    const LoadResult r = loadTallyText(back, formatTallyText(sheet), "reopened.txt");
    EXPECT_TRUE(r.ok) << r.error;
    if (result) *result = r;
    return back;
}

// The names of the entries of a folder, for checking that no temporary file is left behind.
inline std::string entriesOf(const std::string& folder) {
    std::string names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names += entry.path().filename().string() + ";";
    return names;
}

} // namespace timbra::test
