#!/usr/bin/env bash
# Takes the README's screenshots under Xvfb: the menu bar with an entry under
# the mouse, the main window with its Orlane menu open, then with the Orlane
# student window beside it, that window fresh, then with the sample converted,
# the PMB student window comparing a changed export with the file saved
# before, the chooser of "tressal EXPORT" and a window during a long
# conversion.
# Needs: xvfb xdotool imagemagick (apt-get install), and a built build/bin/tressal.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=docs
bin=build/bin
export DISPLAY=:97
# A settings folder of its own: no export folder remembered from another run.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
# Only the processes started here are stopped, by their id: another tressal
# running on the machine is left alone.
started=()
trap 'kill "${started[@]}" 2>/dev/null || true; rm -rf "$XDG_CONFIG_HOME"' EXIT
Xvfb "$DISPLAY" -screen 0 1440x900x24 >/dev/null 2>&1 &
started+=($!)
sleep 1
# The last window of that name, moved there; its id in $win, its geometry in X Y WIDTH HEIGHT.
place() { # name x y
    win=$(xdotool search --name "$1" | tail -1)
    xdotool windowmove "$win" "$2" "$3"
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
}
(cd "$bin" && exec ./tressal >/dev/null 2>&1) &
started+=($!)
sleep 2
place "Tressal : Orlane" 100 50
main=$win
grab() { # file x y width height
    import -window root -crop "$4x$5+$2+$3" +repage "$1"
}
xdotool mousemove $((X + 250)) $((Y + 10)) # Vesko, under the mouse
sleep 0.6
grab "$out/menu-survole.png" $((X - 10)) $((Y - 10)) 620 50
xdotool mousemove $((X + 160)) $((Y + 10)) click 1 # Orlane
sleep 0.6
xdotool mousemove $((X + 160)) $((Y + 53)) # Enseignants
sleep 0.8
grab "$out/fenetre-principale.png" $((X - 10)) $((Y - 10)) 620 390
xdotool mousemove $((X + 160)) $((Y + 32)) click 1 # Elèves
sleep 1
eleves=$(xdotool search --name "Sconet vers Orlane : élèves" | head -1)
# The new window opens beside the main window, whose menu bar stays in sight.
mainX=$X mainY=$Y
eval "$(xdotool getwindowgeometry --shell "$eleves")"
grab "$out/fenetres-cote-a-cote.png" $((mainX - 10)) $((mainY - 10)) \
    $((X + WIDTH - mainX + 20)) $((Y + HEIGHT - mainY + 20))
xdotool windowmove "$eleves" 150 120
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$eleves")"
grab "$out/fenetre-vierge.png" $((X - 10)) $((Y - 10)) $((WIDTH + 20)) $((HEIGHT + 20))
xdotool mousemove $((X + 110)) $((Y + 12)) click 1 # Tressal Orlane
sleep 1.2
xdotool type "0123456A.csv"
xdotool key Return
sleep 1
grab "$out/fenetre-conversion.png" $((X - 10)) $((Y - 10)) $((WIDTH + 20)) $((HEIGHT + 20))
# The PMB student window comparing a changed export with the file saved
# before: that file is written by tressal-cli where the window would save it,
# and removed at the end unless it was there already.
saved="$bin/PMB"
changed=$(mktemp -d)
if [ -e "$saved" ]; then keep=1; else keep=0; fi
trap 'kill "${started[@]}" 2>/dev/null || true; rm -rf "$XDG_CONFIG_HOME" "$changed"
      [ "$keep" = 1 ] || rm -rf "$saved"' EXIT
"$bin/tressal-cli" eleves-pmb samples/0123456A.csv --root "$bin" >/dev/null
LC_ALL=C sed -e 's/^FAURE;Camille;/FAURE;Camilla;/' -e '/^LEROY;Hugo;/d' \
    samples/0123456A.csv >"$changed/0123456A.csv"
xdotool mousemove $((X + 100)) $((Y + 100)) click 1 key Escape # closes the Orlane window
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 320)) $((Y + 10)) click 1 # PMB
sleep 0.6
xdotool mousemove $((X + 320)) $((Y + 32)) click 1 # Elèves
sleep 1
pmb=$(xdotool search --name "Sconet vers PMB : élèves" | head -1)
xdotool windowmove "$main" 2000 2000 # out of the picture
xdotool windowmove "$pmb" 100 40
xdotool windowsize "$pmb" 820 700
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$pmb")"
xdotool mousemove $((X + 110)) $((Y + 12)) click 1 # Tressal PMB
sleep 1.2
xdotool type "$changed/0123456A.csv"
xdotool key Return
sleep 1
xdotool mousemove $((X + WIDTH - 40)) $((Y + HEIGHT - 16)) click 1 # Détails
sleep 0.8
grab "$out/fenetre-comparaison.png" $((X - 10)) $((Y - 10)) $((WIDTH + 20)) $((HEIGHT + 20))

# "tressal EXPORT": the chooser, then the PMB window during the conversion of
# a large export (300,000 generated lines).
big=$(mktemp -d)
trap 'kill "${started[@]}" 2>/dev/null || true; rm -rf "$XDG_CONFIG_HOME" "$changed" "$big"
      [ "$keep" = 1 ] || rm -rf "$saved"' EXIT
python3 - "$big/0123456A.csv" <<'PY'
import sys
header = "NOM" + "".join(";C%d" % i for i in range(2, 23)) + "\r\n"
with open(sys.argv[1], "w", encoding="cp1252", newline="") as out:
    out.write(header)
    for i in range(300000):
        out.write("NOM%06d;Prénom;;;01/02/2012;%d;12345678%02dA;%s;%dème %s;AGL1;ESP2;;;;DP;G1;"
                  "0210001A;01/09/2026;%d rue des Lilas;21000;DIJON;0380000000\r\n"
                  % (i, i, i % 100, "MF"[i % 2], 3 + i % 4, "ABCD"[i % 4], i % 90))
PY
kill "${started[1]}" # the first program and its windows
sleep 0.5
(cd "$bin" && exec ./tressal "$big/0123456A.csv" >/dev/null 2>&1) &
started+=($!)
sleep 3
place "Tressal : ouvrir un export" 300 200
xdotool key Down Down # PMB ▸ Elèves
sleep 0.3
grab "$out/choix-conversion.png" $((X - 10)) $((Y - 10)) $((WIDTH + 20)) $((HEIGHT + 20))
xdotool key Return
sleep 0.3
sleep 0.7
place "Sconet vers PMB : élèves" 100 40
grab "$out/conversion-en-cours.png" $((X - 10)) $((Y - 10)) $((WIDTH + 20)) $((HEIGHT + 20))
