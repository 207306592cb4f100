#!/usr/bin/env bash
# Tressal's two everyday commands:
#   scripts/dev.sh start   installs what is missing, builds and starts the program
#   scripts/dev.sh test    installs what is missing, builds and runs every test
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(build-essential cmake pkg-config qt6-base-dev qt6-translations-l10n libgl-dev
          libicu-dev libxml2-dev libzip-dev zlib1g-dev libgtest-dev fonts-dejavu-core
          file lintian desktop-file-utils appstream) # the last four: scripts/check-package.sh

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
    # The core must build without Qt at all.
    build build-core -DTRESSAL_BUILD_GUI=OFF -DTRESSAL_BUILD_TESTS=OFF -DTRESSAL_BUILD_BENCH=OFF
    build build
    ctest --test-dir build --output-on-failure -j"$(nproc)"
    ;;
*)
    echo "Usage : scripts/dev.sh start|test" >&2
    exit 2
    ;;
esac
