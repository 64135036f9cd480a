#!/bin/sh
# The real program with a fake emulator: start-up shows the splash and then
# the main window, a double click on a game starts the default emulator with
# the game's full path as its one argument (a path with a blank in it), and
# closing the window writes the settings and the catalogue back, with the
# play history: the start and the second the emulator ran.
#   launch_test.sh <tolm> <e2e_fixture> <e2e_x11>   (run under an X server)
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

tolm_program=$1
fixture_tool=$2
x11_tool=$3

make_work e2e

rom_dir="$work/my games/"
rom_name="Border Patrol.tap"
emulator="$work/emulator/fake emulator"
mkdir -p "$rom_dir" "$work/emulator" || fail "cannot make the directories"
printf 'not really a tape' >"$rom_dir$rom_name"
write_fake_emulator "$emulator"
echo 'sleep 1' >>"$emulator" # an emulator that runs for a second

prepare_app "$rom_name"
write_settings "$emulator" "$rom_dir"
age_files

start_and_wait

emulator_ran() {
    [ -f "$work/emulator/args" ]
}
double_click_first_row emulator_ran || fail "double-clicking the game started no emulator"
check_emulator_got "$work/emulator/args" "$rom_dir$rom_name"
note "emulator got exactly: $rom_dir$rom_name"

# The program does not wait for its emulator and stays usable.
tolm_gone && fail "the program ended after starting the emulator"
is_viewable "$main_window" || fail "the main window went away after starting the emulator"

# The program sees the emulator end (its argument file came before its second).
sleep 3
before_close=$(date +%s)
close_and_wait
check_saved_files "$emulator" "$rom_dir"
note "settings and catalogue written back"

history="$work/app/tolm-history.txt"
[ -f "$history" ] || fail "no play history written on close"
entry=$(tr -d '\r' <"$history" | grep -v '^#' | sed 1d)
case "$entry" in
"0	1	"*"	1	Border Patrol	$rom_name") ;;
*) fail "the play history holds:
$(cat "$history")" ;;
esac
last=$(printf '%s' "$entry" | cut -f3)
[ "$last" -le "$before_close" ] && [ "$last" -ge $((before_close - 60)) ] ||
    fail "last played $last is not the time of the start (closed at $before_close)"
note "play history: $entry"
echo "PASS"
