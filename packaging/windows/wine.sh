#!/usr/bin/env bash
# Runs a Windows program under Debian's Wine, quietly, in the prefix WINEPREFIX (by default
# build-windows/wine of this repository). Keep one `wineserver -p` running around a series of
# runs (packaging/windows/wine-session.sh): a server that stops and starts between two runs
# makes them fail at random. Wine keeps the Linux side's QT_* variables from Windows programs
# (they are meant for the desktop's own Qt): set WINEQT_QPA_PLATFORM to give a program
# QT_QPA_PLATFORM.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/../../build-windows/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
for wine in wine64 wine /usr/lib/wine/wine64; do
    command -v "$wine" >/dev/null && exec "$wine" "$@"
done
echo "wine.sh : Wine est introuvable (paquet wine64)" >&2
exit 127
