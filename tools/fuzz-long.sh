#!/bin/sh
# Runs every fuzzer in <bin dir> for <seconds> each, two at a time, growing
# each one's corpus under <work dir>/<name>/corpus (seeded from
# fuzz/corpus/<name>/ the first time), and prints one line per fuzzer:
#   <name>: <inputs run> inputs, <rate>/s, <findings> findings
# A finding is a crash, leak, timeout or out-of-memory of the fuzzer's own
# process; its input is kept in <work dir>/<name>/artifacts/. With
# FUZZ_UPDATE_SEEDS=1 the grown corpus is merged down to a small set (at most
# 200 inputs) that replaces fuzz/corpus/<name>/.
# Usage: sh tools/fuzz-long.sh <bin dir> <seconds> <work dir>
set -eu

bin_dir=${1:?usage: fuzz-long.sh <bin dir> <seconds> <work dir>}
seconds=${2:?usage: fuzz-long.sh <bin dir> <seconds> <work dir>}
work=${3:?usage: fuzz-long.sh <bin dir> <seconds> <work dir>}
root=$(cd "$(dirname "$0")/.." && pwd)
max_seeds=200

mkdir -p "$work"
work=$(cd "$work" && pwd)

# One fuzzer's run; its log is <work>/<name>/log.
run_one() {
    name=$1
    dir="$work/$name"
    rm -rf "$dir/artifacts" "$dir/scratch"
    mkdir -p "$dir/corpus" "$dir/artifacts" "$dir/scratch"
    if [ -d "$root/fuzz/corpus/$name" ] && [ -z "$(ls -A "$dir/corpus")" ]; then
        cp "$root/fuzz/corpus/$name/"* "$dir/corpus/"
    fi
    # TMPDIR: the scratch files a fuzzer makes stay in its own folder.
    # -timeout: the game-file reader may wait out its child twice an input (2 s
    # each, by design), so only a wait well past that is this process stuck.
    TMPDIR="$dir/scratch" ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$bin_dir/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$dir/artifacts/" -print_final_stats=1 \
        "$dir/corpus" >"$dir/log" 2>&1 || true
}

names=""
for fuzzer in "$bin_dir"/*_fuzzer; do
    [ -x "$fuzzer" ] || continue
    names="$names ${fuzzer##*/}"
done
if [ -z "$names" ]; then
    echo "fuzz-long: no fuzzers in $bin_dir (build with -DTOLM_FUZZ=ON)" >&2
    exit 1
fi

# Two at a time: start a pair, wait for both.
set -- $names
while [ $# -gt 0 ]; do
    echo "fuzz-long: $1${2:+ and $2} for ${seconds}s" >&2
    run_one "$1" &
    first=$!
    if [ $# -gt 1 ]; then
        run_one "$2" &
        wait $!
        shift
    fi
    wait $first
    shift
done

status=0
for fuzzer in $names; do
    dir="$work/${fuzzer}"
    name=${fuzzer%_fuzzer}
    stat_of() { sed -n "s/^stat::$1: *//p" "$dir/log" | tail -n 1; }
    inputs=$(stat_of number_of_executed_units)
    rate=$(stat_of average_exec_per_sec)
    findings=$(find "$dir/artifacts" -type f | wc -l)
    [ "$findings" -eq 0 ] || status=1
    echo "$fuzzer: ${inputs:-0} inputs, ${rate:-0}/s, $findings findings"

    if [ "${FUZZ_UPDATE_SEEDS:-0}" = 1 ] && [ "$findings" -eq 0 ]; then
        rm -rf "$dir/merged"
        mkdir -p "$dir/merged"
        "$bin_dir/$fuzzer" -merge=1 "$dir/merged" "$dir/corpus" >"$dir/merge.log" 2>&1
        seeds="$root/fuzz/corpus/$name"
        rm -rf "$seeds"
        mkdir -p "$seeds"
        # The smallest inputs of the merged set, when it holds more than the cap.
        ls -S -r "$dir/merged" | head -n "$max_seeds" | while read -r f; do
            cp "$dir/merged/$f" "$seeds/"
        done
    fi
done
exit $status
