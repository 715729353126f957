#!/usr/bin/env bash
# The Windows part of the test command. Cross-builds core/, tools/ and the core tests for
# 64-bit Windows with MinGW-w64 into build-windows/ and runs them under wine: the whole core
# test program, and the black-box tests of the command-line programs, in which every
# velmora-tool run is compared byte for byte with the native build's (run test.sh, or
# build build/ first, for that). Needs no display; wine lives in a prefix inside the build
# folder. VELMORA_WINDOWS_BUILD_DIR picks another build folder.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
HOST_BUILD_DIR="${VELMORA_BUILD_DIR:-$ROOT/build}"
WIN_BUILD_DIR="${VELMORA_WINDOWS_BUILD_DIR:-$ROOT/build-windows}"
MINGW=x86_64-w64-mingw32
started=$SECONDS

source "$ROOT/scripts/install-missing.sh"
source "$ROOT/scripts/build-tree.sh"
# The posix flavour of MinGW-w64, for std::thread; wine with its 64-bit loader; GoogleTest's
# sources, built for Windows; libgcrypt for the certificates (Debian has no MinGW QR code
# libraries: that part is left out here); NSIS for the installer.
install_missing cmake make python3 pkg-config googletest g++-mingw-w64-x86-64-posix wine wine64 \
    libgcrypt-mingw-w64-dev \
    nsis

host_tool="$HOST_BUILD_DIR/tools/velmora-tool"
[ -x "$host_tool" ] || host_tool=""
# Built whole each time: unity builds and a precompiled GoogleTest header make that quicker
# (ccache may keep such compiles only with this sloppiness).
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:+$CCACHE_SLOPPINESS,}pch_defines,time_macros"
cmake -S "$ROOT" -B "$WIN_BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchains/mingw-w64-x86_64.cmake" \
    -DCMAKE_UNITY_BUILD=ON -DVELMORA_PCH=ON -DVELMORA_HOST_TOOL="$host_tool" >/dev/null
build_tree "$WIN_BUILD_DIR"

# The application's Windows-only files are not built here (no Qt for MinGW in Debian):
# at least they must compile for Windows, checked against the host's Qt headers.
mapfile -t app_windows_files < <(cd "$ROOT" && find app -path '*/windows/*.cpp' | sort)
if ((${#app_windows_files[@]})) && pkg-config --exists Qt6Widgets 2>/dev/null; then
    mapfile -t qt_includes < <(pkg-config --cflags-only-I Qt6Core Qt6Gui Qt6Widgets |
        tr ' ' '\n' | grep '^-I' | grep -v mkspecs)
    $MINGW-g++-posix -std=c++17 -fsyntax-only -Wall -Wextra -Werror -DNOMINMAX \
        -DWIN32_LEAN_AND_MEAN -I"$ROOT/app" -I"$ROOT/core" "${qt_includes[@]}" \
        "${app_windows_files[@]/#/$ROOT/}"
    echo "The application's Windows files compile for Windows: ${app_windows_files[*]}"
fi

echo "Windows programs (bytes, and without debug information):"
for exe in "$WIN_BUILD_DIR"/tools/*.exe "$WIN_BUILD_DIR"/tests/*.exe; do
    stripped=$(mktemp)
    $MINGW-strip -o "$stripped" "$exe"
    printf '  %-24s %10d %10d\n' "$(basename "$exe")" "$(stat -c %s "$exe")" \
        "$(stat -c %s "$stripped")"
    rm -f "$stripped"
done

# The Windows packages of these programs (the installer and the ZIP the release workflow
# makes, there with the window program and its DLLs): the NSIS script must build here.
rm -f "$WIN_BUILD_DIR"/velmora-tester-*-win64.{exe,zip}
(cd "$WIN_BUILD_DIR" && cpack -G "NSIS;ZIP" >/dev/null)
cmake -E tar tf "$WIN_BUILD_DIR"/velmora-tester-*-win64.zip | grep "bin/velmora-tool\.exe$" >/dev/null
echo "Windows packages: $(cd "$WIN_BUILD_DIR" && ls velmora-tester-*-win64.{exe,zip} | xargs)"

status=0
# ctest starts wine in the build's own prefix (build-windows/wineprefix) and stops it.
(cd "$WIN_BUILD_DIR" && ctest --output-on-failure -j"$(nproc)" --timeout 300) || status=$?

echo "Windows part took $((SECONDS - started)) s"
exit $status
