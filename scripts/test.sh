#!/usr/bin/env bash
# Builds everything and runs the whole test suite (unit, GUI on the offscreen platform,
# Bluetooth binding against a private D-Bus, command-line programs), then the Windows build
# of core/ and tools/ under wine (test-windows.sh), the same suite under the sanitizers
# (test-sanitizers.sh) and a short run of every fuzz target (fuzz.sh). Prints the wall time
# of each part. VELMORA_QUICK_TEST=1 runs the suite only; VELMORA_WINDOWS=0 skips Windows.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
start=$SECONDS
source "$ROOT/scripts/setup.sh"
built=$SECONDS
export QT_QPA_PLATFORM=offscreen
(cd "$BUILD_DIR" && ctest --output-on-failure -j"$(nproc)" --timeout 300 --label-exclude soak)  # the soak runs on request
echo "suite: build $((built - start)) s, tests $((SECONDS - built)) s"
if [ "${VELMORA_QUICK_TEST:-0}" != 1 ]; then
    "$ROOT/scripts/test-package.sh"  # the Debian package, unpacked and checked
    # Windows: cross-built with MinGW-w64 and tested under wine.
    [ "${VELMORA_WINDOWS:-1}" = 0 ] || "$ROOT/scripts/test-windows.sh"
    "$ROOT/scripts/test-sanitizers.sh"
    "$ROOT/scripts/fuzz.sh"
fi
echo "test.sh: all passed in $((SECONDS - start)) s"
