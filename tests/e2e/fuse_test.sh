#!/bin/sh
# The real program with a real emulator: Fuse (fuse-sdl) is the default
# emulator; a double click on a game whose file we build here starts Fuse
# with the file's full path as its argument, Fuse runs it (the border shows
# the code's colour bands), and after Fuse is ended the program closes
# cleanly. The files: a 48K snapshot, the same as a zipped .z80, and a
# gzipped tape with a BASIC loader; the archives are passed on unchanged.
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

command -v zip >/dev/null 2>&1 || fail "zip is not installed"
command -v snapconv >/dev/null 2>&1 || fail "snapconv (fuse-emulator-utils) is not installed"
rom_dir="$work/snapshots/"
mkdir -p "$rom_dir" || fail "cannot make the directories"
pasmo --bin "$here/border.asm" "$work/border.bin" >"$work/pasmo.log" 2>&1 ||
    fail "pasmo failed: $(cat "$work/pasmo.log")"
"$fixture_tool" sna "$work/border.bin" "${rom_dir}Border Stripes.sna" || fail "cannot build the snapshot"
[ "$(stat -c %s "${rom_dir}Border Stripes.sna")" -eq 49179 ] || fail "the snapshot is not 27 + 49152 bytes"
# The same program as a .z80 inside a zip, and as a tape whose BASIC loader
# runs it (an END with the start address asks pasmo for RANDOMIZE USR).
snapconv "${rom_dir}Border Stripes.sna" "$work/Border Stripes.z80" >"$work/snapconv.log" 2>&1 ||
    fail "snapconv failed: $(cat "$work/snapconv.log")"
(cd "$work" && zip -q "${rom_dir}Border Stripes.z80.zip" "Border Stripes.z80") || fail "zip failed"
{ cat "$here/border.asm" && printf '        end start\n'; } >"$work/border_tape.asm"
pasmo --tapbas "$work/border_tape.asm" "$work/Border Stripes.tap" >"$work/pasmo.log" 2>&1 ||
    fail "pasmo failed: $(cat "$work/pasmo.log")"
gzip -c "$work/Border Stripes.tap" >"${rom_dir}Border Stripes.tap.gz" || fail "gzip failed"

write_fuserc "$work/home"
# The program hands its environment on to what it starts.
HOME="$work/home"
SDL_AUDIODRIVER=dummy
export HOME SDL_AUDIODRIVER

# Sets fuse_pid to the fuse-sdl process started with exactly our file.
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

# The file runs: the loop paints bands of several colours down the border,
# where the ROM alone would show one colour (and a tape's loading stripes
# at most five). Column 4 is border.
border_colours() {
    n=$("$x11_tool" colours "$fuse_window" 4 2>/dev/null) && [ "${n:-0}" -ge "$bands" ]
}

fuse_ended() {
    ! kill -0 "$fuse_pid" 2>/dev/null
}

for rom_name in "Border Stripes.sna" "Border Stripes.z80.zip" "Border Stripes.tap.gz"; do
    prepare_app "$rom_name"
    write_settings "$fuse" "$rom_dir"
    age_files

    start_and_wait
    double_click_first_row fuse_started || fail "double-clicking the game did not start Fuse with $rom_name"
    note "fuse-sdl $fuse_pid started with: $rom_dir$rom_name"

    wait_for 20 find_window '"Fuse' || fail "Fuse opened no window for $rom_name"
    fuse_window=$found
    note "Fuse window $fuse_window"

    bands=4
    case "$rom_name" in
    *.tap.gz)
        bands=6
        # Fuse inserts the tape; OpenSE BASIC takes its keywords typed out,
        # and Fuse's Symbol Shift (Ctrl) with P gives the quote.
        sleep 2
        xdotool windowfocus --sync "$fuse_window" 2>/dev/null
        xdotool key --delay 150 l o a d space ctrl+p ctrl+p Return ||
            fail "cannot type LOAD \"\" into Fuse"
        ;;
    esac
    wait_for 20 border_colours || fail "the colour bands of $rom_name never showed in Fuse's border"
    note "Fuse runs $rom_name ($n colours down the border)"

    tolm_gone && fail "the program ended while Fuse ran"
    kill "$fuse_pid" || fail "cannot end Fuse"
    wait_for 10 fuse_ended || fail "Fuse did not end on SIGTERM"
    fuse_pid=""

    is_viewable "$main_window" || fail "the main window went away"
    close_and_wait
    check_saved_files "$fuse" "$rom_dir"
    note "settings and catalogue written back"
done
echo "PASS"
