#!/usr/bin/env bash
# Takes the README's screenshots under Xvfb: the menu bar with an entry under
# the mouse, the main window with its Orlane menu open, the Orlane student
# window fresh, then with the sample converted, then the PMB student window
# comparing a changed export with the file saved before.
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
Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
started+=($!)
sleep 1
(cd "$bin" && exec ./tressal >/dev/null 2>&1) &
started+=($!)
sleep 2
main=$(xdotool search --name "Tressal : Orlane" | head -1)
xdotool windowmove "$main" 100 50
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main")"
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
