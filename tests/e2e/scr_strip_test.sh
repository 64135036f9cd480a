#!/bin/sh
# The real program shows a Spectrum .scr screenshot in its strip: with View
# on and the game selected, the window holds the screen's three paper bands
# exactly, 256 pixels wide and 64 high each, one under the other.
#   scr_strip_test.sh <tolm> <screen_probe> <e2e_x11>   (run under an X server)
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

tolm_program=$1
probe=$2
x11_tool=$3

make_work e2e

mkdir -p "$work/app" "$work/shots" || fail "cannot make the directories"
cp "$tolm_program" "$work/app/tolm" || fail "cannot copy the program"
"$probe" banded "$work/shots" || fail "cannot write the screen"
mv "$work/shots/tolm.dat" "$work/app/tolm.dat"
cat >"$work/app/tolm.ini" <<INI
[tolm]
winstate=0
winw=900
winh=700
winx=0
winy=0
SSLocation=0
SSSize=0
[ScreenshotPaths]
num=1
path00=$work/shots/
INI

start_and_wait

# Screen Shots > View: the menu's title follows "File" in the menu bar.
band() {
    box=$("$x11_tool" box "$main_window" "$1") && [ "$box" != none ]
}
y=44
while [ "$y" -le 140 ] && ! band 00ff00; do
    xdotool mousemove --window "$main_window" 60 "$y" click 1
    sleep 0.3
    y=$((y + 8))
done
# The strip shows once View is checked.
if ! band 00ff00; then
    xdotool mousemove --window "$main_window" 70 10 click 1
    sleep 0.5
    xdotool mousemove --window "$main_window" 80 34 click 1
    wait_for 5 band 00ff00 || fail "no bright green band showed after View"
fi
green=$box
band d70000 || fail "no red band"
red=$box
band 0000d7 || fail "no blue band"
blue=$box
note "green $green, red $red, blue $blue"

set -- $green
gx=$1 gy=$2
[ "$green" = "$gx $gy 256 64 16384" ] || fail "the green band is not 256 x 64: $green"
[ "$red" = "$gx $((gy - 64)) 256 64 16384" ] || fail "the red band is not right above: $red"
[ "$blue" = "$gx $((gy + 64)) 256 64 16384" ] || fail "the blue band is not right below: $blue"
note "the .scr shows at ($gx, $((gy - 64))), 256 x 192, colours exact"

if [ -n "${TOLM_SCREENSHOT:-}" ]; then
    import -window root "$TOLM_SCREENSHOT" 2>/dev/null
fi
close_and_wait
echo "PASS"
