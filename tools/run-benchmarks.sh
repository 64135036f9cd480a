#!/bin/sh
# Runs every benchmark program in turn; fails when any of them fails.
# Usage: sh tools/run-benchmarks.sh <bin dir>
set -eu

bin_dir=${1:?usage: run-benchmarks.sh <bin dir>}
export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="qt.qpa.*=false"

found=0
status=0
for bench in "$bin_dir"/*_bench; do
    [ -x "$bench" ] || continue
    found=1
    echo "== $(basename "$bench")"
    if ! "$bench"; then
        echo "run-benchmarks: $(basename "$bench") failed" >&2
        status=1
    fi
    echo
done
if [ "$found" -eq 0 ]; then
    echo "run-benchmarks: no *_bench programs in $bin_dir" >&2
    exit 1
fi
exit $status
