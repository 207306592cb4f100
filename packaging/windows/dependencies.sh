#!/usr/bin/env bash
# Builds Tressal's libraries for 64-bit Windows, static, from Debian's own source packages at
# the versions the Linux build uses, each into its own folder of the cache:
#   ${XDG_CACHE_HOME:-~/.cache}/tressal-windows/<name>-<version>/
# A folder holding the stamp file is complete and reused as it is. Prints nothing on stdout
# but the prefixes, one a line, for TRESSAL_WINDOWS_PREFIXES.
# Needs: apt-get source (a deb-src entry), the MinGW-w64 cross compilers, cmake, ninja, make,
# and ICU's native tools (icu-devtools) for the data.
set -euo pipefail

CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/tressal-windows
SCRATCH=${TRESSAL_WINDOWS_SCRATCH:-$CACHE/scratch}
HERE=$(cd "$(dirname "$0")" && pwd)
TRIPLET=x86_64-w64-mingw32
JOBS=$(nproc)
STAMP=.tressal-complete
log() { printf '== %s\n' "$*" >&2; }

# The Debian version of the source package behind an installed -dev package, or the newest
# the archive offers when that package is not installed.
debian_version() { # source package, binary package
    local installed
    installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${source:Version}' "$2" 2>/dev/null |
        awk '$1 == "ii" {print $2}')
    if [ -n "$installed" ]; then
        echo "$installed"
    else
        apt-cache showsrc "$1" | awk '/^Version:/ {print $2}' | sort -V | tail -1
    fi
}

upstream() { # Debian version -> upstream version, e.g. 2.9.14+dfsg-1.3~deb12u6 -> 2.9.14
    local version=${1#*:}
    version=${version%-*}
    echo "${version%%+*}"
}

# Unpacks the source package (Debian's patches applied) into SCRATCH; prints its folder.
fetch_source() { # source package, Debian version
    local folder=$SCRATCH/sources/$1-$2
    if [ ! -e "$folder/.unpacked" ]; then
        rm -rf "$folder"
        mkdir -p "$folder"
        (cd "$folder" && apt-get source -q "$1=$2" >&2)
        touch "$folder/.unpacked"
    fi
    find "$folder" -mindepth 1 -maxdepth 1 -type d -name "$1-*" | head -1
}

cmake_cross() { # source folder, build folder, prefix, options...
    local source=$1 build=$2 prefix=$3
    shift 3
    cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$HERE/../../cmake/mingw-w64-x86_64.cmake" \
        -DTRESSAL_WINDOWS_PREFIXES="$CACHE_PREFIXES" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DBUILD_SHARED_LIBS=OFF "$@" >&2
    cmake --build "$build" -j"$JOBS" >&2
    cmake --install "$build" >&2
}

CACHE_PREFIXES=""
built_prefix() { # name, upstream version -> prefix; true when already complete
    PREFIX=$CACHE/$1-$2
    CACHE_PREFIXES="${CACHE_PREFIXES:+$CACHE_PREFIXES;}$PREFIX"
    echo "$PREFIX"
    [ -e "$PREFIX/$STAMP" ]
}

finish() { # prefix
    touch "$1/$STAMP"
}

cmake_library() { # name (also its source package), binary package, cmake options...
    local name=$1 binary=$2 version source
    shift 2
    version=$(debian_version "$name" "$binary")
    built_prefix "$name" "$(upstream "$version")" && return
    log "$name $version"
    source=$(fetch_source "$name" "$version")
    rm -rf "$PREFIX" "$SCRATCH/build/$name"
    cmake_cross "$source" "$SCRATCH/build/$name" "$PREFIX" "$@"
    finish "$PREFIX"
}

build_googletest() {
    cmake_library googletest libgtest-dev -DBUILD_GMOCK=OFF
}

build_libxml2() {
    # No iconv and no ICU: the program decodes its single-byte encodings itself, so Windows and
    # Linux accept and refuse the same bytes. No network, no compression, no tools.
    local options=() feature
    for feature in ICONV ICU ISO8859X LZMA ZLIB HTTP FTP PYTHON PROGRAMS TESTS MODULES DEBUG \
        DOCB CATALOG; do
        options+=("-DLIBXML2_WITH_$feature=OFF")
    done
    cmake_library libxml2 libxml2-dev "${options[@]}"
}

build_libzip() {
    # Deflate only (zlib from Debian's libz-mingw-w64-dev): no encryption, bzip2 or xz.
    cmake_library libzip libzip-dev -DZLIB_USE_STATIC_LIBS=ON \
        -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF \
        -DENABLE_WINDOWS_CRYPTO=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DBUILD_TOOLS=OFF \
        -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
}

# ICU's libraries only: its tools and data come from Debian's native ICU (icu-devtools), which
# spares the native build a cross build of ICU otherwise needs first. Tressal packs the data
# it uses itself, from the full data installed here (share/icu/<version>/).
build_icu() {
    local version source build cross
    version=$(debian_version icu libicu-dev)
    built_prefix icu "$(upstream "$version")" && return
    log "icu $version"
    source=$(fetch_source icu "$version")
    build=$SCRATCH/build/icu
    cross=$SCRATCH/build/icu-native-tools
    rm -rf "$PREFIX" "$build" "$cross"
    mkdir -p "$build" "$cross/config" "$cross/bin"
    for tool in icupkg pkgdata genccode gencmn genrb gencnval gensprep genbrk gencfu makeconv \
        gennorm2 gendict; do
        ln -s "$(command -v "$tool" || echo "/usr/sbin/$tool")" "$cross/bin/$tool"
    done
    printf 'CROSS_ICU_VERSION=%s\nTOOLEXEEXT=\nTOOLBINDIR=%s/bin\nTOOLLIBDIR=/usr/lib\nINVOKE=\nPKGDATA_INVOKE=\n' \
        "$(upstream "$version")" "$cross" >"$cross/config/icucross.mk"
    : >"$cross/config/icucross.inc"
    (cd "$build" &&
        CC=$TRIPLET-gcc-posix CXX=$TRIPLET-g++-posix CFLAGS=-O2 CXXFLAGS=-O2 \
            CPPFLAGS=-DU_STATIC_IMPLEMENTATION "$source/source/configure" \
            --host=$TRIPLET --build="$(dpkg-architecture -qDEB_BUILD_GNU_TYPE)" \
            --with-cross-build="$cross" --prefix="$PREFIX" --enable-static --disable-shared \
            --disable-tools --disable-tests --disable-samples --disable-extras --disable-icuio \
            --disable-layoutex --with-data-packaging=static >&2)
    # ICU's top Makefile makes these before the parts; the parts alone expect them.
    mkdir -p "$build/lib" "$build/bin"
    for part in stubdata common i18n; do
        make -C "$build/$part" -j"$JOBS" >&2
        make -C "$build/$part" install >&2
    done
    local data_version
    data_version=$(upstream "$version")
    mkdir -p "$PREFIX/share/icu/$data_version"
    cp "$source/source/data/in/icudt${data_version%%.*}l.dat" "$PREFIX/share/icu/$data_version/"
    finish "$PREFIX"
}

mkdir -p "$CACHE"
build_googletest
build_libzip
build_libxml2
build_icu
