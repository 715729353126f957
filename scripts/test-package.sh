#!/usr/bin/env bash
# The packaging part of the test command, after the build: makes the Debian package of
# build/ (cpack -G DEB), lists it, unpacks it into a temporary root as dpkg would install
# it, and checks what a workshop gets there: the programs answer --version with the build's
# version, none looks for a library in the build tree, the menu entry's command and icon are
# in the package, the desktop entry and the AppStream metadata pass their validators, and
# lintian finds neither an error nor a warning in the package.
# Prints the time it took.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${VELMORA_BUILD_DIR:-$ROOT/build}"
started=$SECONDS

source "$ROOT/scripts/install-missing.sh"
# dpkg-shlibdeps and file: CPack computes the dependencies with them; then the validators.
install_missing dpkg-dev file desktop-file-utils appstream lintian

fail() {
    echo "test-package: $*" >&2
    exit 1
}

rm -f "$BUILD_DIR"/velmora-tester_*.deb
cpack_log=$(cd "$BUILD_DIR" && cpack -G DEB 2>&1) || fail "cpack failed: $cpack_log"
debs=("$BUILD_DIR"/velmora-tester_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || fail "no package made: $cpack_log"
echo "Package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
dpkg-deb -f "$deb" Version Depends Recommends | sed 's/^/  /'
echo "Files:"
dpkg-deb -c "$deb" | awk '$6 !~ /\/$/ {print "  " $6}'

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

version=$(cat "$BUILD_DIR/version/version.txt")
[ "$(dpkg-deb -f "$deb" Version)" = "${version//-/+}" ] || fail "package version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6charts6 libqt6svg6 libqt6bluetooth6 libsqlite3-0; do
    [[ "$depends" == *"$library "* ]] || fail "Depends lacks $library: $depends"
done
# Loaded at start, not linked: the library scan cannot find it.
[[ "$depends" == *qt6-qpa-plugins* ]] || fail "Depends lacks qt6-qpa-plugins: $depends"

icons=(usr/share/icons/hicolor/scalable/apps/velmora-tester.svg)
for size in 16 22 24 32 48 64 128 256; do
    icons+=("usr/share/icons/hicolor/${size}x${size}/apps/velmora-tester.png")
done
for file in usr/bin/velmora-tester usr/bin/velmora-tool usr/bin/velmora-charger-sim \
    usr/share/applications/velmora-tester.desktop \
    usr/share/metainfo/io.github.velmora.VelmoraTester.metainfo.xml "${icons[@]}" \
    usr/share/doc/velmora-tester/copyright usr/share/doc/velmora-tester/changelog.gz \
    usr/share/man/man1/velmora-tester.1.gz usr/share/man/man1/velmora-tool.1.gz \
    usr/share/man/man1/velmora-charger-sim.1.gz; do
    [ -s "$root/$file" ] || fail "$file is not in the package"
done

# The installed programs, where opening a window would fail: no display, the X11 platform.
for program in velmora-tool velmora-charger-sim velmora-tester; do
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb \
        "$root/usr/bin/$program" --version) || fail "$program --version failed"
    [ "$answer" = "$program $version" ] || fail "$program --version says '$answer'"
    echo "  $answer"
    if readelf -d "$root/usr/bin/$program" | grep -qE 'R(UN)?PATH'; then
        fail "$program looks for libraries in: $(readelf -d "$root/usr/bin/$program" | grep PATH)"
    fi
done

# The menu entry starts a program of the package and shows its icon.
desktop="$root/usr/share/applications/velmora-tester.desktop"
command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/usr/bin/$command" ] || fail "the menu entry runs '$command', not in usr/bin"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ "$icon" = velmora-tester ] || fail "the menu entry's icon '$icon' is not the package's"

# The notes of the release the package carries are in the metadata.
release=$(grep -o '<release version="[^"]*"' "$root/usr/share/metainfo/"*.metainfo.xml | head -1)
[ "$release" = "<release version=\"${version%%-*}\"" ] ||
    fail "the newest release in the metadata is $release, the package is ${version%%-*}"

echo "desktop-file-validate:"
desktop-file-validate "$desktop"
echo "  passed"
echo "appstreamcli validate-tree (metadata, its desktop entry):"
appstreamcli validate-tree --no-net "$root" | sed 's/^/  /'

echo "lintian:"
lintian --fail-on error,warning "$deb" 2>&1 |
    sed 's/^/  /' || fail "lintian found errors or warnings (above)"
echo "  passed"

echo "Package part took $((SECONDS - started)) s"
