#!/usr/bin/env bash
# Renders every screen and dialog under Xvfb into docs/screenshots/, and the English
# dashboard, diagnostic screen, bench of chargers, charge history, its save dialog, the intro guide's last page
# and the certificate's dialogs beside them (*_en.png).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/setup.sh"
OUT="${1:-$ROOT/docs/screenshots}"
mkdir -p "$OUT"
xvfb-run -a -s "-screen 0 1366x768x24" "$BUILD_DIR/tools/velmora-screenshots" "$OUT" 1366
ENGLISH="$(mktemp -d)"
trap 'rm -rf "$ENGLISH"' EXIT
xvfb-run -a -s "-screen 0 1366x768x24" "$BUILD_DIR/tools/velmora-screenshots" \
    --language en "$ENGLISH" 1366
for name in dashboard diagnostic bench dashboard_bay history_list history_save_file intro_guide_done dialog_job \
    dialog_check_valid dialog_check_changed; do
    cp "$ENGLISH/${name}_en.png" "$OUT/"
done
echo "Screenshots written to $OUT"
