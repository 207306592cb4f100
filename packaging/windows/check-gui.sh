#!/usr/bin/env bash
# check-gui.sh BUILD PICTURE: tressal.exe as a secretary starts it from the portable folder,
# under Wine with Qt's "windows" platform on a virtual X display. Through the menus it opens the
# Orlane student window, converts the sample 0123456A.csv, keeps a picture of the window in
# PICTURE, saves, and checks that the saved file has the Linux build's bytes.
# Uses a Wine prefix of its own (BUILD/wine-gui), with Wine's Tahoma (fonts-wine) as Windows has.
# Needs: xvfb xdotool imagemagick wine64 fonts-wine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
picture=$(realpath -m "$2")
golden=$repo/tests/data/golden/sample-eleves-orlane/Orlane/0123456A/Eleves/0123456A.txt

export WINEPREFIX=$build/wine-gui
portable=$(mktemp -d)
started=()
finish() {
    [ ${#started[@]} -eq 0 ] || kill "${started[@]}" 2>/dev/null || true
    "$here/wine-session.sh" stop
    rm -rf "$portable"
}
trap finish EXIT

# The portable folder, as in the zip: the program with the samples beside it.
cp "$build/bin/tressal.exe" "$repo"/samples/* "$portable/"

# A display of its own: Xvfb picks a free number and writes it on the pipe.
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
started+=($!)
read -r -t 30 number <&3
export DISPLAY=:$number

"$here/wine-session.sh" start

(cd "$portable" && exec "$here/wine.sh" tressal.exe >/dev/null 2>&1) &
started+=($!)

window() { # title: waits for the window, prints its id
    local id
    for _ in $(seq 1 120); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        [ -n "$id" ] && echo "$id" && return
        sleep 0.5
    done
    echo "check-gui.sh : la fenêtre « $1 » n'est pas apparue" >&2
    import -window root "$picture.echec.png"
    exit 1
}
geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }
grab() { # window id, file
    geometry "$1"
    import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$2"
}

main=$(window "Tressal : Orlane - Vesko - PMB")
sleep 1
# Orlane, the second entry of the menu bar, then its first entry, Elèves.
xdotool key --window "$main" alt 2>/dev/null
sleep 0.5
xdotool key Right Return 2>/dev/null
sleep 0.8
xdotool key Return 2>/dev/null
students=$(window "Sconet vers Orlane : élèves")
sleep 1
# "Tressal Orlane" has the focus: Windows' open dialog, in the program's folder.
xdotool key space 2>/dev/null
sleep 3
xdotool type --delay 50 "0123456A.csv" 2>/dev/null
xdotool key Return 2>/dev/null
sleep 4
grab "$students" "$picture"
# Sauvegarder, then the proposed file in Windows' save dialog.
geometry "$students"
xdotool mousemove $((X + 233)) $((Y + 13)) click 1
sleep 3
xdotool key Return 2>/dev/null
saved=$portable/Orlane/0123456A/Eleves/0123456A.txt
for _ in $(seq 1 40); do
    [ -e "$saved" ] && break
    sleep 0.5
done
sleep 1
cmp -s "$golden" "$saved" || {
    import -window root "$picture.echec.png"
    echo "check-gui.sh : tressal.exe n'a pas enregistré les octets de Linux ($saved)" >&2
    exit 1
}
echo "== tressal.exe : fenêtre Orlane élèves, exemple converti et enregistré comme sous Linux"
