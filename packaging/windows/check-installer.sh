#!/usr/bin/env bash
# check-installer.sh SETUP GOLDEN: under Wine (server running), installs SETUP silently for
# the user, converts the installed samples with the installed tressal-cli.exe and compares
# the files with the Linux build's (GOLDEN, tests/data/golden), then uninstalls silently and
# checks that only the user's Documents\Tressal is left.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
setup=$1
golden=$2
wine() { "$here/wine.sh" "$@"; }
fail() {
    echo "check-installer : $*" >&2
    exit 1
}
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
users=$WINEPREFIX/drive_c/users/$(whoami)
program_dir=$users/AppData/Local/Programs/Tressal
start_menu="$users/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tressal"
documents=$(readlink -f "$users/Documents")
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tressal'

# What a run stopped half-way may have left in the build's own prefix.
rm -rf "$program_dir" "$start_menu"
wine reg delete "$key" /f >/dev/null 2>&1 || true
wine "$setup" /S
[ -x "$program_dir/bin/tressal-cli.exe" ] || fail "tressal-cli.exe n'est pas installé"
[ -e "$start_menu/Tressal en ligne de commande.lnk" ] || fail "pas d'entrée au menu Démarrer"
# The Start menu's Tressal starts the installed tressal.exe: the target the shortcut stores
# (its local path), seen from Linux, is that file.
target=$(strings -a "$start_menu/Tressal.lnk" 2>/dev/null | grep -m1 -i '^[a-z]:\\.*\.exe$' || true)
[ -n "$target" ] && [ "$(wine winepath -u "$target" 2>/dev/null)" -ef "$program_dir/bin/tressal.exe" ] ||
    fail "l'entrée Tressal du menu Démarrer ne lance pas bin\\tressal.exe (elle vise « $target »)"
open_with='HKCU\Software\Classes\Applications\tressal.exe'
wine reg query "$open_with\shell\open\command" 2>/dev/null | grep -qi 'bin\\tressal\.exe" "%1"' ||
    fail "« Ouvrir avec Tressal » n'est pas proposé"
for extension in .zip .xml .csv; do
    wine reg query "$open_with\SupportedTypes" /v "$extension" >/dev/null 2>&1 ||
        fail "« Ouvrir avec Tressal » n'est pas proposé pour $extension"
    # Offered, never the default program of the type.
    ! wine reg query "HKCU\\Software\\Classes\\${extension}" /ve 2>/dev/null | grep -qi tressal ||
        fail "Tressal est devenu le programme par défaut des fichiers $extension"
done
wine reg query "$key" /v UninstallString >/dev/null || fail "absent des applications installées"
examples=$documents/Tressal/Exemples
for sample in "$here"/../../samples/*; do
    cmp -s "$sample" "$examples/$(basename "$sample")" ||
        fail "exemple non copié dans Documents\\Tressal\\Exemples : $(basename "$sample")"
done

# name below GOLDEN, conversion, installed sample
cases=(
    "sample-eleves-orlane eleves-orlane 0123456A.csv"
    "sample-eleves-vesko eleves-vesko 0123456A.csv"
    "sample-eleves-pmb eleves-pmb 0123456A.csv"
    "sample-eleves-bcdi eleves-bcdi 0123456A.csv"
    "sample-eleves-orlane eleves-orlane ExportXML_ElevesAvecAdresses.zip"
    "sample-eleves-vesko eleves-vesko ExportXML_ElevesAvecAdresses.zip"
    "sample-eleves-pmb eleves-pmb ExportXML_ElevesAvecAdresses.zip"
    "sample-eleves-bcdi eleves-bcdi ExportXML_ElevesAvecAdresses.zip"
    "a-profs-orlane profs-orlane sts_emp_0123456A_2026.xml"
    "a-profs-vesko profs-vesko sts_emp_0123456A_2026.xml"
    "a-profs-pmb profs-pmb sts_emp_0123456A_2026.xml"
    "b-profs-orlane profs-orlane sts_emp_0234567B_2026.xml"
    "b-profs-vesko profs-vesko sts_emp_0234567B_2026.xml"
    "b-profs-pmb profs-pmb sts_emp_0234567B_2026.xml"
)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for case in "${cases[@]}"; do
    read -r name conversion sample <<<"$case"
    root=$work/$name-$sample
    mkdir -p "$root"
    code=0
    wine "$program_dir/bin/tressal-cli.exe" "$conversion" "$(windows_path "$examples/$sample")" \
        --root "$(windows_path "$root")" >/dev/null 2>&1 || code=$?
    [ "$code" = "$(cat "$golden/$name/exit-code")" ] || fail "$conversion $sample : code $code"
    diff -r -x exit-code "$golden/$name" "$root" >/dev/null ||
        fail "$conversion $sample : fichiers différents de ceux de Linux ($golden/$name)"
done

# The uninstaller copies itself aside and returns at once: wait for it to finish.
wine "$program_dir/Desinstaller.exe" /S
for _ in $(seq 120); do
    [ -e "$program_dir" ] || break
    sleep 1
done
[ ! -e "$program_dir" ] || fail "la désinstallation laisse $program_dir"
[ ! -e "$start_menu" ] || fail "la désinstallation laisse l'entrée du menu Démarrer"
! wine reg query "$key" >/dev/null 2>&1 || fail "la désinstallation laisse $key"
! wine reg query "$open_with" >/dev/null 2>&1 || fail "la désinstallation laisse $open_with"
[ -e "$examples/0123456A.csv" ] || fail "la désinstallation a retiré Documents\\Tressal"
case $documents in "$WINEPREFIX"/*) rm -rf "$documents/Tressal" ;; esac
echo "== installateur : installé, exemples convertis comme sous Linux, désinstallé"
