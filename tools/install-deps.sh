#!/bin/sh
# Installs the Debian packages Tolm needs to build and test, when missing.
set -eu

packages="cmake ninja-build g++ make pkg-config
qt6-base-dev qt6-base-dev-tools libgl-dev
libgtest-dev libgmock-dev libbenchmark-dev
clang libclang-rt-14-dev
xvfb xauth x11-utils xdotool libx11-dev
desktop-file-utils dbus at-spi2-core python3-pyatspi
fuse-emulator-sdl opense-basic pasmo fuse-emulator-utils libspectrum-dev libseccomp-dev
zlib1g-dev libbz2-dev zip gzip bzip2
g++-mingw-w64-x86-64 libz-mingw-w64-dev googletest wine wine64"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    sudo=""
elif command -v sudo >/dev/null 2>&1; then
    sudo="sudo"
else
    echo "These packages are missing and I am not root (no sudo either):$missing" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
# shellcheck disable=SC2086
$sudo apt-get install -y -q --no-install-recommends $missing
