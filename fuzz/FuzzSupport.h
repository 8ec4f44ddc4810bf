#pragma once

#include "app/ProgramProfile.h"
#include "grid/Sheet.h"
#include "input/TallyCommands.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// Shared by the fuzz targets: the tally grids as the input dialog opens them, and a check that
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

inline std::array<const ProgramProfile*, 2> bothPrograms() {
    return {&timbraProfile(), &lowtimbraProfile()};
}

// The program's tally grid as the input dialog shows it when it opens; restored from the stored
// grid once and copied for every input, since restoring parses the stored JSON.
inline const Sheet& openingTally(const ProgramProfile& profile) {
    static const Sheet upland = [] {
        Sheet s = timbraProfile().loadTallyGrid();
        prepareTallyForDialog(s, timbraProfile().tally);
        return s;
    }();
    static const Sheet bottomland = [] {
        Sheet s = lowtimbraProfile().loadTallyGrid();
        prepareTallyForDialog(s, lowtimbraProfile().tally);
        return s;
    }();
    return &profile == &timbraProfile() ? upland : bottomland;
}

// Every cell's text equal, cell by cell.
inline bool sameCells(const Sheet& a, const Sheet& b) {
    if (a.GetMaxCols() != b.GetMaxCols() || a.GetMaxRows() != b.GetMaxRows()) return false;
    for (int r = 1; r <= a.GetMaxRows(); ++r)
        for (int c = 1; c <= a.GetMaxCols(); ++c)
            if (a.GetText(c, r) != b.GetText(c, r)) return false;
    return true;
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace timbra::fuzz
