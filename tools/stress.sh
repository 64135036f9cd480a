#!/bin/sh
# The kill-during-save experiment: a 200,000-game catalogue is saved over and
# over (catalogues A and B in turn), the saving process is killed with SIGKILL at a random moment, and the
# file must then load as exactly A or exactly B, with
# any temporary file the kill left removed by the start-up clean-up. Then,
# when run as root, a save onto a full disk (a small tmpfs) must fail and
# leave the old file whole.
#   stress.sh <stress_tool> [trials] [games]
set -u
tool=$1
trials=${2:-100}
games=${3:-200000}

work=$(mktemp -d "${TMPDIR:-/tmp}/tolm-stress.XXXXXX") || exit 1
mounted=""
loop_pid=""
cleanup() {
    [ -n "$loop_pid" ] && kill -9 "$loop_pid" 2>/dev/null
    [ -n "$mounted" ] && umount "$mounted" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

data="$work/data"
mkdir -p "$data"

# How long one save takes here: the kills are spread over two of them.
"$tool" prepare "$data" "$games" || exit 1
start=$(date +%s%N)
"$tool" save-once "$data" "$games" || exit 1
save_ms=$((($(date +%s%N) - start) / 1000000))
window_ms=$((save_ms * 2 + 50))
echo "# one save of $games games takes $save_ms ms; kills fall within $window_ms ms of saving"

survived=0
whole_a=0
whole_b=0
temporaries=0
trial=0
# Each trial starts from what the last one left: the old or the new file.
"$tool" prepare "$data" "$games" || exit 1
while [ "$trial" -lt "$trials" ]; do
    trial=$((trial + 1))
    rm -f "$work/started"
    "$tool" save-loop "$data" "$games" "$work/started" &
    loop_pid=$!
    while [ ! -e "$work/started" ]; do sleep 0.01; done
    sleep "$(awk -v seed="$trial$$" -v ms="$window_ms" 'BEGIN { srand(seed); printf "%.3f", rand() * ms / 1000 }')"
    kill -9 "$loop_pid"
    wait "$loop_pid" 2>/dev/null
    loop_pid=""
    if outcome=$("$tool" check "$data" "$games"); then
        survived=$((survived + 1))
        case "$outcome" in A*) whole_a=$((whole_a + 1)) ;; B*) whole_b=$((whole_b + 1)) ;; esac
        case "$outcome" in *temporary) temporaries=$((temporaries + 1)) ;; esac
    else
        echo "# trial $trial: $outcome"
    fi
    [ $((trial % 50)) -eq 0 ] && echo "# $trial trials, $survived survived" >&2
done
echo "# after the kills: $whole_a times catalogue A whole, $whole_b times B whole;" \
    "$temporaries temporary files left, all removed by the start-up clean-up"
echo "kills survived: $survived of $trials (goal $trials of $trials)"

# A full disk: the save fails, is reported, and the old file stays whole.
if [ "$(id -u)" -ne 0 ]; then
    echo "# full disk: skipped (mounting a small tmpfs needs root)"
    [ "$survived" -eq "$trials" ]
    exit
fi
full="$work/full"
mkdir -p "$full"
if ! mount -t tmpfs -o size=8m tmpfs "$full" 2>"$work/mount.err"; then
    echo "# full disk: skipped (cannot mount a tmpfs: $(cat "$work/mount.err"))"
    [ "$survived" -eq "$trials" ]
    exit
fi
mounted=$full
kept=0
"$tool" prepare "$full" 2000 || exit 1
dd if=/dev/zero of="$full/filler" bs=64k 2>/dev/null # until the disk is full
if "$tool" save-once "$full" "$games" 2>"$work/save.err"; then
    echo "# full disk: the save claimed success"
else
    rm -f "$full/filler"
    if [ -s "$work/save.err" ] && outcome=$("$tool" check "$full" 2000) && [ "$outcome" = A ]; then
        kept=1
        echo "# full disk: \"$(cat "$work/save.err")\"; the old file is whole, no temporary file left"
    else
        echo "# full disk: ${outcome:-no error reported}"
    fi
fi
echo "full disk saves that kept the old file: $kept of 1 (goal 1 of 1)"
[ "$survived" -eq "$trials" ] && [ "$kept" -eq 1 ]
