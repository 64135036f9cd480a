#!/bin/sh
# Runs the Windows build's tests under Wine in a throw-away prefix, then
# passes a catalogue and settings pair between the Linux and the Windows
# programs both ways: each must write back exactly the bytes it read.
#
#   tools/test-windows.sh <windows-build-dir> <linux-bin-dir>
set -eu
windows_build=$1
linux_bin=$2
windows_bin=$windows_build/bin
started=$(date +%s)

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/tolm-wine.XXXXXX")
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tolm-exchange.XXXXXX")
# Console programs only: no display, no debug chatter, no offer to install
# Mono or Gecko.
DISPLAY=
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX DISPLAY WINEDEBUG WINEDLLOVERRIDES
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$scratch"
}
trap cleanup EXIT INT TERM

"$wine" wineboot -i >/dev/null 2>&1
ctest --test-dir "$windows_build" --output-on-failure

# The Windows programs see the Linux file system as drive Z:.
windows_path() {
    printf 'Z:%s' "$1" | tr / '\\'
}
for side in linux windows; do
    mkdir -p "$scratch/$side/written" "$scratch/$side/rewritten"
done
"$linux_bin/catalogue_copy" --sample "$scratch/linux/written"
"$wine" "$windows_bin/catalogue_copy.exe" "$(windows_path "$scratch/linux/written")" \
    "$(windows_path "$scratch/linux/rewritten")"
"$wine" "$windows_bin/catalogue_copy.exe" --sample "$(windows_path "$scratch/windows/written")"
"$linux_bin/catalogue_copy" "$scratch/windows/written" "$scratch/windows/rewritten"
for file in tolm.dat tolm.ini; do
    cmp "$scratch/linux/written/$file" "$scratch/linux/rewritten/$file"
    cmp "$scratch/windows/written/$file" "$scratch/windows/rewritten/$file"
    cmp "$scratch/linux/written/$file" "$scratch/windows/written/$file"
done
echo "Files written on Linux read and written back under Wine unchanged, and the other way round."
echo "Windows tests took $(($(date +%s) - started)) s (Wine prefix set up included)."
