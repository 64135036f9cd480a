#!/bin/sh
# Our Spectrum files against tools nobody here wrote: snapconv turns the
# snapshot we make into .z80 and .szx, tzxlist reads the tape we make, and
# every one of those files must give back the same screen through our reader.
# Then real Fuse runs the converted .z80 and shows that screen.
#   screen_tools_test.sh <screen_probe> <e2e_x11>   (run under an X server)
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

probe=$1
x11_tool=$2

needs_fuse
for tool in snapconv tzxlist; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed (fuse-emulator-utils)"
done

make_work screens

"$probe" files "$work" || fail "cannot make the files"
for kind in z80 szx; do
    snapconv "$work/game.sna" "$work/game.$kind" >"$work/snapconv.log" 2>&1 ||
        fail "snapconv to .$kind failed: $(cat "$work/snapconv.log")"
done

# tzxlist must read our tape as a standard loader would: four standard-speed
# blocks, the screen's header and its 6914-byte block, every checksum good.
tzxlist "$work/game.tzx" >"$work/tzxlist.log" 2>&1 || fail "tzxlist failed: $(cat "$work/tzxlist.log")"
[ "$(grep -c 'Standard Speed Data' "$work/tzxlist.log")" -eq 4 ] || fail "tzxlist does not see four data blocks"
[ "$(grep -c '(PASS)' "$work/tzxlist.log")" -eq 4 ] || fail "tzxlist reports a bad checksum"
grep -q 'SCREEN\$  16384, 6912' "$work/tzxlist.log" || fail "tzxlist sees no SCREEN\$ header"
grep -q 'Block length: 6914 bytes' "$work/tzxlist.log" || fail "tzxlist sees no 6914-byte block"

# tzxlist reads the archive info we write as we read it back: the same
# texts, the title's Windows-1252 0xE9 byte shown by both as UTF-8 "é".
tzxlist "$work/info.tzx" >"$work/info.log" 2>&1 || fail "tzxlist failed on info.tzx: $(cat "$work/info.log")"
grep -q 'Archive Info' "$work/info.log" || fail "tzxlist sees no archive info: $(cat "$work/info.log")"
"$probe" info >"$work/info.expected" || fail "no archive info expected"
"$probe" info "$work/info.tzx" >"$work/info.read" || fail "info.tzx gives no archive info"
cmp -s "$work/info.expected" "$work/info.read" ||
    fail "info.tzx reads as $(cat "$work/info.read"), expected $(cat "$work/info.expected")"
while IFS= read -r text; do
    grep -qF ": $text" "$work/info.log" || fail "tzxlist does not show \"$text\": $(cat "$work/info.log")"
done <"$work/info.read"
note "tzxlist and our reader agree on info.tzx: $(tr '\n' '|' <"$work/info.read")"

# The library unpacks compressed files itself; in a zip it reads the first
# game file, whatever comes before it.
gzip -c "$work/game.z80" >"$work/game.z80.gz" || fail "gzip failed"
printf 'Read me\n' >"$work/readme.txt"
(cd "$work" && zip -q game.tzx.zip readme.txt game.tzx) || fail "zip failed"

expected=$("$probe" expected)
for file in game.sna game.z80 game.szx game.tap game.tzx info.tzx game.scr game.z80.gz game.tzx.zip; do
    shown=$("$probe" show "$work/$file") || fail "$file gives no screen"
    [ "$shown" = "$expected" ] || fail "$file shows another screen ($shown, expected $expected)"
    note "$file: $shown"
done
note "snapconv made a $(stat -c %s "$work/game.z80")-byte .z80 and a $(stat -c %s "$work/game.szx")-byte .szx"

# Fuse runs the converted snapshot: the patterned screen's cells down the
# middle of the window (column 16) show black ink on red and yellow paper,
# bright and not, where the ROM's own screen has two colours there.
write_fuserc "$work/home"
HOME="$work/home" SDL_AUDIODRIVER=dummy "$fuse" "$work/game.z80" >"$work/fuse.log" 2>&1 &
fuse_pid=$!
wait_for 20 find_window '"Fuse' || fail "Fuse opened no window: $(cat "$work/fuse.log")"
fuse_window=$found
screen_colours() {
    n=$("$x11_tool" colours "$fuse_window" 160 2>/dev/null) && [ "${n:-0}" -ge 5 ]
}
wait_for 10 screen_colours || fail "Fuse never showed the snapshot's screen (${n:-0} colours down the middle)"
note "Fuse shows the converted .z80 ($n colours down the middle)"
kill "$fuse_pid"
fuse_pid=""
echo "PASS"
