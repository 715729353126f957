#!/usr/bin/env bash
# Builds everything and runs the whole test suite (unit, GUI on the offscreen platform,
# Bluetooth binding against a private D-Bus, command-line programs).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
cd "$BUILD_DIR"
ctest --output-on-failure -j"$(nproc)" --timeout 300
