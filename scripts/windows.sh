#!/usr/bin/env bash
# scripts/dev.sh windows: Tressal for 64-bit Windows, from a fresh Debian 12 machine.
#   1. installs the cross tools from Debian and adds a deb-src entry for the configured suites;
#   2. builds the libraries and Qt's base, static, from Debian's source packages into the cache
#      (packaging/windows/dependencies.sh, build-qtbase.sh; reused when present);
#   3. builds tressal.exe, tressal-cli.exe and the tests in build-windows/, runs the tests under
#      Wine, then every sample conversion 50 times in a row with the real program, then
#      tressal.exe in its windows on a virtual display (packaging/windows/check-gui.sh);
#   4. packages: build-windows/Tressal-<version>-windows-x64.zip, Tressal-<version>-setup.exe
#      and SHA256SUMS, and checks the installer under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=$ROOT/build-windows
SECONDS=0
lap() { printf '== windows : %s (%d s)\n' "$1" "$SECONDS"; }

PACKAGES=(cmake make ninja-build dpkg-dev g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
          libz-mingw-w64-dev icu-devtools wine64 nsis
          qt6-base-dev qt6-translations-l10n # Qt's host tools and its French catalogue
          fonts-wine xvfb xdotool imagemagick) # tressal.exe's windows under Wine

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# deb-src entries beside the deb ones of the configured suites, once; false when already there.
add_source_entries() {
    local stem=/etc/apt/sources.list.d/tressal-deb-src entries file
    compgen -G "$stem.*" >/dev/null && return 1
    entries=$(
        for file in /etc/apt/sources.list.d/*.sources; do
            [ -e "$file" ] || continue
            awk 'BEGIN {RS = ""; ORS = "\n\n"}
                 /(^|\n)Types:[^\n]*deb( |$|\n)/ && !/(^|\n)Types:[^\n]*deb-src/ {
                     sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$file"
        done
    )
    [ -z "$entries" ] || printf '%s\n' "$entries" | as_root tee "$stem.sources" >/dev/null
    entries=$(sed -n 's/^deb /deb-src /p' /etc/apt/sources.list 2>/dev/null || true)
    [ -z "$entries" ] || printf '%s\n' "$entries" | as_root tee "$stem.list" >/dev/null
    compgen -G "$stem.*" >/dev/null ||
        { echo "Aucune source apt « deb » à compléter par « deb-src »." >&2; exit 1; }
}

install_tools() {
    local missing=() package updated=0
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    if add_source_entries || [ ${#missing[@]} -gt 0 ]; then
        as_root apt-get update
        updated=1
    fi
    if [ ${#missing[@]} -gt 0 ]; then
        DEBIAN_FRONTEND=noninteractive as_root apt-get install -y --no-install-recommends \
            "${missing[@]}"
    fi
    # A deb-src entry added by hand without an update since.
    if [ $updated -eq 0 ] && ! apt-cache showsrc icu >/dev/null 2>&1; then
        as_root apt-get update
    fi
}

configure_and_build() {
    local prefixes qt
    prefixes=$(packaging/windows/dependencies.sh | paste -sd';')
    lap "bibliothèques"
    qt=$(packaging/windows/build-qtbase.sh "${XDG_CACHE_HOME:-$HOME/.cache}/tressal-windows" \
        "$ROOT/cmake/mingw-w64-x86_64.cmake")
    lap "Qt"
    # Qt's tools (moc, rcc, uic) are Debian's own, of the same version.
    cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DTRESSAL_WINDOWS_PREFIXES="$prefixes;$qt" -DTRESSAL_BUILD_GUI=ON -DTRESSAL_BUILD_BENCH=OFF \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    cmake --build "$BUILD" -j"$(nproc)"
    lap "construction"
}

# One Wine server for all the runs below (see packaging/windows/wine.sh).
export WINEPREFIX=$BUILD/wine WINEDEBUG=-all
wine_started=0
stop_wine() {
    [ $wine_started -eq 1 ] && packaging/windows/wine-session.sh stop
    wine_started=0
}
trap stop_wine EXIT

run_tests() {
    # The window tests need no display (Qt's offscreen platform); tressal.exe's own windows
    # get one from check-gui.sh below.
    packaging/windows/wine-session.sh start
    wine_started=1
    ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" --timeout 900
    lap "tests sous Wine"
    # An intermittent failure shows only over many runs: every sample conversion, 50 times in
    # a row, by the real program.
    TRESSAL_PROGRAM_RUNS=50 ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" \
        --timeout 1800 -R 'ProgramRunAfterRun'
    lap "50 conversions de chaque exemple sous Wine"
    packaging/windows/check-gui.sh "$BUILD" "$BUILD/fenetre-windows.png"
    lap "tressal.exe sous Wine"
}

install_tools
lap "outils"
configure_and_build
run_tests
packaging/windows/package.sh "$BUILD"
lap "paquets"
stop_wine
ls -l "$BUILD"/Tressal-* "$BUILD/SHA256SUMS" "$BUILD/bin/tressal-cli.exe" "$BUILD/bin/tressal.exe"
