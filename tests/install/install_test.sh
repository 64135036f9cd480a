#!/bin/sh
# Installs the build into a scratch DESTDIR the way `make install` does, checks
# every installed file, validates the desktop entry, then uninstalls.
# Usage: install_test.sh <build dir> <source dir>
set -eu
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR="$work/root" cmake --install "$build" --prefix /opt/tolm-test >"$work/install.log" ||
    { cat "$work/install.log" >&2; fail "cmake --install failed"; }
root="$work/root/opt/tolm-test"

[ -x "$root/bin/tolm" ] || fail "the program is not installed as bin/tolm"
entry="$root/share/applications/tolm.desktop"
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "desktop-file-validate refused the entry"
grep -qx 'Exec=tolm %F' "$entry" || fail "the entry does not start 'tolm %F'"
grep -qx 'Categories=Game;Emulator;' "$entry" || fail "the entry's categories are wrong"

# Each icon is a PNG of its own size: width and height are bytes 16-23 of the file.
for side in 16 32 48 64 128 256; do
    icon="$root/share/icons/hicolor/${side}x${side}/apps/tolm.png"
    [ -f "$icon" ] || fail "no ${side}px icon"
    expected=$(printf '%08x%08x' "$side" "$side")
    actual=$(od -An -tx1 -j16 -N8 "$icon" | tr -d ' \n')
    [ "$actual" = "$expected" ] || fail "${side}px icon is $actual, not $expected"
done

count=$(find "$work/root" -type f | wc -l)
[ "$count" -eq 8 ] || { find "$work/root" -type f >&2; fail "expected 8 installed files, found $count"; }

sh "$source/tools/uninstall.sh" "$root" >/dev/null
left=$(find "$work/root" -type f | wc -l)
[ "$left" -eq 0 ] || { find "$work/root" -type f >&2; fail "uninstall left $left files"; }
echo "install and uninstall: 8 files checked"
