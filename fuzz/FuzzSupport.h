#pragma once

#include "core/app/ProgramProfile.h"
#include "core/grid/Sheet.h"
#include "core/input/TallyCommands.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string_view>

// Shared by the fuzz targets: the tally grids of both programs, and a check that
// stops the run loudly, so that libFuzzer and the corpus replay both see a broken rule as a crash.

namespace timbra::fuzz {

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: broken rule: %s\n", file, line, what);
    std::abort();
}

#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) ::timbra::fuzz::fail(#condition, __FILE__, __LINE__);                              \
    } while (false)

// Every cell's text of rows first to last equal, cell by cell, a's rows against b's rows from bFirst.
inline bool sameRows(const Sheet& a, int first, int last, const Sheet& b, int bFirst) {
    if (a.GetMaxCols() != b.GetMaxCols()) return false;
    for (int r = first; r <= last; ++r)
        for (int c = 1; c <= a.GetMaxCols(); ++c)
            if (a.GetText(c, r) != b.GetText(c, bFirst + r - first)) return false;
    return true;
}

// One program's tally grid, kept from one fuzz input to the next so that an input costs what it
// reaches rather than the 15,000 cells of the grid. It starts as the input dialog opens it with every
// cell emptied (the tally grids have no read-only cells): Open replaces every value and reads nothing
// of the grid but its size, editors, formats and captions, and it leaves empty the rows a file does
// not reach. To open a tally again, a bench keeps the grid cut to a few lengths, each a quarter longer
// than the one before.
class TallyBench {
public:
    explicit TallyBench(const ProgramProfile& profile) : profile_(profile), start_(profile.loadTallyGrid()) {
        prepareTallyForDialog(start_);
        start_.clearTextAfterRow(0); // so that Open's emptying of unreached rows costs nothing
        work_ = start_;
        for (int length = 1; !cuts_.contains(rows());
             length = std::min(length + std::max(1, length / 4), rows()))
            cuts_.emplace(length, start_).first->second.SetMaxRows(length);
    }

    const ProgramProfile& profile() const { return profile_; }
    // The grid, emptied of what the last input left (at the cost of the rows it reached).
    Sheet& sheet() {
        work_.clearTextAfterRow(0);
        return work_;
    }
    const Sheet& start() const { return start_; }
    int rows() const { return start_.GetMaxRows(); }
    int cols() const { return start_.GetMaxCols(); }

    // The last row that text of these bytes can land in: one row per row end at most.
    int reach(std::string_view text) const {
        const auto ends =
            std::count_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
        return static_cast<int>(std::min<std::ptrdiff_t>(ends + 1, rows()));
    }

    // The grid cut to the shortest length that holds rows rows (rows() at most), emptied.
    Sheet& cut(int rows) {
        Sheet& grid = cuts_.lower_bound(rows)->second;
        grid.clearTextAfterRow(0);
        return grid;
    }

private:
    const ProgramProfile& profile_;
    Sheet start_, work_;
    std::map<int, Sheet> cuts_; // by length
};

// A bench for each program, made once.
inline std::array<TallyBench, 2>& benches() {
    static std::array<TallyBench, 2> both{TallyBench(timbraProfile()), TallyBench(lowtimbraProfile())};
    return both;
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace timbra::fuzz
