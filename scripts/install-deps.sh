#!/bin/sh
# Installs the Debian packages the editor needs to build, test and run.
# Only touches apt when something is missing, so repeated `make` calls stay fast.
set -eu

PACKAGES="cmake ninja-build g++ make pkg-config \
qt6-base-dev qt6-serialport-dev qt6-svg-dev libgl-dev \
libftdi1-dev nlohmann-json3-dev libcli11-dev \
libgtest-dev libgmock-dev libbenchmark-dev \
xvfb xauth \
dpkg-dev fakeroot file \
clang-format-14"

# `install-deps.sh fuzz`: also what the fuzz build needs (clang and its libFuzzer runtime).
if [ "${1:-}" = "fuzz" ]; then
    PACKAGES="$PACKAGES clang libclang-rt-dev"
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
# shellcheck disable=SC2086
$SUDO apt-get install -y --no-install-recommends $missing
