#pragma once

#include "app/ProgramProfile.h"
#include "grid/Sheet.h"
#include "input/TallyCommands.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
// cell but the read-only labels emptied: Open replaces every value and reads nothing of the grid but
// its size, editors, formats and captions, and it leaves empty the rows a file does not reach. After an
// input, reset() puts the grid back at the cost of the rows the input reached. Each bench has two
// such grids: one for the tally, one to open it again.
class TallyBench {
public:
    explicit TallyBench(const ProgramProfile& profile) : profile_(profile) {
        Sheet opening = profile.loadTallyGrid();
        prepareTallyForDialog(opening);
        for (int r = 1; r <= opening.GetMaxRows(); ++r)
            for (int c = 1; c <= opening.GetMaxCols(); ++c) {
                if (!opening.formatAt(c, r).staticText)
                    opening.SetText(c, r, {});
                else
                    labelRows_ = r;
            }
        opening.ClearTextAfterRow(labelRows_); // so that Open's emptying of unreached rows costs nothing
        start_ = opening;
        work_[0] = opening;
        work_[1] = std::move(opening);
    }

    const ProgramProfile& profile() const { return profile_; }
    Sheet& sheet(int which = 0) { return work_[which]; }
    const Sheet& start() const { return start_; }
    int rows() const { return start_.GetMaxRows(); }
    int cols() const { return start_.GetMaxCols(); }

    // The last row that text of these bytes can land in, or that Open can change (the labels): one
    // row per row end at most.
    int reach(std::string_view text) const {
        const auto ends =
            std::count_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
        return static_cast<int>(std::clamp<std::ptrdiff_t>(ends + 1, labelRows_, rows()));
    }

    // True when rows first to last hold what they held at the start.
    bool unchanged(int first, int last, int which = 0) const {
        return sameRows(work_[which], std::max(first, 1), std::min(last, rows()), start_, std::max(first, 1));
    }

    // Puts the grid back as it started: the label rows, and every row after them emptied (which
    // costs only the rows that were given text).
    void reset(int which = 0) {
        Sheet& work = work_[which];
        for (int r = 1; r <= labelRows_; ++r)
            for (int c = 1; c <= cols(); ++c)
                if (work.GetText(c, r) != start_.GetText(c, r)) work.SetText(c, r, start_.GetText(c, r));
        work.ClearTextAfterRow(labelRows_);
    }

private:
    const ProgramProfile& profile_;
    Sheet start_;
    std::array<Sheet, 2> work_;
    int labelRows_ = 1;
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
