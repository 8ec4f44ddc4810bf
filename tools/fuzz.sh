#!/usr/bin/env bash
# Runs one libFuzzer target for a while against the seed corpus.
#   tools/fuzz.sh TARGET SECONDS     TARGET: tally_file, stand_run, paste, tree_list, state_files or file_writers
# Builds the clang fuzz build in build-fuzz/ first if needed (needs clang and libclang-rt-14-dev).
# New inputs go to build-fuzz/corpus/TARGET; a crash, hang, leak or sanitizer report stops the run,
# leaves the input in build-fuzz/artifacts/TARGET/ and makes this script fail. Save such an input
# under fuzz/corpus/TARGET/ once it is mended: the test suite replays that folder.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:-}
seconds=${2:-}
case "$target" in
    tally_file|stand_run|paste|tree_list|state_files|file_writers) ;;
    *) echo "usage: $0 tally_file|stand_run|paste|tree_list|state_files|file_writers SECONDS" >&2; exit 2 ;;
esac
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: $0 $target SECONDS" >&2; exit 2; }

build=${TIMBRA_FUZZ_BUILD:-build-fuzz}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake --preset fuzz -B "$build"
fi
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target "fuzz_$target"

corpus="$build/corpus/$target"
artifacts="$build/artifacts/$target"
mkdir -p "$corpus" "$artifacts"
# The scratch corpus comes first: libFuzzer writes what it finds into the first folder only.
# Inputs are kept to 2 KiB (longer seeds are cut there): enough for 1,501 row ends, so every row
# limit of a tally is in reach, while each input stays cheap enough to run tens of thousands.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
if "$build/fuzz/fuzz_$target" "$corpus" examples tests/data "fuzz/corpus/$target" \
        -max_total_time="$seconds" -max_len=2048 -artifact_prefix="$artifacts/" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 2> "$build/fuzz-$target.log"; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/fuzz-$target.log" | tail -n 1)
    echo "fuzz $target: passed ${seconds}s, ${runs:-?} inputs run, corpus $(ls "$corpus" | wc -l) inputs"
else
    tail -n 60 "$build/fuzz-$target.log" >&2
    echo "fuzz $target: FAILED; input saved in $artifacts/, full log in $build/fuzz-$target.log" >&2
    exit 1
fi
