#!/usr/bin/env bash
# package.sh BUILD: from BUILD/bin (tressal.exe, tressal-cli.exe and the samples), writes in BUILD
#   Tressal-<version>-windows-x64.zip   portable: unzip anywhere and run, it writes beside itself
#   Tressal-<version>-setup.exe         per-user installer (tressal.nsi)
#   SHA256SUMS
# then installs, uses and uninstalls the installer under Wine (a Wine server must be running:
# wine-session.sh start).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
samples=("$repo"/samples/*)
programs=("$build"/bin/tressal.exe "$build"/bin/tressal-cli.exe)
stage=$build/package
rm -rf "$stage" "$build"/Tressal-*-windows-x64.zip "$build"/Tressal-*-setup.exe "$build/SHA256SUMS"

# The portable folder: the programs with the samples beside them.
portable=Tressal-$version-windows-x64
mkdir -p "$stage/$portable"
cp "${programs[@]}" "${samples[@]}" "$stage/$portable/"
(cd "$stage" && cmake -E tar cf "$build/$portable.zip" --format=zip "$portable")

# The installed tree, as on Linux: bin/ and share/tressal/samples/ (the program finds its
# samples from its own folder).
mkdir -p "$stage/installed/bin" "$stage/installed/share/tressal/samples"
cp "${programs[@]}" "$stage/installed/bin/"
cp "${samples[@]}" "$stage/installed/share/tressal/samples/"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage/installed" \
    -DOUTFILE="$build/Tressal-$version-setup.exe" "$here/tressal.nsi"
(cd "$build" && sha256sum "$portable.zip" "Tressal-$version-setup.exe" >SHA256SUMS)

"$here/check-installer.sh" "$build/Tressal-$version-setup.exe" "$repo/tests/data/golden"
rm -rf "$stage"
