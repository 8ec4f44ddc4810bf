#!/usr/bin/env bash
# Sets up a Debian 12 machine for Timbra and Lowtimbra and builds them.
#   tools/setup.sh run    install what is missing, build, start Timbra
#   tools/setup.sh test   install what is missing, build, run every test
# Run as root (or with sudo available) from the top of the source tree.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
case "$mode" in
    run|test) ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

jobs=$(nproc 2>/dev/null || echo 2)
# Qt Charts' CMake package needs Qt OpenGL's, which qt6-charts-dev does not pull in.
packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
          nlohmann-json3-dev libboost-dev libxlsxwriter-dev zlib1g-dev fonts-dejavu-core)
# zlib1g-dev: the workbook library's link line names zlib, which its -dev package does not pull in.
# The test command also builds the tests and the benchmarks.
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

install_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -q
        DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

build() { # preset of CMakePresets.json, extra cmake arguments...
    local preset=$1; shift
    cmake --preset "$preset" "$@" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
}

if [ "$mode" = test ]; then
    # clang and its runtime for the fuzz targets, pdftotext for the printing tests, gcovr for
    # tools/coverage.sh, localedef's locale sources for the decimal-comma tests; the desktop-entry,
    # metadata and package checkers, dpkg-dev for the package's dependencies, and an independent
    # reader of the workbooks summary writes.
    install_packages "${packages[@]}" "${test_packages[@]}" clang libclang-rt-14-dev poppler-utils gcovr \
        locales desktop-file-utils appstream lintian dpkg-dev python3-openpyxl clang-format clang-tidy
    fuzz_seconds=${TIMBRA_FUZZ_SECONDS:-20}
    summary=()
    failed=0
    stage() { # name, command...: runs every stage even after a failure, then sums up
        local name=$1 start=$SECONDS
        shift
        if "$@"; then
            summary+=("$name passed in $((SECONDS - start))s")
        else
            summary+=("$name FAILED after $((SECONDS - start))s")
            failed=1
        fi
    }
    normal_suite() {
        build default -DTIMBRA_BUILD_TESTS=ON -DTIMBRA_BUILD_BENCH=ON &&
            ctest --preset default -j "$jobs"
    }
    # The checks of .clang-tidy over every source of the programs, from the normal build's compile
    # commands (g++'s own warning options are unknown to clang and left out).
    lint() {
        run-clang-tidy -p build -quiet -extra-arg=-Wno-unknown-warning-option -j "$jobs" "$PWD/src/" \
            >build/clang-tidy.log 2>&1 || { grep -E "(warning|error):" build/clang-tidy.log >&2; return 1; }
    }
    # The Debian package of the normal build, as docs/install.md makes it, checked by lintian.
    debian_package() {
        rm -f build/timbra_*.deb
        cpack --config build/CPackConfig.cmake -B build >/dev/null &&
            lintian --fail-on error build/timbra_*.deb
    }
    # Address and undefined-behaviour sanitizers over the whole suite, Qt tests included; the
    # benchmarks are left out. Any report fails its test.
    sanitizer_suite() {
        # The preset builds line tables only (all the stack traces need, and faster than full debug
        # information) and sets the sanitizers' options and the leak suppressions for the tests.
        build sanitize && ctest --preset sanitize -j "$jobs"
    }
    fuzz_counts=()
    fuzz_runs() {
        local target ok=0 line
        for target in tally_file stand_run paste tree_list state_files file_writers; do
            line=$(tools/fuzz.sh "$target" "$fuzz_seconds") || ok=1
            echo "$line"
            fuzz_counts+=("$target $(sed -n 's/.*passed [0-9]*s, \([0-9?]*\) inputs run.*/\1/p' <<< "$line")")
        done
        return $ok
    }
    started=$SECONDS
    stage "normal suite" normal_suite
    stage "clang-tidy" lint
    stage "Debian package" debian_package
    stage "sanitizer suite" sanitizer_suite
    stage "fuzzing (${fuzz_seconds}s per target)" fuzz_runs
    fuzz_summary=$(printf '%s, ' "${fuzz_counts[@]}")
    summary[-1]+=" (inputs run: ${fuzz_summary%, })"
    joined=$(printf '%s; ' "${summary[@]}")
    if [ $failed -eq 0 ]; then
        echo "setup.sh test: ALL GREEN in $((SECONDS - started))s: ${joined%; }"
    else
        echo "setup.sh test: FAILED in $((SECONDS - started))s: ${joined%; }" >&2
    fi
    exit $failed
fi

# Only the programs: the tests and benchmarks would double the time to the first window.
install_packages "${packages[@]}"
build default -DTIMBRA_BUILD_TESTS=OFF -DTIMBRA_BUILD_BENCH=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "setup.sh: built in build/src, but no display found; start build/src/timbra from a desktop session, or use build/src/timbra-cli" >&2
    exit 1
fi
echo "Starting Timbra (Lowtimbra is build/src/lowtimbra)"
exec build/src/timbra
