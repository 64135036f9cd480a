# Shared by the end-to-end scripts (sourced, POSIX sh). The caller makes
# its scratch directory with make_work and sets `tolm_program`,
# `fixture_tool` and `x11_tool` before calling anything else here.
# shellcheck disable=SC2154

# make_work <kind>: makes the scratch directory `work`
# (tolm-<kind>.XXXXXX). On any exit, what the script
# started and noted in `fuse_pid`, `tolm_pid` or `registry_pid` is stopped
# (Fuse at once; the program with `tolm_stop_signal`, TERM unless set), a
# mount noted in `mounted` is undone, and then the directory is removed.
make_work() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/tolm-$1.XXXXXX") || exit 1
    tolm_pid=""
    fuse_pid=""
    registry_pid=""
    mounted=""
    trap clean_up_work EXIT
    trap 'exit 1' INT TERM
}

clean_up_work() {
    [ -n "$fuse_pid" ] && kill -9 "$fuse_pid" 2>/dev/null
    [ -n "$tolm_pid" ] && kill "-${tolm_stop_signal:-TERM}" "$tolm_pid" 2>/dev/null
    [ -n "$registry_pid" ] && kill "$registry_pid" 2>/dev/null
    [ -n "$mounted" ] && umount "$mounted" 2>/dev/null
    rm -rf "$work"
}

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${work:-}" ] && [ -s "$work/tolm.log" ]; then
        echo "--- program output ---" >&2
        cat "$work/tolm.log" >&2
    fi
    exit 1
}

note() {
    echo "# $*"
}

# wait_for <seconds> <command...>: polls every 0.1 s until the command succeeds.
wait_for() {
    limit=$(($1 * 10))
    shift
    tries=0
    while ! "$@"; do
        tries=$((tries + 1))
        [ "$tries" -ge "$limit" ] && return 1
        sleep 0.1
    done
    return 0
}

# Top-level windows currently mapped, one "id geometry name" line each.
list_windows() {
    xwininfo -root -children 2>/dev/null | sed -n 's/^ *\(0x[0-9a-f]*\) \(.*\)$/\1 \2/p'
}

is_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Sets `found` to the first viewable top-level window whose xwininfo line
# matches the extended regular expression $1.
find_window() {
    found=""
    for id in $(list_windows | grep -E -- "$1" | cut -d' ' -f1); do
        if is_viewable "$id"; then
            found=$id
            return 0
        fi
    done
    return 1
}

# Starts the program copied into $work/app, its output to $work/tolm.log.
start_tolm() {
    # Not a first start: an offer of an emulator or music player found on
    # this machine's PATH would stand in front of the window.
    [ -f "$work/app/tolm-extra.ini" ] ||
        printf '[FirstStart]\r\nEmulatorOffered=1\r\nMusicPlayerOffered=1\r\n' >"$work/app/tolm-extra.ini"
    (cd "$work/app" && exec ./tolm) >"$work/tolm.log" 2>&1 &
    tolm_pid=$!
}

tolm_gone() {
    ! kill -0 "$tolm_pid" 2>/dev/null
}

is_closed() {
    ! is_viewable "$1"
}

# Waits for the splash (240 x 192) and then the main window; sets `main_window`.
wait_for_start() {
    wait_for 20 find_window ' 240x192\+' || fail "no splash window of 240x192 appeared"
    note "splash $found"
    wait_for 20 find_window '"Tolm v0\.3 beta":' || fail "the main window never appeared"
    main_window=$found
    tolm_gone && fail "the program ended during start-up"
    note "main window $main_window"
}

start_and_wait() {
    start_tolm
    wait_for_start
}

# open_from_menu <keys> <title>: opens the menu bar with a click on its first
# title, walks it with <keys> (xdotool key names, blank-separated) and waits
# for the window titled <title>, setting `found`. On a busy machine the first
# try may come too early: a menu left open is closed and the walk repeated.
open_from_menu() {
    tries=0
    while [ "$tries" -lt 5 ]; do
        tries=$((tries + 1))
        xdotool windowfocus --sync "$main_window" 2>/dev/null
        xdotool mousemove --window "$main_window" 20 10 click 1
        sleep 0.5
        # shellcheck disable=SC2086 # the keys are separate words
        xdotool key --delay 150 $1
        wait_for 5 find_window "\"$2\":" && return 0
        xdotool key Escape Escape
        sleep 0.5
    done
    return 1
}

# Double-clicks where the list's first row lies, lower and lower until
# `$@` (a check that the launch happened) succeeds. The list sits at the
# top-left of the client area under the menu bar; its header, then the
# first row, follow. A double click on the header only re-sorts and one
# on empty list space does nothing, so stepping down is harmless.
double_click_first_row() {
    y=44
    while [ "$y" -le 140 ]; do
        xdotool mousemove --window "$main_window" 60 "$y" click --repeat 2 --delay 120 1
        if wait_for 2 "$@"; then
            note "double-clicked at (60, $y)"
            return 0
        fi
        y=$((y + 8))
    done
    return 1
}

# Closes the main window the way a desktop does and waits for the process.
close_and_wait() {
    "$x11_tool" close "$main_window" || fail "could not send WM_DELETE_WINDOW"
    wait_for 20 tolm_gone || fail "the program did not end within 20 s of closing its window"
    wait "$tolm_pid"
    status=$?
    [ "$status" -eq 0 ] || fail "the program exited with status $status"
}

# Writes $work/app/tolm.ini: one emulator ($1, default) and the ROM directory $2.
write_settings() {
    cat >"$work/app/tolm.ini" <<INI
[tolm]
winstate=0
winw=800
winh=640
winx=0
winy=0
Defaultemu=0
Defaultmplayer=-99
SSLocation=0
SSSize=0
[emulators]
num=1
emu00=Test emulator
file00=$1
[RomPaths]
num=1
path00=$2
INI
}

# check_same <what> <actual> <expected>: fails, showing both, unless they are equal.
check_same() {
    [ "$2" = "$3" ] || fail "$1:
$2
expected:
$3"
}

# saved_ini_has <line...>: $work/app/tolm.ini, read without its CRs into
# $work/saved.ini (`ini`), holds each line whole.
saved_ini_has() {
    ini="$work/saved.ini"
    tr -d '\r' <"$work/app/tolm.ini" >"$ini" || fail "tolm.ini is gone"
    for line in "$@"; do
        grep -qxF -- "$line" "$ini" || fail "tolm.ini lacks the line: $line
$(cat "$ini")"
    done
}

# write_fake_emulator <path>: a program that writes its argument count and
# then its arguments, one a line, to `args` beside itself.
write_fake_emulator() {
    cat >"$1" <<SCRIPT
#!/bin/sh
{ echo "\$#"; for argument in "\$@"; do echo "\$argument"; done; } >"${1%/*}/args.tmp"
mv "${1%/*}/args.tmp" "${1%/*}/args"
SCRIPT
    chmod +x "$1"
}

# check_emulator_got <args file> <path>: the fake emulator got exactly <path>.
check_emulator_got() {
    check_same "the emulator got (count, then arguments)" "$(cat "$1")" "$(printf '1\n%s' "$2")"
}

# Checks what closing wrote: the settings with the emulator and the path,
# and the catalogue rewritten (a new file) with the records it was given.
check_saved_files() {
    saved_ini_has '[tolm]' 'winstate=0' 'Defaultemu=0' 'Defaultmplayer=-99' \
        '[emulators]' 'num=1' 'emu00=Test emulator' "file00=$1" \
        '[RomPaths]' "path00=$2"
    for key in winw winh winx winy; do
        grep -qE "^$key=-?[0-9]+(\.[0-9]+)?$" "$ini" || fail "tolm.ini lacks a numeric $key"
    done
    grep -qxF '[musicplayers]' "$ini" && fail "tolm.ini has a section for an empty list"
    [ "$(grep -c '^\[tolm\]$' "$ini")" -eq 1 ] || fail "tolm.ini holds [tolm] more than once"

    for file in tolm.ini tolm.dat; do
        [ "$(stat -c %Y "$work/app/$file")" != "$old_time" ] || fail "$file was not rewritten on close"
    done
    cmp -s "$work/expected.dat" "$work/app/tolm.dat" ||
        fail "tolm.dat was not written back with the records it loaded"
    for file in "$work/app"/* "$work/app"/.[!.]*; do
        case "${file##*/}" in
        tolm | tolm.dat | tolm.ini | tolm-extra.ini | tolm-history.txt | '*' | '.[!.]*') ;;
        *) fail "file left beside the program: ${file##*/}" ;;
        esac
    done
}

# Copies the program and writes the catalogue naming ROM file $1.
prepare_app() {
    mkdir -p "$work/app" || fail "cannot make $work/app"
    cp "$tolm_program" "$work/app/tolm" || fail "cannot copy the program"
    "$fixture_tool" catalogue "$work/app/tolm.dat" "$1" || fail "cannot write tolm.dat"
    cp "$work/app/tolm.dat" "$work/expected.dat"
}

# Dates both files far back, so that a rewrite shows in their times.
age_files() {
    old_time=946684800
    touch -d "@$old_time" "$work/app/tolm.ini" "$work/app/tolm.dat"
}

# needs_fuse: sets `fuse` and `rom48`, failing when either is not installed.
needs_fuse() {
    fuse=/usr/bin/fuse-sdl
    rom48=/usr/share/spectrum-roms/opense.rom
    for needed in "$fuse" "$rom48"; do
        [ -e "$needed" ] || fail "$needed is not installed"
    done
}

# write_fuserc <home>: Fuse reads its settings from $HOME/.fuserc (XML, root
# element "settings"). The 48K ROM from opense-basic, no sound device, and no
# confirmation dialog, so that SIGTERM ends it; settings are not saved back.
write_fuserc() {
    mkdir -p "$1" || fail "cannot make $1"
    cat >"$1/.fuserc" <<XML
<?xml version="1.0"?>
<settings>
  <machine>48</machine>
  <rom48>$rom48</rom48>
  <sound>0</sound>
  <confirmactions>0</confirmactions>
  <autosavesettings>0</autosavesettings>
</settings>
XML
}
