#!/bin/sh
# The real program pointed at a ZXDB script, as a user would: a catalogue of
# bare names, Games > "Fill In from ZXDB..." with no index yet opens the ZXDB
# window, whose Read Script... takes the zipped script (the sample the
# committed script made with a real MariaDB server); the fill-in then lists
# what ZXDB proposes and Apply takes it. Closing writes tolm.dat, read back
# here, and the index stays in the data directory.
#   zxdb_fill_in_test.sh <tolm> <e2e_fixture> <e2e_x11> <zipped script>
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

tolm_program=$1
fixture_tool=$2
x11_tool=$3
script_zip=$4

make_work e2e
mkdir -p "$work/app" || fail "cannot make the directories"
cp "$tolm_program" "$work/app/tolm" || fail "cannot copy the program"
cp "$script_zip" "$work/ZXDB_mysql.sql.zip" || fail "cannot copy the script"
"$fixture_tool" bare "$work/app/tolm.dat" "Manic Miner [a]|Manic Miner [a].tzx" \
    "Rambo 3|rambo.z80" "The Hobbit|hobbit.tzx" "JSW|JetSetWilly.tap" "Tetris|tetris.tap" \
    "Nothing Known|nothing.tap" || fail "cannot write the catalogue"

start_and_wait

# Games > "Fill In from ZXDB..." (the seventh item).
open_from_menu "Right Right Down Down Down Down Down Down Return" "ZXDB Database" ||
    fail "Fill In from ZXDB without an index did not open the ZXDB window"
zxdb_window=$found
xdotool windowfocus --sync "$zxdb_window" || fail "the ZXDB window could not take the focus"
# Enter presses Read Script...; the file box takes the typed path.
xdotool key Return
wait_for 10 find_window '"Read a ZXDB Script":' || fail "Read Script... opened no file box"
xdotool windowfocus --sync "$found"
xdotool key ctrl+a
xdotool type --delay 20 "$work/ZXDB_mysql.sql.zip"
xdotool key Return
wait_for 20 test -s "$work/app/tolm-zxdb.idx" || fail "no index was written"
sleep 1
xdotool windowfocus --sync "$zxdb_window"
xdotool key Escape
wait_for 10 find_window '"Fill In from ZXDB":' || fail "the fill-in window did not follow"
fill_window=$found
xdotool windowfocus --sync "$fill_window"
xdotool key Return
wait_for 10 is_closed "$fill_window" || fail "Apply did not close the fill-in window"
tolm_gone && fail "the program ended while filling in"

close_and_wait

games=$("$fixture_tool" games "$work/app/tolm.dat") || fail "tolm.dat cannot be read back"
# Tetris has two candidates, left for the user to pick; nothing is known of the last.
expected='Manic Miner [a]|9|1983|Manic Miner [a].tzx|Bug-Byte Software Ltd
Rambo 3|129|1988|rambo.z80|Ocean Software Ltd
The Hobbit|28|1982|hobbit.tzx|Melbourne House
JSW|9|1984|JetSetWilly.tap|Software Projects Ltd
Tetris|96|0|tetris.tap|
Nothing Known|96|0|nothing.tap|'
check_same "tolm.dat holds" "$games" "$expected"
[ -s "$work/app/tolm-zxdb.idx" ] || fail "the index is gone"
echo "PASS"
