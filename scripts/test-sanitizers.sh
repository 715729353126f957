#!/usr/bin/env bash
# Runs the test suite under the sanitizers, each in its own build tree beside build/:
#   asan  build-asan/: every test (application included, offscreen) under
#         AddressSanitizer + UndefinedBehaviorSanitizer; leaks, overflows, use after free
#         and undefined behaviour fail the test. The fuzz targets (fuzz.sh) build here too.
#   tsan  build-tsan/: the core and tool tests (receive thread, links, simulator, replay)
#         under ThreadSanitizer; a data race fails the test.
# Usage: scripts/test-sanitizers.sh [asan] [tsan]   (default: both). Prints each part's
# wall and CPU time. Called by test.sh.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/clang-tools.sh"
source "$ROOT/scripts/cpu-time.sh"
parts=("$@")
((${#parts[@]})) || parts=(asan tsan)

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1:external_symbolizer_path=$SYMBOLIZER"
export UBSAN_OPTIONS="print_stacktrace=1:external_symbolizer_path=$SYMBOLIZER"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:external_symbolizer_path=$SYMBOLIZER"

run_part() {
    local name=$1 dir=$2
    shift 2
    local start=$SECONDS
    cpu_now
    local cpu_start=$CPU_NOW
    # One ctest test per program: under a sanitizer each process takes seconds to start.
    build_clang_tree "$dir" -DVELMORA_WHOLE_TEST_PROGRAMS=ON "$@"
    local built=$SECONDS
    cpu_now
    local cpu_built=$CPU_NOW
    (cd "$dir" && ctest --output-on-failure -j2 --timeout 600 --label-exclude soak)
    cpu_now
    echo "$name: build $((built - start)) s (CPU $((cpu_built - cpu_start)) s)," \
        "tests $((SECONDS - built)) s (CPU $((CPU_NOW - cpu_built)) s)"
}

for part in "${parts[@]}"; do
    case "$part" in
    asan) run_part asan "$ASAN_DIR" "${ASAN_ARGS[@]}" ;;
    tsan) run_part tsan "$ROOT/build-tsan" -DVELMORA_SANITIZE=thread -DVELMORA_BUILD_APP=OFF ;;
    *)
        echo "usage: $0 [asan] [tsan]" >&2
        exit 2
        ;;
    esac
done
