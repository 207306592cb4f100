#!/bin/sh
# Builds Qt's base modules for 64-bit Windows from Debian's own qt6-base source package, static,
# into CACHE_ROOT/qtbase-<version>/ (reused when its stamp file is there). Prints nothing on
# stdout but that prefix, for TRESSAL_WINDOWS_PREFIXES; the build's output goes to a log file.
#
#   packaging/windows/build-qtbase.sh CACHE_ROOT TOOLCHAIN_FILE
#
# Only what the windows need: Core, Gui, Widgets, Test, the "windows" and "offscreen" platform
# plugins and the "windowsvista" style. Static (tressal.exe is one file), no ICU (Qt then uses
# Windows' own APIs), no OpenGL, network, SQL or D-Bus. The host tools come from Debian's native
# Qt of the same version (QT_HOST_PATH=/usr).
set -eu

QT_VERSION=6.4.2
JOBS=${JOBS:-$(nproc)}

if [ $# -ne 2 ]; then
    echo "usage: $0 CACHE_ROOT TOOLCHAIN_FILE" >&2
    exit 2
fi
cache_root=$(realpath -m "$1")
toolchain=$(realpath "$2")
prefix="$cache_root/qtbase-$QT_VERSION"
stamp="$prefix/.tressal-complete"

if [ -f "$stamp" ]; then
    echo "$prefix"
    exit 0
fi

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# The host tools must be the very version we build: Qt refuses others.
host_version=$(dpkg-query -W -f '${Version}' qt6-base-dev 2>/dev/null || true)
case "$host_version" in
"$QT_VERSION"*) ;;
*)
    echo "qt6-base-dev $QT_VERSION is needed for Qt's host tools (found: '${host_version:-none}')" >&2
    exit 1
    ;;
esac

# apt-get source needs a deb-src entry: add one for the suites already configured, once.
ensure_deb_src() {
    if apt-get source --print-uris qt6-base >/dev/null 2>&1; then
        return
    fi
    list=/etc/apt/sources.list.d/tressal-deb-src.sources
    echo "adding source package entries in $list" >&2
    for sources in /etc/apt/sources.list.d/debian.sources; do
        [ -f "$sources" ] || continue
        sed -e 's/^Types:.*/Types: deb-src/' "$sources"
    done | as_root tee "$list" >/dev/null
    as_root apt-get update -qq >&2
}

mkdir -p "$cache_root"
scratch=$(mktemp -d "$cache_root/qtbase-build.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
trap 'exit 1' INT TERM
log="$cache_root/qtbase-$QT_VERSION.log"
echo "qtbase $QT_VERSION: building into $prefix (log: $log)" >&2
: >"$log"

ensure_deb_src
(
    cd "$scratch"
    # --download-only then dpkg-source -x: Debian's patches are applied on unpacking.
    apt-get source --download-only "qt6-base=$host_version" >>"$log" 2>&1
    dpkg-source -x qt6-base_*.dsc source >>"$log" 2>&1
)

start=$(date +%s)
cmake -S "$scratch/source" -B "$scratch/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DINPUT_opengl=no \
    -DFEATURE_directwrite3=OFF -DFEATURE_direct2d=OFF \
    -DFEATURE_tabletevent=OFF \
    -DFEATURE_icu=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_gif=OFF -DFEATURE_ico=OFF \
    -DFEATURE_style_fusion=ON -DFEATURE_style_windows=ON -DFEATURE_style_windowsvista=ON \
    >>"$log" 2>&1
configured=$(date +%s)
cmake --build "$scratch/build" -j"$JOBS" >>"$log" 2>&1
built=$(date +%s)
rm -rf "$prefix"
cmake --install "$scratch/build" >>"$log" 2>&1

cat >"$stamp" <<EOF
qtbase $QT_VERSION (Debian's qt6-base source), static, for x86_64-w64-mingw32
configured in $((configured - start)) s, built in $((built - configured)) s with -j$JOBS
EOF
echo "qtbase $QT_VERSION: $(tail -1 "$stamp")" >&2
echo "$prefix"
