#!/bin/sh
# The real program with a real emulator: Fuse (fuse-sdl) is the default
# emulator; a double click on a game whose file is a 48K snapshot we build
# here starts Fuse with the snapshot's full path as its argument, Fuse runs
# it (the border shows the code's colour bands), and after Fuse is ended the
# program closes cleanly.
#   fuse_test.sh <tolm> <e2e_fixture> <e2e_x11>   (run under an X server)
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

tolm_program=$1
fixture_tool=$2
x11_tool=$3

needs_fuse
command -v pasmo >/dev/null 2>&1 || fail "pasmo is not installed"

make_work e2e

rom_dir="$work/snapshots/"
rom_name="Border Stripes.sna"
mkdir -p "$rom_dir" || fail "cannot make the directories"
pasmo --bin "$here/border.asm" "$work/border.bin" >"$work/pasmo.log" 2>&1 ||
    fail "pasmo failed: $(cat "$work/pasmo.log")"
"$fixture_tool" sna "$work/border.bin" "$rom_dir$rom_name" || fail "cannot build the snapshot"
[ "$(stat -c %s "$rom_dir$rom_name")" -eq 49179 ] || fail "the snapshot is not 27 + 49152 bytes"

write_fuserc "$work/home"
# The program hands its environment on to what it starts.
HOME="$work/home"
SDL_AUDIODRIVER=dummy
export HOME SDL_AUDIODRIVER

prepare_app "$rom_name"
write_settings "$fuse" "$rom_dir"
age_files

start_and_wait

# Sets fuse_pid to the fuse-sdl process started with exactly our snapshot.
fuse_started() {
    for pid in $(pgrep -x fuse-sdl); do
        arguments=$(tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null)
        if [ "$arguments" = "$(printf '%s\n%s' "$fuse" "$rom_dir$rom_name")" ]; then
            fuse_pid=$pid
            return 0
        fi
    done
    return 1
}
double_click_first_row fuse_started || fail "double-clicking the game did not start Fuse with the snapshot"
note "fuse-sdl $fuse_pid started with: $rom_dir$rom_name"

wait_for 20 find_window '"Fuse' || fail "Fuse opened no window"
fuse_window=$found
note "Fuse window $fuse_window"

# The snapshot runs: the loop paints bands of several colours down the
# border, where the ROM alone would show one colour. Column 4 is border.
border_colours() {
    n=$("$x11_tool" colours "$fuse_window" 4 2>/dev/null) && [ "${n:-0}" -ge 4 ]
}
wait_for 10 border_colours || fail "the snapshot's colour bands never showed in Fuse's border"
note "Fuse runs the snapshot ($n colours down the border)"

tolm_gone && fail "the program ended while Fuse ran"
kill "$fuse_pid" || fail "cannot end Fuse"
fuse_ended() {
    ! kill -0 "$fuse_pid" 2>/dev/null
}
wait_for 10 fuse_ended || fail "Fuse did not end on SIGTERM"
fuse_pid=""

is_viewable "$main_window" || fail "the main window went away"
close_and_wait
check_saved_files "$fuse" "$rom_dir"
note "settings and catalogue written back"
echo "PASS"
