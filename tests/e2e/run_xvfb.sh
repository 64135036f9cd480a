#!/bin/sh
# Runs one end-to-end script under a virtual X server of its own:
#   run_xvfb.sh <script> <program arguments...>
# Exits 77 (skipped) when the X tools the scripts drive are not installed.
set -u

for tool in xvfb-run xauth xwininfo xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (tools/install-deps.sh installs it)"
        exit 77
    fi
done

exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" sh "$@"
