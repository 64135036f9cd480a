#!/bin/sh
# The real program imports SGD data: an SGD directory beside the program
# holds two data files (one with a blank in its name), sgd.ini names the
# game directory in upper case as DOS wrote it. File > Import from SGD, the
# directory picked and both files imported with the keyboard, the window
# closed: tolm.dat must hold the games it had and the imported ones, the
# GameDir and every file that exists in their spelling on disk.
#   sgd_import_test.sh <tolm> <e2e_fixture> <e2e_x11>   (run under an X server)
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

tolm_program=$1
fixture_tool=$2
x11_tool=$3

make_work e2e

# One 252-byte SGD record: name, year, publisher, file, genre, directory
# index, authors; the fields the import skips stay blank.
sgd_record() {
    printf '%-37.37s%-5.5s%-37.37s%-14.14s%-13.13s%-8.8s%-4.4s%-32.32s%-102.102s' \
        "$1" "$2" "$3" "" "$4" "$5" "$6" "" "$7"
}

prepare_app "Border Patrol.tap"
mkdir -p "$work/app/SGD" "$work/games" || fail "cannot make the directories"
{
    sgd_record "Jet Set Willy" 1984 "Software Projects" JSW.TAP ARC 0 "Matthew Smith"
    sgd_record "Manic Miner" "19??" "Bug-Byte" MANIC.TAP "arc/adv" 0 ""
} >"$work/app/SGD/GAMES.DAT"
# "Café Quest", in Windows-1252; its directory index names no GameDir.
sgd_record "$(printf 'Caf\351 Quest')" 1986 "Dinamic" CAFE.Z80 adv 5 "" >"$work/app/SGD/my games.dat"
: >"$work/games/jsw.tap"
printf '[SGD]\r\nGameDir=%s/GAMES\r\n' "$work" >"$work/app/sgd.ini"

start_and_wait

# File > Import from SGD: the menu bar's first title, then its first item.
open_from_menu "Down Return" "Locate SGD Directory" || fail "the directory picker never appeared"
note "directory picker $found"

# The picker starts in the program's directory: Down highlights SGD, Enter
# opens it, Tab reaches OK.
xdotool key Down
sleep 0.3
xdotool key Return
sleep 0.5
xdotool key Tab
sleep 0.3
xdotool key Return
picker_closed() {
    ! find_window '"Locate SGD Directory":'
}
wait_for 10 picker_closed || fail "the directory picker did not close on OK"
wait_for 10 find_window '"Import SGD Data":' || fail "the import dialog never appeared"
import_window=$found
note "import dialog $import_window"

# The list has the focus: Space picks GAMES.DAT, Down and Space "my games.dat";
# Tab passes "Overwrite current data" (left unticked) to "Import Now".
xdotool key space
sleep 0.2
xdotool key Down
sleep 0.2
xdotool key space
sleep 0.2
xdotool key Tab
sleep 0.2
xdotool key Tab
sleep 0.2
xdotool key space
wait_for 20 is_closed "$import_window" || fail "the import dialog did not close after Import Now"
tolm_gone && fail "the program ended during the import"

close_and_wait
"$fixture_tool" games "$work/app/tolm.dat" >"$work/games.txt" || fail "tolm.dat cannot be read"
expected=$(
    printf '%s\n' "Border Patrol|12|1984|Border Patrol.tap|Tolm Test Soft" \
        "Border Patrol II|40|0|Border Patrol.tap|" \
        "Jet Set Willy|15|1984|$work/games/jsw.tap|Software Projects" \
        "Manic Miner|16|19|$work/games/MANIC.TAP|Bug-Byte" \
        "$(printf 'Caf\303\251 Quest')|29|1986|CAFE.Z80|Dinamic"
)
check_same "tolm.dat holds" "$(cat "$work/games.txt")" "$expected"
note "tolm.dat holds the two games it had and the three imported"
echo "PASS"
