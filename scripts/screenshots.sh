#!/usr/bin/env bash
# Renders every screen and dialog under Xvfb into docs/screenshots/.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/setup.sh"
OUT="${1:-$ROOT/docs/screenshots}"
mkdir -p "$OUT"
xvfb-run -a -s "-screen 0 1366x768x24" "$BUILD_DIR/tools/velmora-screenshots" "$OUT" 1366
echo "Screenshots written to $OUT"
