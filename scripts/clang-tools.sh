#!/usr/bin/env bash
# Sourced by test-sanitizers.sh and fuzz.sh: clang 14 with its sanitizer and libFuzzer
# runtimes and the symbolizer for readable reports (each installed only when missing),
# and the helper that builds a clang tree.
source "$ROOT/scripts/install-missing.sh"
source "$ROOT/scripts/build-tree.sh"
install_missing clang-14 libclang-rt-14-dev llvm-14

SYMBOLIZER=/usr/bin/llvm-symbolizer-14

# The AddressSanitizer + UndefinedBehaviorSanitizer tree: the whole suite, and the libFuzzer
# targets beside it (one build of the instrumented core serves both).
ASAN_DIR="$ROOT/build-asan"
ASAN_ARGS=(-DVELMORA_WHOLE_TEST_PROGRAMS=ON -DVELMORA_SANITIZE=address,undefined
    -DVELMORA_FUZZ_TARGETS=ON)

# ccache keeps compiles that use a precompiled header only when told that the header's
# macros and time stamps may differ between runs.
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:+$CCACHE_SLOPPINESS,}pch_defines,time_macros"

# build_clang_tree DIR [CMAKE_ARGS...] [-- BUILD_ARGS...]: configures DIR with clang and
# builds it. These trees are built whole each time, so they build fast rather than as a
# developer's tree does: light debug info and -O1 (reports stay exact), unity builds and
# precompiled Qt and GoogleTest headers.
build_clang_tree() {
    local dir=$1
    shift
    local args=() build_args=()
    while (($#)) && [ "$1" != -- ]; do
        args+=("$1")
        shift
    done
    (($#)) && shift && build_args=("$@")
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++-14 \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
        -DCMAKE_UNITY_BUILD=ON -DVELMORA_PCH=ON \
        -DVELMORA_BUILD_BENCH=OFF "${args[@]}" >/dev/null
    build_tree "$dir" "${build_args[@]}"
}
