#!/usr/bin/env bash
# Tressal's two everyday commands:
#   scripts/dev.sh start   installs what is missing, builds and starts the program
#   scripts/dev.sh test    installs what is missing, builds and runs every test (with
#                          TRESSAL_WARNINGS_AS_ERRORS=ON in the environment, as CI does, a
#                          warning fails the build)
#   scripts/dev.sh lint    checks that src/ and tests/ are formatted as .clang-format says
#   scripts/dev.sh sanitize   the whole test suite built with AddressSanitizer and
#                             UndefinedBehaviorSanitizer
#   scripts/dev.sh fuzz [SECONDS]   each libFuzzer target for SECONDS (default 60)
#   scripts/dev.sh windows   Tressal for Windows, built, tested under Wine and packaged in
#                            build-windows/ (scripts/windows.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(build-essential cmake pkg-config qt6-base-dev qt6-translations-l10n libgl-dev
          libicu-dev libxml2-dev libzip-dev zlib1g-dev libgtest-dev fonts-dejavu-core
          file lintian desktop-file-utils appstream # these four: scripts/check-package.sh
          clang-format                              # scripts/dev.sh lint (Debian 12: 14)
          clang libclang-rt-14-dev python3)         # these: the fuzz targets

install_missing() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends \
        "${missing[@]}"
}

build() { # folder, then cmake options
    local folder=$1
    shift
    cmake -S . -B "$folder" "$@"
    cmake --build "$folder" -j"$(nproc)"
}

case "${1:-}" in
start)
    install_missing
    build build
    exec build/bin/tressal
    ;;
test)
    install_missing
    werror=-DTRESSAL_WARNINGS_AS_ERRORS=${TRESSAL_WARNINGS_AS_ERRORS:-OFF}
    # The core must build without Qt at all.
    build build-core -DTRESSAL_BUILD_GUI=OFF -DTRESSAL_BUILD_TESTS=OFF -DTRESSAL_BUILD_BENCH=OFF \
        "$werror"
    build build "$werror"
    ctest --test-dir build --output-on-failure -j"$(nproc)"
    ;;
sanitize)
    install_missing
    build build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRESSAL_SANITIZE=address,undefined \
        -DTRESSAL_BUILD_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        LSAN_OPTIONS=suppressions=$PWD/fuzz/leak-suppressions.txt \
        ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
    ;;
fuzz)
    install_missing
    CC=clang CXX=clang++ build build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTRESSAL_SANITIZE=address,undefined -DTRESSAL_BUILD_FUZZ=ON -DTRESSAL_BUILD_GUI=OFF \
        -DTRESSAL_BUILD_TESTS=OFF -DTRESSAL_BUILD_BENCH=OFF
    exec fuzz/run.sh build-fuzz "${2:-60}"
    ;;
lint)
    install_missing
    find src tests \( -name '*.cpp' -o -name '*.h' \) -print0 |
        xargs -0 clang-format --dry-run -Werror
    echo "Mise en forme : conforme à .clang-format"
    ;;
windows)
    exec scripts/windows.sh
    ;;
*)
    echo "Usage : scripts/dev.sh start|test|lint|sanitize|fuzz [SECONDES]|windows" >&2
    exit 2
    ;;
esac
