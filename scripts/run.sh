#!/usr/bin/env bash
# Builds and starts the application. Without a Bluetooth adapter the device lists offer
# the simulated charger and printer, so the whole workflow can be tried on any machine.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/setup.sh"
if [ -x "$BUILD_DIR/app/velmora-tester" ]; then
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: starting under Xvfb (screenshots only)." >&2
        exec xvfb-run -a -s "-screen 0 1366x768x24" "$BUILD_DIR/app/velmora-tester" "$@"
    fi
    exec "$BUILD_DIR/app/velmora-tester" "$@"
fi
exec "$BUILD_DIR/tools/velmora-charger-sim" --monitor --quick --tick-ms 250 "$@"
