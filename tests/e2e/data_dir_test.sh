#!/bin/sh
# Where an installed program keeps its files. The build is installed into a
# scratch DESTDIR; its bin directory is then made read-only (a read-only bind
# mount, which holds for root too), and the program started from there with a
# scratch HOME must keep tolm.dat and tolm.ini in the per-user directory.
# --help names the directory in use for each way of choosing it.
#   data_dir_test.sh <tolm> <e2e_fixture> <e2e_x11> <build dir>   (root, under an X server)
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

fixture_tool=$2
x11_tool=$3
build=$4

[ "$(id -u)" -eq 0 ] || { echo "SKIP: read-only bind mounts need root"; exit 77; }

make_work e2e

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null || fail "install failed"
bin="$work/root/usr/bin"
export HOME="$work/home"
unset XDG_DATA_HOME
mkdir -p "$HOME" "$work/portable"
per_user="$HOME/.local/share/Tolm"

# help_names <program> <expected text> [arguments...]
help_names() {
    program=$1
    expected=$2
    shift 2
    QT_QPA_PLATFORM=offscreen "$program" --help "$@" >"$work/help.txt" 2>&1 ||
        fail "$program --help failed: $(cat "$work/help.txt")"
    grep -qF -- "$expected" "$work/help.txt" ||
        fail "--help $* does not say: $expected
$(cat "$work/help.txt")"
}

cp "$bin/tolm" "$work/portable/tolm"
help_names "$work/portable/tolm" "$work/portable (beside the program)"
help_names "$bin/tolm" "$work/data (from --data-dir)" --data-dir "$work/data"

mount --bind "$bin" "$bin" && mounted=$bin && mount -o remount,bind,ro "$bin" ||
    fail "cannot make $bin read-only"
touch "$bin/probe" 2>/dev/null && fail "$bin is still writable"
help_names "$bin/tolm" "$per_user (per user"

# The installed program, started from its read-only directory, writes per user.
fixture_games="$work/games.dat"
"$fixture_tool" catalogue "$fixture_games" "Manic Miner.z80" || fail "cannot write a catalogue"
mkdir -p "$per_user"
cp "$fixture_games" "$per_user/tolm.dat"
printf '[FirstStart]\r\nEmulatorOffered=1\r\nMusicPlayerOffered=1\r\n' >"$per_user/tolm-extra.ini"
(cd "$work" && exec "$bin/tolm") >"$work/tolm.log" 2>&1 &
tolm_pid=$!
wait_for_start
close_and_wait
tolm_pid=""
[ -f "$per_user/tolm.ini" ] || fail "no tolm.ini in $per_user"
cmp -s "$fixture_games" "$per_user/tolm.dat" || fail "tolm.dat was not written back per user"
[ "$(ls "$bin")" = "tolm" ] || fail "files appeared beside the program: $(ls "$bin")"
note "files kept in $per_user"
echo "PASS"
