#!/bin/sh
# What a screen reader hears: the real program on a session bus with the
# accessibility bus (AT-SPI), its tree walked from outside the process.
#   accessibility_test.sh <tolm> <e2e_fixture> <e2e_x11>   (under an X server)
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

tolm_program=$1
fixture_tool=$2
x11_tool=$3

for tool in dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/libexec/at-spi2-registryd; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is not installed (tools/install-deps.sh installs it)"
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is not installed"

# Everything below runs inside a session bus of its own.
if [ -z "${TOLM_A11Y_SESSION:-}" ]; then
    TOLM_A11Y_SESSION=1 exec dbus-run-session -- sh "$0" "$@"
fi

make_work e2e

# The accessibility bus and its registry must be up before the program asks for them.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null || fail "no accessibility bus"
/usr/libexec/at-spi2-registryd >/dev/null 2>&1 &
registry_pid=$!

prepare_app "Border Patrol.tap"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_and_wait

tree() {
    /usr/bin/python3 "$here/accessibility_tree.py" Tolm >"$work/tree.txt" 2>&1
}
has() {
    grep -qxF -- "$1" "$work/tree.txt"
}
wait_for 10 tree || fail "the program is not on the accessibility bus: $(cat "$work/tree.txt")"

# A click on a row (both games share their ROM file) fills the details panel.
xdotool mousemove --window "$main_window" 60 52 click 1
shows_details() {
    tree && has "label|Rom Name: Border Patrol.tap"
}
wait_for 20 shows_details || fail "the details' values are not spoken with their captions:
$(cat "$work/tree.txt")"

for expected in "tree|Games" "table cell|Border Patrol, Tolm Test Soft, 1984" \
    "label|Playable?: No rom found (check paths)" \
    "filler|No screenshot" "filler|Previous screenshots" "filler|Next screenshots"; do
    has "$expected" || fail "nothing reads \"$expected\" in:
$(cat "$work/tree.txt")"
done
note "the list, the details, the screenshot slot and the arrows have spoken names"

close_and_wait
tolm_pid=""
echo "PASS"
