#!/bin/sh
# Runs one end-to-end script under a virtual X server of its own:
#   run_xvfb.sh <script> <program arguments...>
# `make test` installs the X tools, so a missing one is a failure, not a skip.
set -u

for tool in xvfb-run xauth xwininfo xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "FAIL: $tool is not installed (tools/install-deps.sh installs it)"
        exit 1
    fi
done

# The program must talk to the virtual X server, whatever the caller set.
# -noreset: by default the server resets when its last client leaves, and a
# client that connects twice in a row (Fuse's SDL does) meets it mid-reset.
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" sh "$@"
