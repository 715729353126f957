#!/usr/bin/env bash
# The test commands.
#   ./scripts/test.sh        the quick one: installs what is missing, builds without the
#                            benchmarks and runs the suite (unit, GUI on the offscreen platform,
#                            Bluetooth binding against a private D-Bus, command-line programs)
#                            without the soak.
#   ./scripts/test.sh --all  the full one (.ci/run): the same with the benchmarks built, then
#                            the Windows build of core/ and tools/ under wine (test-windows.sh),
#                            the suite under the sanitizers (test-sanitizers.sh) and a short run
#                            of every fuzz target (fuzz.sh). VELMORA_WINDOWS=0 leaves Windows out.
# Narrower runs after a build: ctest --test-dir build -L unit|gui|bluez|tools.
# Prints the wall and CPU time of each part.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ALL=0
for arg in "$@"; do
    case "$arg" in
        --all) ALL=1 ;;
        -h | --help)
            sed -n '2,11p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
            exit 0
            ;;
        *)
            echo "test.sh: unknown option $arg (--all runs the full suite)" >&2
            exit 2
            ;;
    esac
done
[ "${VELMORA_QUICK_TEST:-0}" = 1 ] && ALL=0  # the older switch for the suite only
source "$ROOT/scripts/cpu-time.sh"
start=$SECONDS
cpu_now
cpu_start=$CPU_NOW
if [ "$ALL" = 1 ]; then
    export VELMORA_CMAKE_ARGS="-DVELMORA_BUILD_BENCH=ON ${VELMORA_CMAKE_ARGS:-}"
else
    export VELMORA_CMAKE_ARGS="-DVELMORA_BUILD_BENCH=OFF ${VELMORA_CMAKE_ARGS:-}"
fi
source "$ROOT/scripts/setup.sh"
built=$SECONDS
cpu_now
cpu_built=$CPU_NOW
export QT_QPA_PLATFORM=offscreen
(cd "$BUILD_DIR" && ctest --output-on-failure -j"$(nproc)" --timeout 300 --label-exclude soak)  # the soak runs on request
cpu_now
summary=("suite: build $((built - start)) s (CPU $((cpu_built - cpu_start)) s)," \
    "tests $((SECONDS - built)) s (CPU $((CPU_NOW - cpu_built)) s)")
echo "${summary[*]}"
summary=("${summary[*]}")

# part NAME COMMAND...: runs a part and notes its wall and CPU time.
part() {
    local name=$1 part_start=$SECONDS
    shift
    cpu_now
    local cpu=$CPU_NOW
    "$@"
    cpu_now
    summary+=("$name: $((SECONDS - part_start)) s (CPU $((CPU_NOW - cpu)) s)")
}
if [ "$ALL" = 1 ]; then
    part package "$ROOT/scripts/test-package.sh"  # the Debian package, unpacked and checked
    # Windows: cross-built with MinGW-w64 and tested under wine.
    [ "${VELMORA_WINDOWS:-1}" = 0 ] || part windows "$ROOT/scripts/test-windows.sh"
    part sanitizers "$ROOT/scripts/test-sanitizers.sh"
    part fuzz "$ROOT/scripts/fuzz.sh"
    printf '%s\n' "${summary[@]}"
fi
cpu_now
echo "test.sh: all passed in $((SECONDS - start)) s (CPU $((CPU_NOW - cpu_start)) s)"
