#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer) into
# build-fuzz/ and runs each for a while, starting from its seeds in fuzz/corpus/<target>/.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   default: 20 s (VELMORA_FUZZ_SECONDS), every
#                                           target listed in fuzz/CMakeLists.txt
# Inputs that found new paths are kept in build-fuzz/corpus/<target>/ for the next run. A
# crash or broken expectation stops with the failing input saved in
# build-fuzz/crashes/<target>/ and the command that replays it. Called by test.sh.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/clang-tools.sh"
BUILD="$ROOT/build-fuzz"
seconds=${1:-${VELMORA_FUZZ_SECONDS:-20}}
shift $(($# > 0 ? 1 : 0))

start=$SECONDS
build_clang_tree "$BUILD" -DVELMORA_FUZZ=ON
echo "fuzz: build $((SECONDS - start)) s"

targets=("$@")
((${#targets[@]})) || mapfile -t targets <"$BUILD/fuzz/targets.txt"
export ASAN_OPTIONS="external_symbolizer_path=$SYMBOLIZER"
export UBSAN_OPTIONS="print_stacktrace=1:external_symbolizer_path=$SYMBOLIZER"

for target in "${targets[@]}"; do
    binary="$BUILD/fuzz/${target}_fuzz"
    corpus="$BUILD/corpus/$target"
    crashes="$BUILD/crashes/$target"
    log="$BUILD/$target.log"
    mkdir -p "$corpus" "$crashes"
    seeds=()
    [ -d "$ROOT/fuzz/corpus/$target" ] && seeds=("$ROOT/fuzz/corpus/$target")
    # Log files are refused past 130 KB: the log reader needs inputs longer than that.
    max_len=4096
    [ "$target" = log_reader ] && max_len=$((160 * 1024))
    start=$SECONDS
    if ! "$binary" -max_total_time="$seconds" -timeout=10 -max_len="$max_len" -print_final_stats=1 \
        -artifact_prefix="$crashes/" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz: $target FAILED; input kept in $crashes/, replay with: $binary $crashes/<file>"
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    edges=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    echo "fuzz: $target $((SECONDS - start)) s, ${runs:-?} runs, ${edges:-?} edges, no crash"
done
