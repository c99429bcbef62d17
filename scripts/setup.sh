#!/bin/sh
# Installs the Debian packages the game and its tests need, if any is missing,
# and builds the game into build/. Sourced by play.sh and test.sh.
set -e

PACKAGES="cmake g++ make pkg-config liballegro4-dev libgtest-dev libx11-dev libxtst-dev xvfb x11-utils clang libclang-rt-14-dev xdotool dpkg-dev file"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
fi
