#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer) in the
# sanitizer tree build-asan/ (only they and what they link, when that tree is not built yet)
# and runs each for a while, starting from its seeds in fuzz/corpus/<target>/, as many at
# once as there are cores.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   default: 20 s (VELMORA_FUZZ_SECONDS), every
#                                           target listed in fuzz/CMakeLists.txt
# Inputs that found new paths are kept in build-fuzz/corpus/<target>/ for the next run. A
# crash or broken expectation stops with the failing input saved in
# build-fuzz/crashes/<target>/ and the command that replays it. Called by test.sh.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/clang-tools.sh"
FINDS="$ROOT/build-fuzz"
seconds=${1:-${VELMORA_FUZZ_SECONDS:-20}}
shift $(($# > 0 ? 1 : 0))

source "$ROOT/scripts/cpu-time.sh"
start=$SECONDS
cpu_now
cpu_start=$CPU_NOW
# The same configuration as test-sanitizers.sh's, so neither rebuilds the other's work.
build_clang_tree "$ASAN_DIR" -DVELMORA_WHOLE_TEST_PROGRAMS=ON "${ASAN_ARGS[@]}" -- \
    --target velmora_fuzz_targets
cpu_now
echo "fuzz: build $((SECONDS - start)) s (CPU $((CPU_NOW - cpu_start)) s)"

targets=("$@")
((${#targets[@]})) || mapfile -t targets <"$ASAN_DIR/fuzz/targets.txt"
export ASAN_OPTIONS="external_symbolizer_path=$SYMBOLIZER"
export UBSAN_OPTIONS="print_stacktrace=1:external_symbolizer_path=$SYMBOLIZER"

# fuzz_one TARGET: runs it; its outcome goes to build-fuzz/<target>.log.
fuzz_one() {
    local target=$1
    local binary="$ASAN_DIR/fuzz/${target}_fuzz"
    local corpus="$FINDS/corpus/$target" crashes="$FINDS/crashes/$target"
    mkdir -p "$corpus" "$crashes"
    local seeds=()
    [ -d "$ROOT/fuzz/corpus/$target" ] && seeds=("$ROOT/fuzz/corpus/$target")
    # Log files are refused past 130 KB: the log reader needs inputs longer than that.
    local max_len=4096
    [ "$target" = log_reader ] && max_len=$((160 * 1024))
    "$binary" -max_total_time="$seconds" -timeout=10 -max_len="$max_len" -print_final_stats=1 \
        -artifact_prefix="$crashes/" "$corpus" "${seeds[@]}" >"$FINDS/$target.log" 2>&1
}

# report TARGET STATUS SECONDS: its line, or the failure and how to replay it.
report() {
    local target=$1 status=$2 took=$3 log="$FINDS/$1.log"
    if [ "$status" != 0 ]; then
        tail -n 60 "$log"
        echo "fuzz: $target FAILED; input kept in $FINDS/crashes/$target/, replay with:" \
            "$ASAN_DIR/fuzz/${target}_fuzz $FINDS/crashes/$target/<file>"
        return 1
    fi
    local runs edges
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    edges=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    echo "fuzz: $target $took s, ${runs:-?} runs, ${edges:-?} edges, no crash"
}

# Each fuzzer is one process on one core: as many run at once as there are cores, each for
# its whole time.
mkdir -p "$FINDS"
slots=$(nproc)
declare -A pid_target=() pid_start=()
failed=0
wait_one() {
    local pid status=0
    wait -n -p pid "${!pid_target[@]}" || status=$?
    report "${pid_target[$pid]}" "$status" $((SECONDS - pid_start[$pid])) || failed=1
    unset "pid_target[$pid]" "pid_start[$pid]"
}
for target in "${targets[@]}"; do
    ((${#pid_target[@]} < slots)) || wait_one
    ((failed == 0)) || break
    fuzz_one "$target" &
    pid_target[$!]=$target
    pid_start[$!]=$SECONDS
done
while ((${#pid_target[@]})); do
    wait_one
done
exit $failed
