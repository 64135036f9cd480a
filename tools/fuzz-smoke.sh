#!/bin/sh
# Runs each fuzzer for a short while over a copy of its seed corpus, so the
# committed corpus never grows. Any crash, leak, timeout or out-of-memory fails.
# Usage: sh tools/fuzz-smoke.sh <bin dir> <seconds>
set -eu

bin_dir=${1:?usage: fuzz-smoke.sh <bin dir> <seconds>}
seconds=${2:?usage: fuzz-smoke.sh <bin dir> <seconds>}
root=$(cd "$(dirname "$0")/.." && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/tolm-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

status=0
# One fuzzer per seed corpus: fuzz/corpus/<name>/ goes with <name>_fuzzer.
for corpus in "$root"/fuzz/corpus/*/; do
    name=$(basename "$corpus")
    fuzzer="$bin_dir/${name}_fuzzer"
    if [ ! -x "$fuzzer" ]; then
        echo "fuzz-smoke: $fuzzer is missing (build with -DTOLM_FUZZ=ON)" >&2
        exit 1
    fi
    mkdir -p "$work/$name/corpus" "$work/$name/artifacts"
    cp "$root/fuzz/corpus/$name/"* "$work/$name/corpus/"
    echo "fuzz-smoke: $name for ${seconds}s"
    # TMPDIR: the scratch files a fuzzer makes go with the rest of the run.
    # -timeout: the game-file reader may wait out its child twice an input (2 s
    # each, by design), so only a wait well past that is this process stuck.
    if TMPDIR="$work" ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$work/$name/artifacts/" -print_final_stats=1 \
        "$work/$name/corpus" >"$work/$name/log" 2>&1; then
        grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$work/$name/log" || true
    else
        status=1
        echo "fuzz-smoke: $name FAILED; last lines of its log:" >&2
        tail -n 40 "$work/$name/log" >&2
        for artifact in "$work/$name/artifacts/"*; do
            [ -e "$artifact" ] || continue
            mkdir -p "$bin_dir/../fuzz-artifacts"
            cp "$artifact" "$bin_dir/../fuzz-artifacts/"
            echo "fuzz-smoke: kept $(basename "$artifact") in $bin_dir/../fuzz-artifacts/" >&2
        done
    fi
done
exit $status
