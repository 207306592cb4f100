#!/usr/bin/env bash
# Checks Tressal as a user gets it: builds the Debian package from a build folder (default:
# build, as `scripts/dev.sh test` leaves it), checks it with lintian, installs it with apt-get,
# runs the installed programs and the desktop checkers, then removes the package.
# Needs root or sudo, and the checkers that scripts/dev.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

step() { printf '== %s\n' "$*"; }
fail() {
    printf 'ÉCHEC : %s\n' "$*" >&2
    exit 1
}

step "Paquet Debian"
rm -f "$build"/tressal_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/tressal_*.deb)
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
echo "$(basename "$deb") : $(du -k "$deb" | cut -f1) Ko ; dépendances : $(dpkg-deb -f "$deb" Depends)"
lintian_report=$(lintian --fail-on error "$deb" 2>&1) || {
    echo "$lintian_report"
    fail "lintian trouve des erreurs dans le paquet"
}
echo "$lintian_report" | grep -v '^running with root privileges' || true

step "Installation"
apt_install() { DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "$deb"; }
apt_install || { "${sudo[@]}" apt-get update && apt_install; }
work=$(mktemp -d)
remove() {
    step "Désinstallation"
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y tressal
    rm -rf "$work"
    if [ -e /usr/bin/tressal-cli ] || [ -e /usr/share/tressal ]; then
        printf 'ÉCHEC : des fichiers de tressal restent après la désinstallation\n' >&2
        exit 1
    fi
}
trap remove EXIT

step "Versions"
[ "$(tressal-cli --version)" = "tressal-cli $version" ] || fail "tressal-cli --version ne donne pas $version"
[ "$(tressal --version)" = "tressal $version" ] || fail "tressal --version ne donne pas $version"
tressal-cli --help | grep -q '^Usage : tressal-cli' || fail "tressal-cli --help"

step "Même résultat que le programme du dossier de construction"
tressal-cli eleves-orlane /usr/share/tressal/samples/0123456A.csv --root "$work/installed" >/dev/null
"$build/bin/tressal-cli" eleves-orlane samples/0123456A.csv --root "$work/built" >/dev/null
[ -s "$work/installed/Orlane/0123456A/Eleves/0123456A.txt" ] || fail "aucun fichier écrit"
diff -r "$work/installed" "$work/built" || fail "les fichiers écrits diffèrent"

step "Entrée de menu et données AppStream"
mapfile -t desktop < <(dpkg -L tressal | grep '^/usr/share/applications/.*\.desktop$')
mapfile -t metainfo < <(dpkg -L tressal | grep '^/usr/share/metainfo/.*\.xml$')
[ ${#desktop[@]} -eq 1 ] && [ ${#metainfo[@]} -eq 1 ] || fail "entrée de menu ou données AppStream absentes"
desktop-file-validate "${desktop[0]}"
appstreamcli validate --no-net "${metainfo[0]}"

step "Démarrage hors écran"
mkdir -m 700 "$work/home" "$work/run"
examples="$work/home/Documents/Tressal/Exemples"
env -u XDG_CONFIG_HOME HOME="$work/home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen \
    tressal &
pid=$!
for _ in $(seq 100); do
    diff -rq /usr/share/tressal/samples "$examples" >/dev/null 2>&1 && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
sleep 1
kill -0 "$pid" 2>/dev/null || fail "tressal s'est arrêté au démarrage"
kill "$pid"
wait "$pid" || true
diff -r /usr/share/tressal/samples "$examples" || fail "les exemples ne sont pas copiés dans $examples"

step "Tout est bon"
