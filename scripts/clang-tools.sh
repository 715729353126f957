#!/usr/bin/env bash
# Sourced by test-sanitizers.sh and fuzz.sh: clang 14 with its sanitizer and libFuzzer
# runtimes and the symbolizer for readable reports (each installed only when missing),
# and the helper that builds a clang tree.
source "$ROOT/scripts/install-missing.sh"
install_missing clang-14 libclang-rt-14-dev llvm-14

SYMBOLIZER=/usr/bin/llvm-symbolizer-14

# build_clang_tree DIR [CMAKE_ARGS...]: configures DIR with clang and builds it. Light
# debug info and -O1 keep the sanitizer trees quick to build and their reports exact.
build_clang_tree() {
    local dir=$1
    shift
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++-14 \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
        -DVELMORA_BUILD_BENCH=OFF "$@" >/dev/null
    cmake --build "$dir" -j2
}
