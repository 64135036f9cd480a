#!/bin/sh
# Removes what `make install` put under the prefix given as $1 (DESTDIR
# already joined), and nothing else.
set -eu
prefix=${1:?usage: uninstall.sh <prefix>}
rm -f "$prefix/bin/tolm" "$prefix/share/applications/tolm.desktop"
for side in 16 32 48 64 128 256; do
    rm -f "$prefix/share/icons/hicolor/${side}x${side}/apps/tolm.png"
done
echo "Removed Tolm from $prefix"
