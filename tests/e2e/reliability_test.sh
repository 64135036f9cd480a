#!/bin/sh
# The real program where things go wrong around it:
#  - SIGTERM, SIGHUP or SIGINT (at start-up, after a change, with a box open)
#    end it through the normal close: the box is cancelled, both files are
#    written and nothing is left behind;
#  - a FIFO in place of tolm.ini and tolm.dat is reported, not waited on;
#  - a second start on the same files is refused while the first runs, and a
#    lock left by a killed copy is taken over, with the stale temporary files
#    of its interrupted save removed (and look-alikes kept);
#  - a read-only directory, where no lock can be made, still starts.
#   reliability_test.sh <tolm> <e2e_fixture> <e2e_x11>   (run under an X server)
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

tolm_program=$1
fixture_tool=$2
x11_tool=$3

make_work e2e
# Left running by a failure, the program is killed outright: asked to end,
# it would save into the directory being removed.
tolm_stop_signal=KILL

# A fresh program directory holding the two-game catalogue and settings.
fresh_app() {
    rm -rf "$work/app"
    prepare_app "game.tap"
    write_settings /bin/true "$work/"
    age_files
}

games_on_disk() {
    "$fixture_tool" games "$work/app/tolm.dat" | cut -d'|' -f1 | tr '\n' '|'
}

# Removes the list's first game through its pop-up menu; with "confirm" the
# question is answered Yes, otherwise it is left open.
remove_first_game() {
    xdotool mousemove --window "$main_window" 60 44 click 1
    sleep 0.3
    xdotool mousemove --window "$main_window" 60 44 click 3
    sleep 0.5
    # "Remove Selected", the third item, lies 56 pixels below the click.
    xdotool mousemove --window "$main_window" 140 100 click 1
    wait_for 5 find_window '"Game Removal":' || fail "no removal question appeared"
    if [ "$1" = confirm ]; then
        xdotool windowfocus --sync "$found" key Return
        wait_for 5 is_closed "$found" ||
            fail "the removal question stayed open"
    fi
}

# Sends signal $1 and expects the program to end with status $2.
signal_and_wait() {
    kill "-$1" "$tolm_pid"
    wait_for 20 tolm_gone || fail "the program did not end within 20 s of SIG$1"
    wait "$tolm_pid"
    status=$?
    tolm_pid=""
    [ "$status" -eq "$2" ] || fail "after SIG$1 the program exited with status $status, not $2"
}

written_back() {
    for file in tolm.ini tolm.dat; do
        [ "$(stat -c %Y "$work/app/$file")" != "$old_time" ] || fail "$file was not written at SIG$1"
    done
    for file in "$work/app"/*; do
        case "${file##*/}" in
        tolm | tolm.dat | tolm.ini | tolm-extra.ini | tolm-history.txt) ;;
        *) fail "file left beside the program after SIG$1: ${file##*/}" ;;
        esac
    done
}

# --- Signals -----------------------------------------------------------------
for signal in TERM HUP INT; do
    fresh_app
    start_and_wait
    remove_first_game confirm
    [ "$(games_on_disk)" = "Border Patrol|Border Patrol II|" ] || fail "the removal was saved early"
    if [ "$signal" = TERM ]; then
        remove_first_game leave-open # the second removal is cancelled by the end
    fi
    signal_and_wait "$signal" 0
    [ "$(games_on_disk)" = "Border Patrol II|" ] ||
        fail "after SIG$signal tolm.dat holds: $(games_on_disk)"
    written_back "$signal"
    note "SIG$signal: the change was written, an open question cancelled"
done

# During start-up: the splash finishes loading, then both files are written
# back as they were read (defaults written over them would lose the settings).
fresh_app
start_tolm
wait_for 20 find_window ' 240x192\+' || fail "no splash window appeared"
signal_and_wait TERM 0
[ "$(games_on_disk)" = "Border Patrol|Border Patrol II|" ] || fail "start-up end lost games"
tr -d '\r' <"$work/app/tolm.ini" | grep -qxF 'emu00=Test emulator' ||
    fail "SIGTERM during start-up lost the settings"
note "SIGTERM during start-up kept the catalogue and the settings"

# --- FIFOs in place of both files --------------------------------------------
rm -rf "$work/app"
mkdir -p "$work/app" && cp "$tolm_program" "$work/app/tolm" || fail "cannot copy the program"
mkfifo "$work/app/tolm.ini" "$work/app/tolm.dat" || fail "cannot make the FIFOs"
start_tolm
wait_for 20 find_window '"Settings not loaded":' || fail "a FIFO tolm.ini gave no message"
"$x11_tool" close "$found"
wait_for 20 find_window '"Invalid Database":' || fail "a FIFO tolm.dat gave no message"
"$x11_tool" close "$found"
wait_for 20 find_window '"Tolm v0\.3 beta":' || fail "the main window never appeared"
# Nothing is written over them: an unreadable settings file is left alone
# for the session, and a catalogue that was not loaded is not saved.
signal_and_wait TERM 0
[ -p "$work/app/tolm.ini" ] && [ -p "$work/app/tolm.dat" ] || fail "a FIFO was replaced"
note "FIFOs: reported at start-up, never opened blocking, never replaced"

# --- Two copies, a stale lock and stale temporary files ----------------------
fresh_app
start_and_wait
first_pid=$tolm_pid
cp "$work/app/tolm.dat" "$work/app/tolm.dat.tmp-0a1b2c3d" # a save in progress, for all we know
printf 'mine' >"$work/app/tolm.dat.tmp-0A1B2C3D"           # not a name the program makes
start_tolm
second_pid=$tolm_pid
wait_for 20 find_window '"Tolm":' || fail "a second start showed no message"
"$x11_tool" close "$found"
wait_for 20 tolm_gone || fail "the second copy did not end"
wait "$second_pid"
[ $? -eq 1 ] || fail "the second copy did not end with status 1"
[ -f "$work/app/tolm.dat.tmp-0a1b2c3d" ] || fail "the second copy removed a temporary file"
# The first copy dies without cleaning up; the next start takes its lock over.
kill -9 "$first_pid"
wait "$first_pid" 2>/dev/null
[ -f "$work/app/tolm.lock" ] || fail "the killed copy left no lock behind to test with"
start_and_wait
[ -f "$work/app/tolm.dat.tmp-0a1b2c3d" ] && fail "the stale temporary file was not removed"
[ "$(cat "$work/app/tolm.dat.tmp-0A1B2C3D")" = mine ] || fail "a look-alike file was removed"
signal_and_wait TERM 0
note "second start refused; stale lock taken over; only our temporary file removed"

# --- A read-only directory ---------------------------------------------------
fresh_app
if [ "$(id -u)" -eq 0 ]; then
    # Permissions do not stop root: a read-only mount does.
    ro="$work/ro"
    mkdir -p "$ro"
    if mount -t tmpfs -o size=64m tmpfs "$ro" 2>"$work/mount.err"; then
        mounted=$ro
        cp -p "$work/app/tolm" "$work/app/tolm.dat" "$work/app/tolm.ini" "$ro/" &&
            mount -o remount,ro "$ro" || fail "cannot make the read-only mount"
    else
        echo "SKIP read-only directory: cannot mount a tmpfs ($(cat "$work/mount.err"))"
        ro=""
    fi
else
    ro="$work/app"
    chmod a-w "$ro"
fi
if [ -n "$ro" ]; then
    (cd "$ro" && exec ./tolm) >"$work/tolm.log" 2>&1 &
    tolm_pid=$!
    wait_for_start
    signal_and_wait TERM 1
    grep -q 'Unable to save' "$work/tolm.log" || fail "the failed saves were not reported"
    [ -f "$ro/tolm.lock" ] && fail "a lock appeared in a read-only directory"
    "$fixture_tool" games "$ro/tolm.dat" >/dev/null || fail "tolm.dat was damaged"
    [ -n "$mounted" ] && umount "$mounted" && mounted=""
    chmod u+w "$work/app"
    note "read-only directory: started without a lock, failed saves reported"
fi

echo "PASS"
