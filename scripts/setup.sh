#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs (only those missing), then configures
# and builds into build/. Sourced by run.sh and test.sh.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${VELMORA_BUILD_DIR:-$ROOT/build}"

PACKAGES=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-connectivity-dev qt6-svg-dev libqt6svg6
    qt6-l10n-tools
    qt6-qpa-plugins libgl-dev libqt6opengl6-dev libsqlite3-dev
    libgcrypt20-dev libqrencode-dev libzxing-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    python3 python3-dbusmock python3-cryptography dbus
    xvfb xauth fonts-roboto
)

source "$ROOT/scripts/install-missing.sh"
install_missing "${PACKAGES[@]}"

# Number and CSV tests also run under a comma locale when the machine can provide one.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && command -v localedef >/dev/null; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO localedef -i de_DE -c -f UTF-8 de_DE.UTF-8 2>/dev/null || true
fi

cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${VELMORA_CMAKE_ARGS:-} >/dev/null
source "$ROOT/scripts/build-tree.sh"
build_tree "$BUILD_DIR"
