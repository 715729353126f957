#!/usr/bin/env bash
# Sourced by the build scripts. build_tree DIR [BUILD_ARGS...]: builds a configured tree;
# when a unity build (CMAKE_UNITY_BUILD) fails, builds it again file by file. Two files of
# one target that define the same file-level name (a constant, a helper) clash only in a
# unity build; any other error fails again there.
build_tree() {
    local dir=$1
    shift
    cmake --build "$dir" -j"$(nproc)" "$@" && return 0
    grep -qE '^CMAKE_UNITY_BUILD:[A-Z]+=ON$' "$dir/CMakeCache.txt" || return 1
    echo "The unity build of $dir failed; building each file on its own. If it passes, add" \
        "the file above to VELMORA_UNITY_BUILD_ALONE in cmake/VelmoraBuildSpeed.cmake." >&2
    cmake "$dir" -DCMAKE_UNITY_BUILD=OFF >/dev/null
    cmake --build "$dir" -j"$(nproc)" "$@"
}
