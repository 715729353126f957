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
# Prints the wall time of each part.
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
start=$SECONDS
if [ "$ALL" = 1 ]; then
    export VELMORA_CMAKE_ARGS="-DVELMORA_BUILD_BENCH=ON ${VELMORA_CMAKE_ARGS:-}"
else
    export VELMORA_CMAKE_ARGS="-DVELMORA_BUILD_BENCH=OFF ${VELMORA_CMAKE_ARGS:-}"
fi
source "$ROOT/scripts/setup.sh"
built=$SECONDS
export QT_QPA_PLATFORM=offscreen
(cd "$BUILD_DIR" && ctest --output-on-failure -j"$(nproc)" --timeout 300 --label-exclude soak)  # the soak runs on request
echo "suite: build $((built - start)) s, tests $((SECONDS - built)) s"
if [ "$ALL" = 1 ]; then
    "$ROOT/scripts/test-package.sh"  # the Debian package, unpacked and checked
    # Windows: cross-built with MinGW-w64 and tested under wine.
    [ "${VELMORA_WINDOWS:-1}" = 0 ] || "$ROOT/scripts/test-windows.sh"
    "$ROOT/scripts/test-sanitizers.sh"
    "$ROOT/scripts/fuzz.sh"
fi
echo "test.sh: all passed in $((SECONDS - start)) s"
