#!/usr/bin/env bash
# start | stop: one persistent Wine server for the prefix WINEPREFIX (see wine.sh), created
# on first use.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/../../build-windows/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
server=$(command -v wineserver || echo /usr/lib/wine/wineserver)
case "${1:-}" in
start)
    mkdir -p "$WINEPREFIX"
    "$server" -p 2>/dev/null || true # already running: kept
    # Creates the prefix the first time, and waits until it is ready.
    "$here/wine.sh" cmd /c exit >/dev/null 2>&1 || true
    # Wine links Documents, Desktop… to the Linux home: the prefix keeps its own instead, so
    # that nothing run here writes into the user's files.
    for folder in "$WINEPREFIX/drive_c/users/$(whoami)"/*; do
        if [ -L "$folder" ]; then
            rm "$folder"
            mkdir "$folder"
        fi
    done
    # Qt's windows ask for "MS Shell Dlg", which Wine maps to Tahoma without installing it
    # (fonts-wine has it); Windows has it.
    for font in /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf; do
        fonts=$WINEPREFIX/drive_c/windows/Fonts
        if [ -e "$font" ] && [ ! -e "$fonts/${font##*/}" ]; then cp "$font" "$fonts/"; fi
    done
    ;;
stop)
    "$server" -k 2>/dev/null || true
    "$server" -w 2>/dev/null || true
    ;;
*)
    echo "Usage : wine-session.sh start|stop" >&2
    exit 2
    ;;
esac
