#!/usr/bin/env bash
# Line coverage of the test suite, printed as one summary line:
#   tools/coverage.sh          builds build-coverage/ (gcov counters, no optimisation), runs every
#                              test, then sums up the core (src/core) and the Qt layer (src/gui)
# Needs gcovr (Debian package gcovr). The per-file table is left in build-coverage/coverage-*.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-coverage
jobs=$(nproc 2>/dev/null || echo 2)

cmake --preset coverage >/dev/null
cmake --build "$build" -j "$jobs"
find "$build" -name '*.gcda' -delete
ctest --test-dir "$build" -j "$jobs" --output-on-failure >"$build/coverage-ctest.log" ||
    { tail -n 40 "$build/coverage-ctest.log" >&2; echo "coverage: some tests failed" >&2; exit 1; }

# Percentage of lines for the sources under one folder, from gcovr's summary.
percent() { # folder
    # A torn branch count (which gcov can still print for code run in forked test children) spoils
    # only that branch's figure, not the line counts summed here.
    gcovr --root . --object-directory "$build" --filter "$1/" --exclude-unreachable-branches \
        --gcov-ignore-parse-errors \
        --print-summary --output "$build/coverage-$(basename "$1").txt" |
        sed -n 's/^lines: *\([0-9.]*%\).*/\1/p'
}
core=$(percent src/core)
gui=$(percent src/gui)
echo "coverage: core (src/core) ${core} of lines (goal 95%), Qt layer (src/gui) ${gui} of lines (goal 85%)"
