#!/bin/sh
# The real program, driven from the keyboard as a user without a mouse
# would: Games > "Add Multiple...", the wizard's directory list to a
# prepared directory, Next, Select All, Add ROMs; then closing the window
# writes the new games to tolm.dat and their directory to tolm.ini. A
# TOSEC-named file gives its name, year and publisher; zipped and compressed
# files are listed and named like any other.
#   add_multiple_test.sh <tolm> <e2e_fixture> <e2e_x11>   (run under an X server)
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

tolm_program=$1
fixture_tool=$2
x11_tool=$3

make_work e2e

# The games beside what the wizard must not list: a hidden file, a
# subdirectory and a FIFO.
roms="$work/roms"
mkdir -p "$work/app" "$roms/sub" || fail "cannot make the directories"
for name in "Manic.z80" "Jet.Set.Willy.tap" "Readme.txt" ".hidden.tap" "sub/inside.tap" \
    "Manic Miner (1983)(Bug-Byte Software)[a].tzx.zip" "Knight.Lore.z80.gz" \
    "Chase H.Q. (1989)(Ocean Software)[128K].tap"; do
    printf 'x' >"$roms/$name"
done
mkfifo "$roms/pipe.tap" || fail "cannot make a FIFO"
cp "$tolm_program" "$work/app/tolm" || fail "cannot copy the program"

# The wizard opens where the program was started: $work/app.
start_and_wait

# Games > "Add Multiple...".
open_from_menu "Right Right Down Return" "Add multiple roms" || fail "Add Multiple did not open its wizard"
wizard=$found
note "wizard $wizard"
# Keys must reach the wizard, not the window it blocks.
xdotool windowfocus --sync "$wizard" || fail "the wizard could not take the keyboard focus"

# The directory list has the focus on the open directory (app): up to its
# parent and open it, then down past "app" to "roms" and open that; Enter
# on the open directory presses Next.
xdotool key --delay 200 Up Return Down Down Return
sleep 0.5
xdotool key Return
sleep 0.5
# On the file page the list has the focus: Tab to Cancel, to Select All,
# press it; Tab to Back, to Add ROMs, press it.
xdotool key --delay 200 Tab Tab space Tab Tab space
wait_for 10 is_closed "$wizard" || fail "the wizard did not close after Add ROMs"
tolm_gone && fail "the program ended while adding"

close_and_wait

[ -f "$work/app/tolm.dat" ] || fail "closing wrote no tolm.dat"
games=$("$fixture_tool" games "$work/app/tolm.dat") || fail "tolm.dat cannot be read back"
expected='Chase H.Q. [128K]|96|1989|Chase H.Q. (1989)(Ocean Software)[128K].tap|Ocean Software
Jet|96|0|Jet.Set.Willy.tap|
Knight|96|0|Knight.Lore.z80.gz|
Manic Miner [a]|96|1983|Manic Miner (1983)(Bug-Byte Software)[a].tzx.zip|Bug-Byte Software
Manic|96|0|Manic.z80|
Readme|96|0|Readme.txt|'
check_same "tolm.dat holds" "$games" "$expected"
note "tolm.dat holds the six games"

saved_ini_has '[RomPaths]' 'num=1' "path00=$roms/"
note "tolm.ini registers $roms/"
echo "PASS"
