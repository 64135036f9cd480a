#!/bin/sh
# The real program, driven from the keyboard as a user would: the Emulators
# dialog registers a prepared program (picked in the file dialog, named in the
# name box) and makes it the default; after Close, a double click on a game
# starts that program with the game's full path as its one argument, and
# closing the window writes the emulator into tolm.ini.
#   emulators_dialog_test.sh <tolm> <e2e_fixture> <e2e_x11> [screenshot dir]
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

tolm_program=$1
fixture_tool=$2
x11_tool=$3
shots=${4:-}

make_work e2e

rom_dir="$work/roms/"
rom_name="Border Patrol.tap"
emulator="$work/emulators/my emu"
mkdir -p "$rom_dir" "$work/emulators" || fail "cannot make the directories"
printf 'not really a tape' >"$rom_dir$rom_name"
write_fake_emulator "$emulator"

prepare_app "$rom_name"
cat >"$work/app/tolm.ini" <<INI
[tolm]
winstate=0
winw=800
winh=640
winx=0
winy=0
[RomPaths]
num=1
path00=$rom_dir
INI

shot() {
    [ -n "$shots" ] && import -window root "$shots/$1.png"
}

# Sends keys to the window that has the focus, a little apart.
keys() {
    xdotool key --delay 150 "$@"
}

start_and_wait
xdotool windowactivate --sync "$main_window" 2>/dev/null || xdotool windowfocus "$main_window"

# Emulators > Speccy Emulators: Alt enters the menu bar, the fourth title
# is "Emulators".
keys alt Right Right Right Down Return
wait_for 20 find_window '"Emulators":' || fail "the Emulators dialog did not open"
dialog=$found
# A window that has just appeared may not have the keyboard yet.
sleep 0.5
note "emulators dialog $dialog"
shot emulators-empty

# Add: the list has the focus, Add is next.
keys Tab space
wait_for 10 find_window '"Select an Emulator":' || fail "no file dialog titled Select an Emulator"
sleep 0.5
shot emulators-file-dialog
xdotool type --delay 20 "$emulator"
keys Return
wait_for 10 find_window '"Name that Emulator":' || fail "no name box titled Name that Emulator"
sleep 0.5
shot emulators-name-box
keys ctrl+a
xdotool type --delay 20 "Prepared emulator"
keys Return
wait_for 10 sh -c "! xwininfo -root -children | grep -q '\"Name that Emulator\":'" ||
    fail "the name box stayed open"

# Click the new row (the list fills the dialog's left side), then Set Default
# from the keyboard: the list, Add, Remove, Set Default.
xdotool mousemove --window "$dialog" 40 20 click 1
sleep 0.3
keys Tab Tab Tab space
sleep 0.5
shot emulators-default
# Close sits in the dialog's bottom right corner.
width=$(xwininfo -id "$dialog" | sed -n 's/^ *Width: //p')
height=$(xwininfo -id "$dialog" | sed -n 's/^ *Height: //p')
xdotool mousemove --window "$dialog" $((width - 40)) $((height - 22)) click 1
wait_for 10 is_closed "$dialog" ||
    fail "the Emulators dialog did not close"

emulator_ran() {
    [ -f "$work/emulators/args" ]
}
double_click_first_row emulator_ran || fail "double-clicking the game started no emulator"
check_emulator_got "$work/emulators/args" "$rom_dir$rom_name"
note "the registered emulator got exactly: $rom_dir$rom_name"

close_and_wait
saved_ini_has 'Defaultemu=0' '[emulators]' 'num=1' 'emu00=Prepared emulator' "file00=$emulator" \
    '[RomPaths]' "path00=$rom_dir"
note "tolm.ini holds the emulator as the default"
echo "PASS"
